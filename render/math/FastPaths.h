// The fast evaluations behind ExactMath.h, exposed for tests and benchmarks. Each returns true
// and sets out to the correctly rounded result when it can prove that result; it returns false
// (leaving out unspecified) when the accuracy it carries cannot decide the rounding, and the
// multiprecision path in SlowPaths.h must decide.
#pragma once

namespace orbisk::math::fast {

bool sin(double x, double& out);
bool cos(double x, double& out);
bool tan(double x, double& out);
bool atan(double x, double& out);
bool pow(double x, double y, double& out);

// sin, cos and tan as processors without a fused multiply-add evaluate them, whatever this one
// has, so that tests can check both variants on one machine.
namespace withoutFma {
bool sin(double x, double& out);
bool cos(double x, double& out);
bool tan(double x, double& out);
}  // namespace withoutFma

}  // namespace orbisk::math::fast
