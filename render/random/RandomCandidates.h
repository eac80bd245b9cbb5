// Random candidates as the gallery and orbisk-render --random draw them: a numbered sequence of
// combinations from one seed, each drawn on top of the same start, and a quick look that tells
// the ones worth rendering in full.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "render/random/RandomCombination.h"
#include "render/run/PictureContent.h"
#include "render/run/WholePicture.h"

namespace orbisk {

// Candidate number index of the sequence seed starts: its own seed is the index-th value of
// SplitMix64 from seed, so any candidate is reached without drawing the ones before it, and a
// long sequence can be cut into pieces that give exactly its candidates.
uint64_t candidateSeed(uint64_t seed, uint64_t index);

// One candidate: its place in the sequence, its draws and the whole order that renders it.
struct Candidate {
  uint64_t index = 0;        // number in the sequence, from 0
  uint64_t seed = 0;         // the seed of its draws: candidateSeed(sequence seed, index) at
                             // the first draw, redrawSeed of that for a later one
  int redraws = 0;           // draws before this one that were not worth showing
  RandomCombination draw{};  // the ten values, as Random draws them from that seed
  PictureOrder order;        // the start with the draws applied: what a pick renders
};

Candidate makeCandidate(const PictureOrder& start, uint64_t seed, uint64_t index);

// The seed of a candidate's draw number redraw (from 1) after its first: the redraw-th value of
// SplitMix64 seeded with the candidate's own seed.
uint64_t redrawSeed(uint64_t candidateSeed, int redraw);

// A cheap look at a candidate: the same run at Detail Low (a sixteenth of the samples, the pen
// four pixels wide), on a canvas of the same size. Its content predicts the full picture's
// closely enough to drop what is not worth a look (see worthShowing). Returns false
// when cancel was seen set.
bool quickLook(const Candidate& candidate, RasterCanvas& scratch, PictureContent& content,
               const std::atomic<bool>* cancel = nullptr);
// The same look at any order.
bool quickLook(const PictureOrder& order, RasterCanvas& scratch, PictureContent& content,
               const std::atomic<bool>* cancel = nullptr);

// The first wanted candidates from number first on whose quick look is worth showing, in
// their order in the sequence, with their quick looks' content; each one looked at is counted
// in looked. At most ten looks are spent per wanted candidate: where fewer are worth showing,
// the richest of the others make up the number. Empty when cancel was seen set.
struct ChosenCandidate {
  Candidate candidate;
  PictureContent quick;  // content of its quick look
};
std::vector<ChosenCandidate> chooseCandidates(const PictureOrder& start, uint64_t seed,
                                              uint64_t first, int wanted, uint64_t& looked,
                                              const std::atomic<bool>* cancel = nullptr);

// Candidate number index drawn until its quick look is worth showing: the first draw as
// makeCandidate makes it, then at most kMaxRedraws more from redrawSeed, so the candidate is the
// same wherever it is drawn. Where no draw is worth showing, the richest of them. False when
// cancel was seen set.
inline constexpr int kMaxRedraws = 31;
bool worthyCandidate(const PictureOrder& start, uint64_t seed, uint64_t index,
                     RasterCanvas& scratch, ChosenCandidate& chosen,
                     const std::atomic<bool>* cancel = nullptr);

}  // namespace orbisk
