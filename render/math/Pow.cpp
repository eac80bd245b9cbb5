// Placeholder until the fast evaluation lands: it never decides, the slow path always does.
#include "render/math/ExactMath.h"
#include "render/math/FastPaths.h"
#include "render/math/SlowPaths.h"

namespace orbisk::math {

bool fast::pow(double, double, double&) { return false; }
double pow(double x, double y) {
  double r;
  return fast::pow(x, y, r) ? r : slow::pow(x, y);
}

}  // namespace orbisk::math
