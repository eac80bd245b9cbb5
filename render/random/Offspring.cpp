#include "render/random/Offspring.h"

#include <algorithm>

#include "model/DataFile.h"
#include "render/random/RandomCandidates.h"

namespace orbisk {

namespace {

// A picture offered must differ visibly from its parents' and from every other's on this share
// of its pixels (in thousandths), or it shows the user nothing new.
constexpr std::size_t kMinDifferentPerMille = 50;
constexpr int kVisibleStep = 40;  // a channel difference a person sees

using Pixels = std::vector<uint32_t>;

bool differVisibly(const Pixels& a, const Pixels& b) {
  if (a.size() != b.size()) return true;
  std::size_t different = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    for (int shift = 0; shift < 24; shift += 8) {
      const int ca = static_cast<int>(a[i] >> shift & 0xffu);
      const int cb = static_cast<int>(b[i] >> shift & 0xffu);
      if (ca - cb >= kVisibleStep || cb - ca >= kVisibleStep) {
        ++different;
        break;
      }
    }
  }
  return different * 1000 >= a.size() * kMinDifferentPerMille;
}

Pixels pixelsOf(const RasterCanvas& canvas) {
  const auto count =
      static_cast<std::size_t>(canvas.width()) * static_cast<std::size_t>(canvas.height());
  return Pixels(canvas.bits(), canvas.bits() + count);
}

}  // namespace

std::string recordText(const PictureParams& params) {
  std::string record = formatRecord(params);
  record.erase(record.find_last_not_of("\r\n") + 1);
  return record;
}

uint64_t DrawStream::next() {
  return candidateSeed(seed_, drawn_++);
}

std::vector<Offspring> chooseOffspring(const PictureOrder& base,
                                       const std::vector<PictureParams>& parents, int wanted,
                                       const Deriving& derive, const std::atomic<bool>* cancel) {
  const auto wantedSize = static_cast<std::size_t>(std::max(wanted, 0));
  std::vector<Offspring> chosen, dropped;
  std::vector<PictureParams> seen = parents;  // records already made or given
  RasterCanvas scratch(0, 0);
  // The quick looks a new picture must differ from: the parents', then those offered.
  std::vector<Pixels> shown;
  for (const PictureParams& parent : parents) {
    PictureOrder order = base;
    order.params = parent;
    PictureContent ignored;
    if (!quickLook(order, scratch, ignored, cancel)) return {};
    shown.push_back(pixelsOf(scratch));
  }
  for (uint64_t index = 0; chosen.size() < wantedSize && index < wantedSize * kTriesPerOffspring;
       ++index) {
    Derived made = derive(index);
    if (std::find(seen.begin(), seen.end(), made.params) != seen.end()) continue;
    seen.push_back(made.params);
    Offspring next;
    next.index = index;
    next.order = base;
    next.order.params = made.params;
    next.change = std::move(made.change);
    if (!quickLook(next.order, scratch, next.quick, cancel)) return {};
    Pixels pixels = pixelsOf(scratch);
    if (!std::all_of(shown.begin(), shown.end(),
                     [&](const Pixels& other) { return differVisibly(pixels, other); }))
      continue;
    if (worthShowing(next.quick)) {
      shown.push_back(std::move(pixels));
      chosen.push_back(std::move(next));
    } else {
      dropped.push_back(std::move(next));
    }
  }
  std::stable_sort(dropped.begin(), dropped.end(), [](const Offspring& a, const Offspring& b) {
    return showsMoreThan(a.quick, a.index, b.quick, b.index);
  });
  for (Offspring& next : dropped) {
    if (chosen.size() >= wantedSize) break;
    chosen.push_back(std::move(next));
  }
  std::stable_sort(chosen.begin(), chosen.end(),
                   [](const Offspring& a, const Offspring& b) { return a.index < b.index; });
  return chosen;
}

}  // namespace orbisk
