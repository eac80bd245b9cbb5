// Orbisk's math functions as the C library's, for timing the renderer against its math before
// version 4.3. Linked as object code ahead of the renderer's library, these definitions take the
// place of render/math/'s (whose archive members are then never pulled in; any other use of
// them would end the link with duplicate symbols, not a silent mix).
#include <cmath>

#include "render/math/ExactMath.h"

namespace orbisk::math {

double sin(double x) {
  return std::sin(x);
}
double cos(double x) {
  return std::cos(x);
}
double tan(double x) {
  return std::tan(x);
}
double atan(double x) {
  return std::atan(x);
}
double pow(double x, double y) {
  return std::pow(x, y);
}

}  // namespace orbisk::math
