// atan's and pow's fast paths with every exact product by Dekker's splitting, whatever the
// processor. fast::atan and fast::pow run these where no fused multiply-add is available; the
// tests check them next to the fast paths, so both variants are covered on every machine.
#pragma once

namespace orbisk::math::portable {

bool atan(double x, double& out);
bool pow(double x, double y, double& out);

}  // namespace orbisk::math::portable
