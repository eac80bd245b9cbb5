#include "render/random/RandomCombination.h"

#include <chrono>
#include <random>

namespace orbisk {

namespace {

// Int(r x n) + 1 for r uniform in [0, 1), built from the top 53 bits so the result is the same
// with every standard library.
int16_t draw(std::mt19937_64& engine, int n) {
  const double r = static_cast<double>(engine() >> 11) * 0x1.0p-53;
  return static_cast<int16_t>(static_cast<int>(r * n) + 1);
}

}  // namespace

RandomCombination drawRandomCombination(uint64_t seed) {
  std::mt19937_64 engine(seed);
  RandomCombination c{};
  c.cat = draw(engine, 10);
  c.ali = draw(engine, 14);
  c.eff = draw(engine, 20);
  c.func1 = draw(engine, 11);
  c.func2 = draw(engine, 11);
  c.t1 = draw(engine, 8);
  c.w = draw(engine, 35);
  c.worldw = draw(engine, 10);
  c.sols = draw(engine, 20);
  c.cit = draw(engine, 24);
  return c;
}

RandomCombination drawRandomCombination() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return drawRandomCombination(
      static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

void applyCombination(PictureParams& params, const RandomCombination& draw) {
  params.cat = draw.cat;
  params.ali = draw.ali;
  params.eff = draw.eff;
  params.func1 = draw.func1;
  params.func2 = draw.func2;
  params.t1 = draw.t1;
  params.w = draw.w;
  params.worldw = draw.worldw;
  params.sols = draw.sols;
  params.cit = draw.cit;
}

}  // namespace orbisk
