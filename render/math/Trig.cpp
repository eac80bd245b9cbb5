// Placeholder until the fast evaluation lands: it never decides, the slow path always does.
#include "render/math/ExactMath.h"
#include "render/math/FastPaths.h"
#include "render/math/SlowPaths.h"

namespace orbisk::math {

bool fast::sin(double, double&) { return false; }
double sin(double x) {
  double r;
  return fast::sin(x, r) ? r : slow::sin(x);
}

bool fast::cos(double, double&) { return false; }
double cos(double x) {
  double r;
  return fast::cos(x, r) ? r : slow::cos(x);
}

bool fast::tan(double, double&) { return false; }
double tan(double x) {
  double r;
  return fast::tan(x, r) ? r : slow::tan(x);
}

}  // namespace orbisk::math
