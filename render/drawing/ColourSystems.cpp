#include "render/drawing/ColourSystems.h"

#include <cmath>

#include "render/orbit/AlwaysInline.h"
#include "render/orbit/Arith.h"
#include "render/surfaces/Surface.h"
#include "render/math/ExactMath.h"

namespace orbisk {

namespace {

// channel = |Int(e)| + addition + k, rounded half to even into 16 bits. A value that is not
// finite or leaves the 16-bit range is not assigned: the channel keeps its previous value.
// Int(e), the addition and k are whole numbers, so their sum is whole (every double beyond 2^52
// is) and rounding it changes nothing: only the range is left to check.
ORBISK_ALWAYS_INLINE void setChannel(double e, int addition, int k, int16_t& channel) {
  const double f = std::floor(e);
  if (!finite(f)) return;
  const double v = std::fabs(f) + addition + k;
  if (v >= INT16_MIN && v <= INT16_MAX) channel = static_cast<int16_t>(v);
}

// System 9: channel = |Int(u) / 50| + addition + k with u = base ^ base. The division makes
// halves possible, so this one really rounds.
ORBISK_ALWAYS_INLINE void setPowerChannel(double base, int addition, int16_t& channel) {
  const double u = math::pow(base, base);
  if (!finite(u)) return;
  if (auto v = roundToInt16(std::fabs(std::floor(u) / 50) + addition + 1)) channel = *v;
}

ORBISK_ALWAYS_INLINE int16_t limit(int16_t c) {
  return c > 255 ? 255 : (c < 0 ? 0 : c);
}

ORBISK_ALWAYS_INLINE void setChannels(int system, const ColourAdditions& a, RenderState& s) {
  const double P = s.orbp, Q = s.orbq, R = s.orbr;
  const double K = s.itersq, k = s.iter;
  const int kl1ad = a.kl1ad, kl2ad = a.kl2ad, kl3ad = a.kl3ad;
  switch (system) {
    case 1:
      setChannel(K + P + 85, kl1ad, 0, s.red);
      setChannel(P * 10 + K + 10, kl2ad, 0, s.green);
      setChannel(P * 20 + K, kl3ad, 0, s.blue);
      break;
    case 2:
      setChannel(K * P, kl1ad, 1, s.red);
      setChannel(P * 4 + K, kl2ad, 1, s.green);
      setChannel(P + K, kl3ad, 1, s.blue);
      break;
    case 3:
      setChannel(K * P * 4.5, kl1ad, 1, s.red);
      setChannel(P * 4.5 + K, kl2ad, 1, s.green);
      setChannel(P * 3 + K, kl3ad, 1, s.blue);
      break;
    case 4:
      setChannel(K * P + K * P, kl1ad, 1, s.red);
      setChannel(K + P, kl2ad, 1, s.green);
      setChannel(P * 10 + K, kl3ad, 1, s.blue);
      break;
    case 5:
      setChannel(K * P * 5, kl1ad, 1, s.red);
      setChannel(K * P, kl2ad, 1, s.green);
      setChannel(P * 5 + K, kl3ad, 1, s.blue);
      break;
    case 6:
      setChannel(K * P * 5, kl1ad, 1, s.red);
      setChannel(K * P * 3, kl2ad, 1, s.green);
      setChannel(K + P, kl3ad, 1, s.blue);
      break;
    case 7:
      // The grey system: only the red addition applies, and green and blue follow red.
      setChannel(P * Q + K, kl1ad, 0, s.red);
      s.green = s.red;
      s.blue = s.red;
      break;
    case 8:
      setChannel(K * R, kl1ad, 1, s.red);
      setChannel(k * P + Q, kl2ad, 1, s.green);
      setChannel(P * Q + k, kl3ad, 1, s.blue);
      break;
    case 9:
      setPowerChannel(P, kl1ad, s.red);
      setPowerChannel(Q, kl2ad, s.green);
      setPowerChannel(R, kl3ad, s.blue);
      break;
    case 10:
      setChannel(k * P - Q, kl1ad, 1, s.red);
      setChannel(k * Q - P, kl2ad, 1, s.green);
      setChannel(k * R, kl3ad, 1, s.blue);
      break;
    case 11:
      setChannel(P * Q, kl1ad, 0, s.red);
      setChannel(Q * R, kl2ad, 0, s.green);
      setChannel(P * R, kl3ad, 0, s.blue);
      break;
    case 12:
      setChannel(P * Q + K, kl1ad, 1, s.red);
      setChannel(Q * R + K, kl2ad, 1, s.green);
      setChannel(R * P + K, kl3ad, 1, s.blue);
      break;
    case 13:
      setChannel(K + Q, kl1ad, 1, s.red);
      setChannel(K + P, kl2ad, 1, s.green);
      setChannel(K - P, kl3ad, 1, s.blue);
      break;
    case 14:
      setChannel(P * P + Q, kl1ad, 1, s.red);
      setChannel(R * R * R, kl2ad, 1, s.green);
      setChannel(P * Q + P, kl3ad, 1, s.blue);
      break;
    default:
      break;  // the channels stay as the last coloured sample left them
  }
}

// The colour stage for one system; the system is a compile-time constant, so the switch above
// folds to that system's three formulas.
template <int SYSTEM>
uint32_t colourWithSystem(const ColourAdditions& a, RenderState& s) {
  setChannels(SYSTEM, a, s);
  s.red = limit(s.red);
  s.green = limit(s.green);
  s.blue = limit(s.blue);
  return rgbColour(s.red, s.green, s.blue);
}

// Any other system leaves the channels as the last coloured sample set them; they are still
// limited.
uint32_t colourWithUnknownSystem(const ColourAdditions& a, RenderState& s) {
  return colourWithSystem<0>(a, s);
}

constexpr ColourFunction kSystems[] = {
    &colourWithSystem<1>,  &colourWithSystem<2>,  &colourWithSystem<3>,  &colourWithSystem<4>,
    &colourWithSystem<5>,  &colourWithSystem<6>,  &colourWithSystem<7>,  &colourWithSystem<8>,
    &colourWithSystem<9>,  &colourWithSystem<10>, &colourWithSystem<11>, &colourWithSystem<12>,
    &colourWithSystem<13>, &colourWithSystem<14>};

}  // namespace

ColourFunction colourFunctionFor(int16_t xraykleur) {
  if (xraykleur >= 1 && xraykleur <= 14) return kSystems[xraykleur - 1];
  return &colourWithUnknownSystem;
}

uint32_t colourSample(int16_t xraykleur, int16_t kl1ad, int16_t kl2ad, int16_t kl3ad,
                      RenderState& s) {
  return colourFunctionFor(xraykleur)({kl1ad, kl2ad, kl3ad}, s);
}

}  // namespace orbisk
