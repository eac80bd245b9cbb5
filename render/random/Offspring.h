// Pictures made from others: variations of one picture and children of two. Each is a record
// made deterministically from its parents and a seed (integers only, so every machine and the
// page make the same), offered only when worth a look and different from its parents and from
// the others offered with it.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/PictureParams.h"
#include "render/run/PictureContent.h"
#include "render/run/WholePicture.h"

namespace orbisk {

// A stream of 64-bit values from one seed (SplitMix64), and the draws made from it.
class DrawStream {
 public:
  explicit DrawStream(uint64_t seed) : seed_(seed) {}
  uint64_t next();
  // A whole number from 0 to n - 1 (n > 0).
  int below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }

 private:
  uint64_t seed_;       // the stream's seed
  uint64_t drawn_ = 0;  // values drawn so far
};

// What one try makes: the record, and what it changed as a person reads it ("v2 40 to 52").
struct Derived {
  PictureParams params;  // the record made
  std::string change;    // what differs from the (first) parent
};

// One picture offered.
struct Offspring {
  uint64_t index = 0;    // number of the try that made it, from 0
  PictureOrder order;    // the first parent's order with the record made
  PictureContent quick;  // content of its quick look
  std::string change;    // what differs from the parent, as Derived says
};

// A record's data-file line without its line end, as an origin names a parent.
std::string recordText(const PictureParams& params);

// Try number index's record.
using Deriving = std::function<Derived(uint64_t index)>;

// Tries at most this many per picture wanted.
inline constexpr uint64_t kTriesPerOffspring = 12;

// The first wanted tries, in order, whose records differ from every parent and from each other,
// whose quick look (on top of base: its working values, canvas and filters) is worth showing and
// differs visibly (on 5 % of its pixels) from the parents' (drawn on base) and from those
// chosen before it. Where fewer are found within kTriesPerOffspring x wanted tries (a parent on
// which little shows), the richest of the tries that differed visibly when made fill up, so
// fewer come only where the tries made fewer such records. Empty when cancel was seen set.
std::vector<Offspring> chooseOffspring(const PictureOrder& base,
                                       const std::vector<PictureParams>& parents, int wanted,
                                       const Deriving& derive,
                                       const std::atomic<bool>* cancel = nullptr);

}  // namespace orbisk
