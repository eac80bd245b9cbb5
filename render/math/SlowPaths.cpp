// Placeholder until the multiprecision evaluation lands: every call reports NaN.
#include "render/math/SlowPaths.h"

#include <limits>

namespace orbisk::math::slow {

namespace {
constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();
}

double sin(double) { return kUnknown; }
double cos(double) { return kUnknown; }
double tan(double) { return kUnknown; }
double atan(double) { return kUnknown; }
double pow(double, double) { return kUnknown; }

}  // namespace orbisk::math::slow
