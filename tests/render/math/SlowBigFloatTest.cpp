// The multiprecision float's final rounding and the constants it computes.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <limits>

#include "render/math/BigFloat.h"
#include "render/math/SlowConstants.h"
#include "tests/render/math/SlowTestSupport.h"

namespace orbisk::math::testing {
namespace {

using mp::BigFloat;

// 2^a + sign 2^b, exactly.
BigFloat twoTerms(int64_t a, int64_t b, bool subtract = false) {
  const BigFloat low = mp::powerOfTwo(b);
  return mp::addExact(mp::powerOfTwo(a), subtract ? mp::negated(low) : low);
}

TEST(SlowBigFloat, RoundsOnceToNearestEven) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  struct Row {
    const char* what;
    BigFloat value;
    double expected;
  };
  const Row rows[] = {
      {"1 + 2^-53 is a tie, to even", twoTerms(0, -53), 1.0},
      {"just above the tie", mp::addExact(twoTerms(0, -53), mp::powerOfTwo(-300)), 1 + 0x1p-52},
      {"1 + 3 2^-53 is a tie, to even", mp::addExact(twoTerms(0, -52), mp::powerOfTwo(-53)),
       1 + 0x1p-51},
      {"2^-1075 is a tie between 0 and 2^-1074", mp::powerOfTwo(-1075), 0.0},
      {"-2^-1075 keeps its sign", mp::negated(mp::powerOfTwo(-1075)), -0.0},
      {"just above 2^-1075", twoTerms(-1075, -1200), 0x1p-1074},
      {"3 2^-1075 is a tie, to even", twoTerms(-1074, -1075), 0x1p-1073},
      {"below 2^-1075", twoTerms(-1075, -1200, true), 0.0},
      {"far below", mp::powerOfTwo(-5000), 0.0},
      {"between the largest subnormal and 2^-1022", twoTerms(-1022, -1075, true), 0x1p-1022},
      {"the overflow threshold", twoTerms(1024, 970, true), kInf},
      {"just below it", mp::addExact(twoTerms(1024, 970, true), mp::negated(mp::powerOfTwo(900))),
       0x1.fffffffffffffp+1023},
      {"2^1024", mp::negated(mp::powerOfTwo(1024)), -kInf},
      {"a double converts back", mp::fromDouble(-0x1.23456789abcdep-1050),
       -0x1.23456789abcdep-1050},
  };
  for (const Row& row : rows)
    EXPECT_TRUE(sameResult(mp::toDouble(row.value), row.expected))
        << row.what << ": " << hex(mp::toDouble(row.value));
}

// The constants behind the reductions, at precisions up to those of the largest arguments.
TEST(SlowBigFloat, ConstantsAgreeWithMpfr) {
  struct Constant {
    const char* name;
    BigFloat (*ours)(int64_t);
    void (*reference)(mpfr_t);
  };
  const Constant constants[] = {
      {"pi/2", slow::halfPi,
       [](mpfr_t v) {
         mpfr_const_pi(v, MPFR_RNDN);
         mpfr_div_2ui(v, v, 1, MPFR_RNDN);
       }},
      {"2/pi", slow::twoOverPi,
       [](mpfr_t v) {
         mpfr_const_pi(v, MPFR_RNDN);
         mpfr_ui_div(v, 2, v, MPFR_RNDN);
       }},
      {"ln 2", slow::ln2, [](mpfr_t v) { mpfr_const_log2(v, MPFR_RNDN); }},
  };
  for (const Constant& c : constants) {
    for (int64_t bits : {60, 200, 1500, 10000}) {
      const BigFloat ours = c.ours(bits);
      mpfr_t exact, value;
      mpfr_init2(exact, 10200);
      mpfr_init2(value, 32 * static_cast<mpfr_prec_t>(ours.mag.size()) + 32);
      c.reference(exact);
      mpz_t mantissa;
      mpz_init(mantissa);
      mpz_import(mantissa, ours.mag.size(), -1, sizeof(uint32_t), 0, 0, ours.mag.data());
      mpfr_set_z_2exp(value, mantissa, ours.exp, MPFR_RNDN);  // exact
      mpfr_sub(exact, exact, value, MPFR_RNDN);
      EXPECT_LE(mpfr_get_exp(exact), -bits) << c.name << " to " << bits << " bits";
      mpz_clear(mantissa);
      mpfr_clear(exact);
      mpfr_clear(value);
    }
  }
}

}  // namespace
}  // namespace orbisk::math::testing
