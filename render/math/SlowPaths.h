// Correctly rounded results by multiprecision arithmetic: always right, for every double input,
// and slow (microseconds). The fast paths fall back to these when their rounding test fails;
// tests and the fuzz target use them as a second, independent reference.
#pragma once

namespace orbisk::math::slow {

double sin(double x);
double cos(double x);
double tan(double x);
double atan(double x);
double pow(double x, double y);

}  // namespace orbisk::math::slow
