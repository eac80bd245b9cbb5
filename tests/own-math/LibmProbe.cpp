// Calls the C library's functions on purpose: check-own-math.sh must name each of them.
#include <cmath>

volatile double libmProbeDouble = 0.5;  // read at run time, so no call is folded away
volatile float libmProbeFloat = 0.5f;   // the same for the float variant

double libmProbe() {
  const double x = libmProbeDouble;
  return std::sin(x) + std::pow(x, x) + std::atan(static_cast<float>(libmProbeFloat));
}
