#include "render/math/BigFloat.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace orbisk::math::mp {

namespace {

int64_t floorDiv32(int64_t v) {
  return v >= 0 ? v / 32 : -((-v + 31) / 32);
}

uint32_t limbAt(const Limbs& m, int64_t i) {
  return i >= 0 && i < static_cast<int64_t>(m.size()) ? m[static_cast<size_t>(i)] : 0;
}

void trimTop(Limbs& m) {
  while (!m.empty() && m.back() == 0) m.pop_back();
}

// outSize limbs of m * 2^shift, bits moved below bit 0 dropped; shift may be negative.
Limbs shiftedWindow(const Limbs& m, int64_t shift, size_t outSize) {
  Limbs out(outSize, 0);
  const int64_t limbShift = floorDiv32(shift);
  const unsigned bitShift = static_cast<unsigned>(shift - 32 * limbShift);
  for (size_t i = 0; i < outSize; ++i) {
    const int64_t src = static_cast<int64_t>(i) - limbShift;
    const uint32_t hi = limbAt(m, src);
    out[i] = bitShift == 0 ? hi : (hi << bitShift) | (limbAt(m, src - 1) >> (32 - bitShift));
  }
  return out;
}

// Whether any bit below position pos is set.
bool anyBitBelow(const Limbs& m, int64_t pos) {
  if (pos <= 0) return false;
  const int64_t full = std::min<int64_t>(pos / 32, static_cast<int64_t>(m.size()));
  for (int64_t i = 0; i < full; ++i)
    if (m[static_cast<size_t>(i)] != 0) return true;
  const unsigned rest = static_cast<unsigned>(pos % 32);
  return rest != 0 && (limbAt(m, full) & ((uint32_t{1} << rest) - 1)) != 0;
}

int64_t bitLength(const Limbs& m) {
  for (size_t i = m.size(); i-- > 0;)
    if (m[i] != 0) return 32 * static_cast<int64_t>(i) + 32 - std::countl_zero(m[i]);
  return 0;
}

// The order of two unsigned integers, whatever zero limbs they carry on top.
int compareLimbs(const Limbs& a, const Limbs& b) {
  for (size_t i = std::max(a.size(), b.size()); i-- > 0;) {
    const uint32_t x = limbAt(a, static_cast<int64_t>(i)), y = limbAt(b, static_cast<int64_t>(i));
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

void truncate(BigFloat& x, int n) {
  const size_t keep = static_cast<size_t>(n);
  if (x.mag.size() <= keep) return;
  const size_t drop = x.mag.size() - keep;
  x.mag.erase(x.mag.begin(), x.mag.begin() + static_cast<std::ptrdiff_t>(drop));
  x.exp += 32 * static_cast<int64_t>(drop);
}

// The top keep limbs of x, the rest cut off.
BigFloat topLimbs(const BigFloat& x, int keep) {
  BigFloat t = x;
  truncate(t, keep);
  return t;
}

BigFloat finish(Limbs mag, int64_t exp, bool negative, int n) {
  BigFloat r{std::move(mag), exp, negative};
  normalize(r);
  truncate(r, n);
  return r;
}

}  // namespace

bool bitAt(const Limbs& m, int64_t pos) {
  if (pos < 0) return false;
  return (limbAt(m, pos / 32) >> (pos % 32)) & 1;
}

BigFloat fromDouble(double x) {
  const uint64_t bits = __builtin_bit_cast(uint64_t, x);
  const int biased = static_cast<int>((bits >> 52) & 0x7ff);
  uint64_t mantissa = bits & ((uint64_t{1} << 52) - 1);
  int64_t exp = -1074;
  if (biased != 0) {
    mantissa |= uint64_t{1} << 52;
    exp = biased - 1075;
  }
  return finish({static_cast<uint32_t>(mantissa), static_cast<uint32_t>(mantissa >> 32)}, exp,
                (bits >> 63) != 0, 2);
}

BigFloat fromInt(int64_t v) {
  const uint64_t m = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
  return finish({static_cast<uint32_t>(m), static_cast<uint32_t>(m >> 32)}, 0, v < 0, 2);
}

BigFloat powerOfTwo(int64_t e) {
  return BigFloat{{0x80000000u}, e - 31, false};
}

void normalize(BigFloat& x) {
  trimTop(x.mag);
  if (x.mag.empty()) {
    x.exp = 0;
    x.negative = false;
    return;
  }
  size_t low = 0;
  while (x.mag[low] == 0) ++low;
  if (low > 0) {
    x.mag.erase(x.mag.begin(), x.mag.begin() + static_cast<std::ptrdiff_t>(low));
    x.exp += 32 * static_cast<int64_t>(low);
  }
  const int shift = std::countl_zero(x.mag.back());
  if (shift > 0) {
    x.mag = shiftedWindow(x.mag, shift, x.mag.size());
    x.exp -= shift;
  }
}

BigFloat negated(BigFloat x) {
  if (!x.isZero()) x.negative = !x.negative;
  return x;
}

BigFloat scaled(BigFloat x, int64_t e) {
  if (!x.isZero()) x.exp += e;
  return x;
}

// Both operands are cut below a window of n + 2 limbs under the larger one's top bit, so the
// bits lost there stay far below the result's last limb unless the sum cancels; a cancelling
// sum has operands of nearly equal size whose bits all lie inside the window.
BigFloat add(const BigFloat& a, const BigFloat& b, int n) {
  if (a.isZero()) return topLimbs(b, n);
  if (b.isZero()) return topLimbs(a, n);
  const int64_t top = std::max(a.topBit(), b.topBit()) + 1;
  const int64_t bottom = std::max(top - 32 * static_cast<int64_t>(n + 2), std::min(a.exp, b.exp));
  const size_t size = static_cast<size_t>((top - bottom) / 32 + 2);
  Limbs x = shiftedWindow(a.mag, a.exp - bottom, size);
  Limbs y = shiftedWindow(b.mag, b.exp - bottom, size);
  bool negative = a.negative;
  if (a.negative == b.negative) {
    uint64_t carry = 0;
    for (size_t i = 0; i < size; ++i) {
      const uint64_t s = uint64_t{x[i]} + y[i] + carry;
      x[i] = static_cast<uint32_t>(s);
      carry = s >> 32;
    }
  } else {
    if (compareLimbs(x, y) < 0) {
      std::swap(x, y);
      negative = b.negative;
    }
    uint64_t borrow = 0;
    for (size_t i = 0; i < size; ++i) {
      const uint64_t d = uint64_t{x[i]} - y[i] - borrow;
      x[i] = static_cast<uint32_t>(d);
      borrow = (d >> 63) & 1;
    }
  }
  return finish(std::move(x), bottom, negative, n);
}

BigFloat sub(const BigFloat& a, const BigFloat& b, int n) {
  return add(a, negated(b), n);
}

BigFloat addExact(const BigFloat& a, const BigFloat& b) {
  if (a.isZero() || b.isZero()) return a.isZero() ? b : a;
  const int64_t span = std::max(a.topBit(), b.topBit()) + 2 - std::min(a.exp, b.exp);
  return add(a, b, static_cast<int>(span / 32 + 2));
}

// Only the columns from lowest upward are computed: the carries the columns below would pass
// up are less than (n + 1) 2^(32 lowest + 32), relatively below 2^(-32n - 53).
BigFloat mul(const BigFloat& a, const BigFloat& b, int n) {
  if (a.isZero() || b.isZero()) return {};
  const BigFloat x = topLimbs(a, n + 1), y = topLimbs(b, n + 1);
  const size_t sx = x.mag.size(), sy = y.mag.size();
  const size_t lowest = sx + sy > static_cast<size_t>(n) + 3 ? sx + sy - n - 3 : 0;
  Limbs r(sx + sy, 0);
  const uint32_t* yp = y.mag.data();
  uint32_t* rp = r.data();
  for (size_t i = 0; i < sx; ++i) {
    const uint64_t xi = x.mag[i];
    uint64_t carry = 0;
    for (size_t j = lowest > i ? lowest - i : 0; j < sy; ++j) {
      const uint64_t p = xi * yp[j] + rp[i + j] + carry;
      rp[i + j] = static_cast<uint32_t>(p);
      carry = p >> 32;
    }
    rp[i + sy] = static_cast<uint32_t>(carry);
  }
  std::fill(r.begin(), r.begin() + static_cast<std::ptrdiff_t>(lowest), 0);
  return finish(std::move(r), x.exp + y.exp, a.negative != b.negative, n);
}

BigFloat mulExact(const BigFloat& a, const BigFloat& b) {
  return mul(a, b, static_cast<int>(a.mag.size() + b.mag.size()) + 3);
}

BigFloat divSmall(const BigFloat& a, uint32_t d, int n) {
  if (a.isZero()) return {};
  const BigFloat x = topLimbs(a, n + 1);
  Limbs q(x.mag.size() + 1, 0);  // one more limb below, for the quotient's low bits
  uint64_t rem = 0;
  for (size_t i = q.size(); i-- > 0;) {
    const uint64_t cur = (rem << 32) | (i == 0 ? 0 : x.mag[i - 1]);
    q[i] = static_cast<uint32_t>(cur / d);
    rem = cur % d;
  }
  return finish(std::move(q), x.exp - 32, a.negative, n);
}

Limbs divideLimbs(const Limbs& uIn, const Limbs& vIn) {
  Limbs u = uIn, v = vIn;
  trimTop(u);
  trimTop(v);
  const size_t n = v.size(), m = u.size();
  if (m < n) return {};
  if (n == 1) {
    Limbs q(m, 0);
    uint64_t rem = 0;
    for (size_t i = m; i-- > 0;) {
      const uint64_t cur = (rem << 32) | u[i];
      q[i] = static_cast<uint32_t>(cur / v[0]);
      rem = cur % v[0];
    }
    trimTop(q);
    return q;
  }
  // Knuth's algorithm D on a divisor shifted until its top bit is set.
  const int s = std::countl_zero(v.back());
  const Limbs vn = shiftedWindow(v, s, n);
  Limbs un = shiftedWindow(u, s, m + 1);
  constexpr uint64_t base = uint64_t{1} << 32;
  Limbs q(m - n + 1, 0);
  for (size_t j = m - n + 1; j-- > 0;) {
    const uint64_t num = (uint64_t{un[j + n]} << 32) | un[j + n - 1];
    uint64_t qhat = num / vn[n - 1], rhat = num % vn[n - 1];
    while (qhat >= base || qhat * vn[n - 2] > ((rhat << 32) | un[j + n - 2])) {
      --qhat;
      rhat += vn[n - 1];
      if (rhat >= base) break;
    }
    uint64_t borrow = 0, carry = 0;
    for (size_t i = 0; i < n; ++i) {
      const uint64_t p = qhat * vn[i] + carry;
      carry = p >> 32;
      const int64_t t =
          int64_t{un[i + j]} - static_cast<int64_t>(borrow) - static_cast<int64_t>(p & 0xffffffffu);
      un[i + j] = static_cast<uint32_t>(t);
      borrow = t < 0 ? 1 : 0;
    }
    const int64_t t =
        int64_t{un[j + n]} - static_cast<int64_t>(borrow) - static_cast<int64_t>(carry);
    un[j + n] = static_cast<uint32_t>(t);
    if (t < 0) {  // qhat was one too large: add the divisor back
      --qhat;
      uint64_t c = 0;
      for (size_t i = 0; i < n; ++i) {
        const uint64_t sum = uint64_t{un[i + j]} + vn[i] + c;
        un[i + j] = static_cast<uint32_t>(sum);
        c = sum >> 32;
      }
      un[j + n] = static_cast<uint32_t>(un[j + n] + c);
    }
    q[j] = static_cast<uint32_t>(qhat);
  }
  trimTop(q);
  return q;
}

BigFloat div(const BigFloat& a, const BigFloat& b, int n) {
  if (a.isZero()) return {};
  const BigFloat x = topLimbs(a, n + 1), y = topLimbs(b, n + 1);
  // Enough zero limbs below the dividend that the quotient has n + 2 limbs.
  const size_t extra = static_cast<size_t>(n) + 2 + y.mag.size() - x.mag.size();
  Limbs u(extra, 0);
  u.insert(u.end(), x.mag.begin(), x.mag.end());
  return finish(divideLimbs(u, y.mag), x.exp - 32 * static_cast<int64_t>(extra) - y.exp,
                a.negative != b.negative, n);
}

BigFloat sqrt(const BigFloat& a, int n) {
  if (a.isZero()) return {};
  const BigFloat x = topLimbs(a, n + 1);
  // The radicand gets at least 2n + 2 limbs and an even exponent.
  int64_t shift = 64 * static_cast<int64_t>(n + 2) - 32 * static_cast<int64_t>(x.mag.size());
  if ((x.exp - shift) % 2 != 0) ++shift;
  const Limbs radicand =
      shiftedWindow(x.mag, shift, x.mag.size() + static_cast<size_t>(shift / 32) + 1);
  // Newton's iteration on integers from a start above the root: it falls monotonically to
  // floor(sqrt(radicand)) and stops there.
  const int64_t rootBit = (bitLength(radicand) + 1) / 2;
  Limbs root(static_cast<size_t>(rootBit / 32 + 1), 0);
  root[static_cast<size_t>(rootBit / 32)] = uint32_t{1} << (rootBit % 32);
  for (;;) {
    const Limbs q = divideLimbs(radicand, root);
    Limbs next(std::max(q.size(), root.size()) + 1, 0);
    uint64_t carry = 0;
    for (size_t i = 0; i < next.size(); ++i) {
      const uint64_t s = uint64_t{limbAt(q, static_cast<int64_t>(i))} +
                         limbAt(root, static_cast<int64_t>(i)) + carry;
      next[i] = static_cast<uint32_t>(s);
      carry = s >> 32;
    }
    next = shiftedWindow(next, -1, next.size());
    if (compareLimbs(next, root) >= 0) break;
    root = std::move(next);
  }
  return finish(std::move(root), (x.exp - shift) / 2, false, n);
}

double toDouble(const BigFloat& x) {
  if (x.isZero()) return 0.0;
  const int64_t top = x.topBit();
  const double inf = HUGE_VAL;
  if (top > 1023) return x.negative ? -inf : inf;
  const int64_t lsb = std::max<int64_t>(top - 52, -1074);  // weight of the result's last bit
  if (lsb > top + 1) return x.negative ? -0.0 : 0.0;       // below half the smallest subnormal
  const Limbs q2 = shiftedWindow(x.mag, x.exp - lsb, 2);
  uint64_t q = (uint64_t{q2[1]} << 32) | q2[0];
  const int64_t halfPos = lsb - 1 - x.exp;  // the first bit cut off, within mag
  if (bitAt(x.mag, halfPos) && (anyBitBelow(x.mag, halfPos) || (q & 1))) ++q;
  const double r = std::ldexp(static_cast<double>(q), static_cast<int>(lsb));
  return x.negative ? -r : r;
}

}  // namespace orbisk::math::mp
