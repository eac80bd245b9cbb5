#include "render/math/TrigReduction.h"

#include <bit>

namespace orbisk::math {

namespace {

struct Wide {
  uint64_t hi, lo;
};

// a * b as 128 bits, from 32-bit halves.
Wide multiply(uint64_t a, uint64_t b) {
  const uint64_t a0 = a & 0xffffffffu, a1 = a >> 32, b0 = b & 0xffffffffu, b1 = b >> 32;
  const uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
  const uint64_t mid = (p00 >> 32) + (p01 & 0xffffffffu) + (p10 & 0xffffffffu);
  return {p11 + (p01 >> 32) + (p10 >> 32) + (mid >> 32), (mid << 32) | (p00 & 0xffffffffu)};
}

// Adds v to the multiword number w (most significant word first) at word at.
template <unsigned N>
void addAt(uint64_t (&w)[N], unsigned at, uint64_t v) {
  w[at] += v;
  bool carry = w[at] < v;
  while (carry && at > 0) {
    --at;
    carry = ++w[at] == 0;
  }
}

// The 64 bits of a, b (a first) from bit shift of a on.
uint64_t bitsFrom(uint64_t a, uint64_t b, unsigned shift) {
  return shift == 0 ? a : (a << shift) | (b >> (64 - shift));
}

}  // namespace

bool reducePrecise(double x, ReducedAngle& out) {
  const uint64_t bits = bitsOf(x) & ~(uint64_t{1} << 63);
  const int biased = static_cast<int>(bits >> 52);
  if (biased < 1023 - 70 || biased > 2046) return false;
  const uint64_t m = (bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1} << 52);
  const int e = biased - 1075;  // |x| = m 2^e

  // |x| 512/pi = m 2^(e+8) 2/pi. The bits of 2/pi of weight 2^-n with n < e - 1 contribute
  // multiples of 1024, a whole number of turns; the window of 256 bits from n = e - 1 on gives
  // |x| 512/pi modulo 1024 as m times the window times 2^10. Bit n of 2/pi sits at position
  // n + 127 of the table (two words of zeros first).
  const unsigned first = static_cast<unsigned>(e + 126);
  const unsigned word = first / 64, shift = first % 64;
  uint64_t product[5] = {};  // m times the window: whole part, then four words of fraction
  for (unsigned i = 0; i < 4; ++i) {
    const uint64_t windowWord =
        bitsFrom(kTwoOverPiWords[word + i], kTwoOverPiWords[word + i + 1], shift);
    const Wide p = multiply(m, windowWord);
    addAt(product, i + 1, p.lo);
    addAt(product, i, p.hi);
  }
  // The fraction times 1024: its first 10 bits are j, the rest the fraction f of pi/512.
  unsigned j = static_cast<unsigned>(product[1] >> 54);
  uint64_t f[4];
  for (unsigned i = 0; i < 4; ++i) f[i] = bitsFrom(product[i + 1], i < 3 ? product[i + 2] : 0, 10);
  const bool roundUp = f[0] >> 63;  // f >= 1/2: the next multiple is nearer, f becomes f - 1
  if (roundUp) {
    j = (j + 1) & 1023;
    bool carry = true;
    for (int i = 3; i >= 0; --i) {
      f[i] = ~f[i] + (carry ? 1 : 0);
      carry = carry && f[i] == 0;
    }
  }
  unsigned lead = 0;
  while (lead < 2 && f[lead] == 0) ++lead;
  if (f[lead] == 0) return false;  // never for a double: 2/pi has no such run of zeros
  const unsigned zeros = static_cast<unsigned>(std::countl_zero(f[lead]));
  const uint64_t top = bitsFrom(f[lead], f[lead + 1], zeros);
  const uint64_t next = bitsFrom(f[lead + 1], lead + 2 < 4 ? f[lead + 2] : 0, zeros);
  // f = (top + next 2^-64) 2^unit: its first 53 bits, then the next 64 rounded.
  const int unit = -64 * static_cast<int>(lead + 1) - static_cast<int>(zeros);
  const double fHi = static_cast<double>(top >> 11) * powerOfTwo(unit + 11);
  const double fLo = static_cast<double>((top & 0x7ff) << 53 | next >> 11) * powerOfTwo(unit - 53);

  const DoubleDouble p = twoProduct(fHi, kPiOver512Hi);
  const DoubleDouble r = fastTwoSum(p.hi, p.lo + (fHi * kPiOver512Lo + fLo * kPiOver512Hi));
  const bool negate = (x < 0) != roundUp;
  out.j = x < 0 ? (1024 - j) & 1023 : j;
  out.hi = negate ? -r.hi : r.hi;
  out.lo = negate ? -r.lo : r.lo;
  // The window stops 2^-193 short in units of f; every other step is relative and tiny.
  out.err = std::fabs(r.hi) * 0x1p-100 + 0x1p-190;
  return true;
}

}  // namespace orbisk::math
