// pi / 2, 2 / pi and ln 2 to any precision the multiprecision evaluations ask for. Each is
// computed once by a fast series, at the largest precision asked for so far, and shared by all
// threads; smaller requests get a shortened copy.
#pragma once

#include <cstdint>

#include "render/math/BigFloat.h"

namespace orbisk::math::slow {

// Each result differs from the constant by less than 2^-bits.
mp::BigFloat halfPi(int64_t bits);
mp::BigFloat twoOverPi(int64_t bits);
mp::BigFloat ln2(int64_t bits);

}  // namespace orbisk::math::slow
