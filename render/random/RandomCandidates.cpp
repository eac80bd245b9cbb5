#include "render/random/RandomCandidates.h"

#include <algorithm>

namespace orbisk {

namespace {

constexpr int16_t kQuickDetail = 4;  // Detail Low's step
constexpr int kQuickPen = 4;         // and its pen
// Candidates looked at per one wanted at most; about one in three is dropped at the start-up
// values, so the bound is met only where nearly nothing can show.
constexpr uint64_t kLooksPerCandidate = 10;

}  // namespace

uint64_t candidateSeed(uint64_t seed, uint64_t index) {
  // SplitMix64: the state advances by the golden-ratio constant, the output is mixed.
  uint64_t z = seed + (index + 1) * 0x9e3779b97f4a7c15u;
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
  return z ^ (z >> 31);
}

uint64_t redrawSeed(uint64_t candidateSeed, int redraw) {
  return orbisk::candidateSeed(candidateSeed, static_cast<uint64_t>(redraw));
}

Candidate makeCandidate(const PictureOrder& start, uint64_t seed, uint64_t index) {
  Candidate candidate;
  candidate.index = index;
  candidate.seed = candidateSeed(seed, index);
  candidate.draw = drawRandomCombination(candidate.seed);
  candidate.order = start;
  applyCombination(candidate.order.params, candidate.draw);
  return candidate;
}

bool quickLook(const Candidate& candidate, RasterCanvas& scratch, PictureContent& content,
               const std::atomic<bool>* cancel) {
  return quickLook(candidate.order, scratch, content, cancel);
}

bool quickLook(const PictureOrder& order, RasterCanvas& scratch, PictureContent& content,
               const std::atomic<bool>* cancel) {
  PictureOrder quick = order;
  quick.params.detailstep = kQuickDetail;
  quick.canvas.penWidth = kQuickPen;
  if (!renderWholePicture(quick, scratch, cancel)) return false;
  content = measurePicture(scratch.bits(), scratch.width(), scratch.height(), scratch.width(),
                           quick.canvas.background);
  return true;
}

bool worthyCandidate(const PictureOrder& start, uint64_t seed, uint64_t index,
                     RasterCanvas& scratch, ChosenCandidate& chosen,
                     const std::atomic<bool>* cancel) {
  ChosenCandidate next{makeCandidate(start, seed, index), {}};
  const uint64_t firstSeed = next.candidate.seed;
  for (int redraw = 0;; ++redraw) {
    if (redraw > 0) {
      next.candidate.seed = redrawSeed(firstSeed, redraw);
      next.candidate.redraws = redraw;
      next.candidate.draw = drawRandomCombination(next.candidate.seed);
      next.candidate.order = start;
      applyCombination(next.candidate.order.params, next.candidate.draw);
    }
    if (!quickLook(next.candidate, scratch, next.quick, cancel)) return false;
    // Of draws equally rich, the earliest stays.
    if (redraw == 0 || showsMoreThan(next.quick, 1, chosen.quick, 0)) chosen = next;
    if (worthShowing(next.quick)) {
      chosen = std::move(next);
      return true;
    }
    if (redraw == kMaxRedraws) return true;
  }
}

std::vector<ChosenCandidate> chooseCandidates(const PictureOrder& start, uint64_t seed,
                                              uint64_t first, int wanted, uint64_t& looked,
                                              const std::atomic<bool>* cancel) {
  std::vector<ChosenCandidate> chosen, dropped;
  RasterCanvas scratch(0, 0);
  const auto wantedSize = static_cast<std::size_t>(std::max(wanted, 0));
  const uint64_t lastLook = first + wantedSize * kLooksPerCandidate;
  for (uint64_t index = first; chosen.size() < wantedSize && index < lastLook; ++index) {
    ChosenCandidate next{makeCandidate(start, seed, index), {}};
    if (!quickLook(next.candidate, scratch, next.quick, cancel)) return {};
    ++looked;
    (worthShowing(next.quick) ? chosen : dropped).push_back(std::move(next));
  }
  // A start on which hardly anything shows (a shape that draws nothing, everything shifted off
  // the canvas) must not keep the caller waiting for ever: the richest of the dropped fill up.
  std::stable_sort(dropped.begin(), dropped.end(), [](const auto& a, const auto& b) {
    return showsMoreThan(a.quick, a.candidate.index, b.quick, b.candidate.index);
  });
  for (auto& next : dropped) {
    if (chosen.size() >= wantedSize) break;
    chosen.push_back(std::move(next));
  }
  return chosen;
}

}  // namespace orbisk
