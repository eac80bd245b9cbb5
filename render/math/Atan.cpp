// Placeholder until the fast evaluation lands: it never decides, the slow path always does.
#include "render/math/ExactMath.h"
#include "render/math/FastPaths.h"
#include "render/math/SlowPaths.h"

namespace orbisk::math {

bool fast::atan(double, double&) { return false; }
double atan(double x) {
  double r;
  return fast::atan(x, r) ? r : slow::atan(x);
}

}  // namespace orbisk::math
