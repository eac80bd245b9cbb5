#include "render/random/RandomCombination.h"

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

int16_t RandomCombination::of(Field field) const {
  const FieldEntry& entry = fieldEntry(field);
  return entry.randomDraw > 0 ? values[static_cast<std::size_t>(entry.randomDraw - 1)] : 0;
}

RandomCombination drawRandomCombination(uint64_t seed) {
  std::mt19937_64 engine(seed);
  RandomCombination c;
  for (std::size_t i = 0; i < c.values.size(); ++i) {
    // Every drawn field's control starts at 1.
    c.values[i] = draw(engine, fieldEntry(randomFields()[i]).max);
  }
  return c;
}

void applyCombination(PictureParams& params, const RandomCombination& draw) {
  for (std::size_t i = 0; i < draw.values.size(); ++i)
    params.*fieldEntry(randomFields()[i]).member = draw.values[i];
}

}  // namespace orbisk
