// The committed tables of sin, cos and the bits of 2/pi, re-derived with MPFR entry by entry.
// DISABLED_PrintTables prints the body of TrigTables.h from the same derivation:
//   orbisk_math_tests --gtest_also_run_disabled_tests --gtest_filter=TrigTables.DISABLED_Print*
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cstdint>
#include <cstdio>

#include "render/math/TanKernel.h"
#include "render/math/TrigKernel.h"
#include "render/math/TrigTables.h"

namespace orbisk::math {
namespace {

// A high-precision value split into a double and the double nearest what remains.
struct Split {
  double hi, lo;
};

Split splitOf(mpfr_t v) {
  mpfr_t rest;
  mpfr_init2(rest, mpfr_get_prec(v));
  const double hi = mpfr_get_d(v, MPFR_RNDN);
  mpfr_sub_d(rest, v, hi, MPFR_RNDN);
  const double lo = mpfr_get_d(rest, MPFR_RNDN);
  mpfr_clear(rest);
  return {hi, lo};
}

constexpr mpfr_prec_t kPrec = 1600;

// pi / 512 at working precision.
void piOver512(mpfr_t out) {
  mpfr_const_pi(out, MPFR_RNDN);
  mpfr_div_ui(out, out, 512, MPFR_RNDN);
}

// value as a leading part of 27 significant bits (so that its product with 26 bits is exact)
// and the double nearest what remains: together about 80 bits.
Split shortSplitOf(mpfr_t v) {
  mpfr_t head;
  mpfr_init2(head, kPrec);
  mpfr_set(head, v, MPFR_RNDN);
  mpfr_prec_round(head, 27, MPFR_RNDN);
  const double hi = mpfr_get_d(head, MPFR_RNDN);
  mpfr_set_prec(head, kPrec);
  mpfr_sub_d(head, v, hi, MPFR_RNDN);
  const double lo = mpfr_get_d(head, MPFR_RNDN);
  mpfr_clear(head);
  return {hi, lo};
}

struct Entry {
  double v[6];  // sin, its rest, cos, its rest, tan, its rest
};

Entry entryOf(unsigned i) {
  mpfr_t a, s, c, t;
  mpfr_inits2(kPrec, a, s, c, t, static_cast<mpfr_ptr>(nullptr));
  piOver512(a);
  mpfr_mul_ui(a, a, i, MPFR_RNDN);
  mpfr_sin_cos(s, c, a, MPFR_RNDN);
  mpfr_tan(t, a, MPFR_RNDN);
  const Split sinSplit = shortSplitOf(s), cosSplit = shortSplitOf(c), tanSplit = shortSplitOf(t);
  mpfr_clears(a, s, c, t, static_cast<mpfr_ptr>(nullptr));
  return {{sinSplit.hi, sinSplit.lo, cosSplit.hi, cosSplit.lo, tanSplit.hi, tanSplit.lo}};
}

// pi/512 as three parts: two of 29 significant bits (so that k times them is exact for |k| below
// 2^24) and the double nearest what remains; then pi/512 as a double-double.
struct PiParts {
  double part[3];
  Split dd;
};

PiParts piPartsOf() {
  mpfr_t v, p;
  mpfr_init2(v, kPrec);
  mpfr_init2(p, kPrec);
  piOver512(v);
  PiParts out{};
  out.dd = splitOf(v);
  for (int n = 0; n < 3; ++n) {
    mpfr_set_prec(p, kPrec);
    mpfr_set(p, v, MPFR_RNDN);
    mpfr_prec_round(p, n < 2 ? 29 : 53, MPFR_RNDN);
    out.part[n] = mpfr_get_d(p, MPFR_RNDN);
    mpfr_sub_d(v, v, out.part[n], MPFR_RNDN);
  }
  mpfr_clear(v);
  mpfr_clear(p);
  return out;
}

double inverseOf() {
  mpfr_t v;
  mpfr_init2(v, kPrec);
  mpfr_const_pi(v, MPFR_RNDN);
  mpfr_ui_div(v, 512, v, MPFR_RNDN);
  const double out = mpfr_get_d(v, MPFR_RNDN);
  mpfr_clear(v);
  return out;
}

// Word w of the bits of 2/pi after the binary point, the first bit the word's highest.
uint64_t twoOverPiWord(unsigned w) {
  mpfr_t v, whole;
  mpfr_init2(v, kPrec);
  mpfr_init2(whole, kPrec);
  mpfr_const_pi(v, MPFR_RNDN);
  mpfr_ui_div(v, 2, v, MPFR_RNDN);
  mpfr_mul_2ui(v, v, 64 * (w + 1), MPFR_RNDN);
  mpfr_floor(whole, v);
  mpfr_div_2ui(v, whole, 64, MPFR_RNDN);
  mpfr_floor(v, v);
  mpfr_mul_2ui(v, v, 64, MPFR_RNDN);
  mpfr_sub(whole, whole, v, MPFR_RNDN);  // the low 64 bits, exact
  mpfr_div_2ui(v, whole, 32, MPFR_RNDN);
  mpfr_floor(v, v);
  const uint64_t high = mpfr_get_ui(v, MPFR_RNDN);
  mpfr_mul_2ui(v, v, 32, MPFR_RNDN);
  mpfr_sub(whole, whole, v, MPFR_RNDN);
  const uint64_t low = mpfr_get_ui(whole, MPFR_RNDN);
  mpfr_clear(v);
  mpfr_clear(whole);
  return high << 32 | low;
}

bool same(double a, double b) {
  return __builtin_memcmp(&a, &b, sizeof a) == 0;
}

TEST(TrigTables, EveryEntryIsMpfrsValue) {
  for (unsigned i = 0; i < kSinCosEntries; ++i) {
    const Entry want = entryOf(i);
    for (unsigned n = 0; n < 4; ++n)
      EXPECT_TRUE(same(want.v[n], kSinCosTable[i][n])) << "entry " << i << ", value " << n;
    for (unsigned n = 0; n < 2; ++n)
      EXPECT_TRUE(same(want.v[4 + n], kTanTable[i][n])) << "tan entry " << i << ", value " << n;
  }
  const PiParts parts = piPartsOf();
  EXPECT_TRUE(same(parts.part[0], kPiOver512Part0));
  EXPECT_TRUE(same(parts.part[1], kPiOver512Part1));
  EXPECT_TRUE(same(parts.part[2], kPiOver512Part2));
  EXPECT_TRUE(same(parts.dd.hi, kPiOver512Hi));
  EXPECT_TRUE(same(parts.dd.lo, kPiOver512Lo));
  EXPECT_TRUE(same(inverseOf(), k512OverPi));
  for (unsigned w = 0; w < kTwoOverPiLeadingZeroWords; ++w) EXPECT_EQ(kTwoOverPiWords[w], 0u);
  for (unsigned w = kTwoOverPiLeadingZeroWords; w < kTwoOverPiWordCount; ++w)
    EXPECT_EQ(kTwoOverPiWords[w], twoOverPiWord(w - kTwoOverPiLeadingZeroWords)) << "word " << w;
}

// The kernels' terms for every multiple of pi/512 in a full turn, signed and swapped from the
// quarter's table: A and B must be sin and cos of the angle, each split as the table is.
TEST(TrigTables, FullTurnTermsAreSinAndCosOfTheirAngle) {
  mpfr_t a, s, c;
  mpfr_inits2(kPrec, a, s, c, static_cast<mpfr_ptr>(nullptr));
  for (unsigned j = 0; j < 1024; ++j) {
    piOver512(a);
    mpfr_mul_ui(a, a, j, MPFR_RNDN);
    mpfr_sin_cos(s, c, a, MPFR_RNDN);
    const Split wantA = shortSplitOf(s), wantB = shortSplitOf(c);
    const TableTerms t = tableTermsFor(j);
    // Equal values (a zero rest may carry either sign).
    EXPECT_TRUE(t.aHi == wantA.hi && t.aLo == wantA.lo) << "j " << j;
    EXPECT_TRUE(t.bHi == wantB.hi && t.bLo == wantB.lo) << "j " << j;
  }
  mpfr_clears(a, s, c, static_cast<mpfr_ptr>(nullptr));
}

// The fused tan kernel's T for every multiple of pi/512 in a half turn but the pole, negated
// from the quarter's table past the pole.
TEST(TrigTables, HalfTurnTanEntriesAreTanOfTheirAngle) {
  mpfr_t a, t;
  mpfr_inits2(kPrec, a, t, static_cast<mpfr_ptr>(nullptr));
  for (unsigned j = 0; j < 512; ++j) {
    if (j == 256) continue;
    piOver512(a);
    mpfr_mul_ui(a, a, j, MPFR_RNDN);
    mpfr_tan(t, a, MPFR_RNDN);
    const Split want = shortSplitOf(t);
    EXPECT_TRUE(kHalfTurnTanTable.entry[j][0] == want.hi &&
                kHalfTurnTanTable.entry[j][1] == want.lo)
        << "j " << j;
  }
  mpfr_clears(a, t, static_cast<mpfr_ptr>(nullptr));
}

TEST(TrigTables, DISABLED_PrintTables) {
  const PiParts parts = piPartsOf();
  std::printf("inline constexpr double kPiOver512Part0 = %a;\n", parts.part[0]);
  std::printf("inline constexpr double kPiOver512Part1 = %a;\n", parts.part[1]);
  std::printf("inline constexpr double kPiOver512Part2 = %a;\n", parts.part[2]);
  std::printf("inline constexpr double kPiOver512Hi = %a;\n", parts.dd.hi);
  std::printf("inline constexpr double kPiOver512Lo = %a;\n", parts.dd.lo);
  std::printf("inline constexpr double k512OverPi = %a;\n", inverseOf());
  std::printf("inline constexpr uint64_t kTwoOverPiWords[kTwoOverPiWordCount] = {\n");
  for (unsigned w = 0; w < kTwoOverPiWordCount; ++w) {
    const uint64_t word =
        w < kTwoOverPiLeadingZeroWords ? 0 : twoOverPiWord(w - kTwoOverPiLeadingZeroWords);
    std::printf("    0x%016llxull,\n", static_cast<unsigned long long>(word));
  }
  std::printf("};\n");
  std::printf("inline constexpr double kSinCosTable[kSinCosEntries][4] = {\n");
  for (unsigned i = 0; i < kSinCosEntries; ++i) {
    const Entry e = entryOf(i);
    std::printf("    {%a, %a, %a, %a},\n", e.v[0], e.v[1], e.v[2], e.v[3]);
  }
  std::printf("};\n");
  std::printf("inline constexpr double kTanTable[kSinCosEntries][2] = {\n");
  for (unsigned i = 0; i < kSinCosEntries; ++i) {
    const Entry e = entryOf(i);
    std::printf("    {%a, %a},\n", e.v[4], e.v[5]);
  }
  std::printf("};\n");
}

}  // namespace
}  // namespace orbisk::math
