#include "render/run/PictureContent.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

namespace orbisk {

namespace {

constexpr uint64_t kMinDrawnPpm = 10000;      // 1 % of the area
constexpr int kMinColours = 5;                // shades told apart
constexpr uint64_t kMaxDominantPpm = 900000;  // of the drawn part in one shade
constexpr int kMinTileChanges = 13;           // of 56 tile neighbours, across and down
// A field mostly of one colour shows lines or a pattern on it only when they are busy enough.
constexpr uint64_t kFieldDominantPpm = 700000;
constexpr uint64_t kFieldDetailPpm = 60000;
// A darker field with a line or two across it holds a little less and is a little calmer.
constexpr uint64_t kCalmFieldDominantPpm = 600000;
constexpr uint64_t kCalmFieldDetailPpm = 40000;
// Above this share of visible changes the picture is noise: a uniform speckled texture.
constexpr uint64_t kMaxDetailPpm = 200000;
// Neighbour pairs that change visibly: a picture with lines, edges or texture has this many;
// a smooth one with distinct colours needs fewer.
constexpr uint64_t kLivelyDetailPpm = 25000;  // 2.5 %
constexpr uint64_t kSmoothDetailPpm = 18000;  // 1.8 %
constexpr int kSmoothFamilies = 3;            // colours a smooth picture needs
// Two neighbours differ visibly when one channel differs by this much: a step a person sees at
// gallery size, where the bands of a gradient (a few levels apart) do not.
constexpr int kVisibleStep = 40;
// A shade counts as a colour of its own when it holds this share of the drawn part (in
// hundredths): specks of many shades make no colour.
constexpr uint64_t kSignificantShade = 100;  // 1 %
// Two colours that meet softly along this share of the smaller one's pixels are one gradient.
constexpr uint64_t kSoftMeeting = 256;
constexpr uint64_t kMinSoftPairs = 8;
// Two tiles' average colours differ visibly by this much in one channel.
constexpr int kVisibleTileStep = 12;

// Which of the kShades a 0xRRGGBB colour falls in: the top three bits of each channel.
uint32_t shadeOf(uint32_t colour) {
  return (colour >> 21 & 7u) << 6 | (colour >> 13 & 7u) << 3 | (colour >> 5 & 7u);
}

bool differVisibly(uint32_t a, uint32_t b) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int ca = static_cast<int>(a >> shift & 0xffu), cb = static_cast<int>(b >> shift & 0xffu);
    if (ca - cb >= kVisibleStep || cb - ca >= kVisibleStep) return true;
  }
  return false;
}

// Shades joined into colours: a small union-find over the significant shades.
class Families {
 public:
  explicit Families(std::size_t n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), 0); }
  std::size_t root(std::size_t i) {
    while (parent_[i] != i) i = parent_[i] = parent_[parent_[i]];
    return i;
  }
  void join(std::size_t a, std::size_t b) { parent_[root(a)] = root(b); }
  int count() {
    int n = 0;
    for (std::size_t i = 0; i < parent_.size(); ++i) n += root(i) == i ? 1 : 0;
    return n;
  }

 private:
  std::vector<std::size_t> parent_;  // each shade's parent; a root stands for its colour
};

// The tiles' average colours, and how many neighbouring tiles differ visibly.
void measureTiles(const uint32_t* pixels, int stride, PictureContent& content) {
  constexpr int n = PictureContent::kTiles;
  std::array<std::array<uint64_t, 3>, n * n> sums{};
  std::array<uint64_t, n * n> counts{};
  for (int y = 0; y < content.height; ++y) {
    const uint32_t* row = pixels + static_cast<std::ptrdiff_t>(content.top + y) * stride;
    const int ty = y * n / content.height;
    for (int x = 0; x < content.width; ++x) {
      const uint32_t colour = row[content.left + x];
      const auto tile = static_cast<std::size_t>(ty * n + x * n / content.width);
      sums[tile][0] += colour >> 16 & 0xffu;
      sums[tile][1] += colour >> 8 & 0xffu;
      sums[tile][2] += colour & 0xffu;
      ++counts[tile];
    }
  }
  const auto differ = [&](std::size_t a, std::size_t b) {
    if (counts[a] == 0 || counts[b] == 0) return false;
    for (std::size_t c = 0; c < 3; ++c) {
      const auto ma = static_cast<int>(sums[a][c] / counts[a]);
      const auto mb = static_cast<int>(sums[b][c] / counts[b]);
      if (ma - mb >= kVisibleTileStep || mb - ma >= kVisibleTileStep) return true;
    }
    return false;
  };
  for (std::size_t ty = 0; ty < n; ++ty)
    for (std::size_t tx = 0; tx < n; ++tx) {
      if (tx + 1 < n && differ(ty * n + tx, ty * n + tx + 1)) ++content.tileChangesAcross;
      if (ty + 1 < n && differ(ty * n + tx, (ty + 1) * n + tx)) ++content.tileChangesDown;
    }
}

}  // namespace

PictureContent measurePicture(const uint32_t* pixels, int width, int height, int stride,
                              uint32_t background) {
  PictureContent content;
  if (width <= 0 || height <= 0) return content;
  content.pixels = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
  // The background as stored: 0xRRGGBB, red in the high byte; the alpha byte is ignored.
  const uint32_t stored =
      (background & 0xffu) << 16 | (background & 0xff00u) | (background >> 16 & 0xffu);
  std::array<uint64_t, PictureContent::kShades> perShade{};
  int left = width, right = -1, top = height, bottom = -1;
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
    int first = -1, lastX = -1;
    for (int x = 0; x < width; ++x) {
      const uint32_t colour = row[x] & 0xffffffu;
      if (colour == stored) continue;
      ++content.drawnPixels;
      if (first < 0) first = x;
      lastX = x;
      ++perShade[shadeOf(colour)];
    }
    if (first >= 0) {
      left = std::min(left, first);
      right = std::max(right, lastX);
      top = std::min(top, y);
      bottom = y;
    }
  }
  if (right < 0) return content;
  content.left = left;
  content.top = top;
  content.width = right - left + 1;
  content.height = bottom - top + 1;

  // The significant shades, numbered.
  std::array<int, PictureContent::kShades> significant;
  significant.fill(-1);
  std::size_t shades = 0;
  for (std::size_t s = 0; s < perShade.size(); ++s) {
    if (perShade[s] == 0) continue;
    ++content.colours;
    content.dominantPixels = std::max(content.dominantPixels, perShade[s]);
    if (perShade[s] * kSignificantShade >= content.drawnPixels)
      significant[s] = static_cast<int>(shades++);
  }
  std::vector<uint64_t> soft(shades * shades);  // soft meetings of two significant shades
  std::vector<uint64_t> count(shades);          // pixels of each significant shade
  for (std::size_t s = 0; s < perShade.size(); ++s)
    if (significant[s] >= 0) count[static_cast<std::size_t>(significant[s])] = perShade[s];

  const auto meet = [&](uint32_t a, uint32_t b) {
    const bool drawnA = a != stored, drawnB = b != stored;
    if (!drawnA && !drawnB) return;
    ++content.pairs;
    if (differVisibly(a, b)) {
      ++content.changes;
      return;
    }
    if (!drawnA || !drawnB) return;
    const int sa = significant[shadeOf(a)], sb = significant[shadeOf(b)];
    if (sa >= 0 && sb >= 0 && sa != sb)
      ++soft[static_cast<std::size_t>(std::min(sa, sb)) * shades +
             static_cast<std::size_t>(std::max(sa, sb))];
  };
  for (int y = std::max(top - 1, 0); y <= bottom; ++y) {
    const uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
    const uint32_t* below = y + 1 < height ? row + stride : nullptr;
    for (int x = std::max(left - 1, 0); x <= right; ++x) {
      const uint32_t colour = row[x] & 0xffffffu;
      if (x + 1 < width) meet(colour, row[x + 1] & 0xffffffu);
      if (below) meet(colour, below[x] & 0xffffffu);
    }
  }
  measureTiles(pixels, stride, content);
  Families families(shades);
  for (std::size_t a = 0; a < shades; ++a)
    for (std::size_t b = a + 1; b < shades; ++b) {
      const uint64_t pairs = soft[a * shades + b];
      if (pairs >= kMinSoftPairs && pairs * kSoftMeeting >= std::min(count[a], count[b]))
        families.join(a, b);
    }
  content.families = families.count();
  return content;
}

bool worthShowing(const PictureContent& content) {
  if (content.drawnPpm() < kMinDrawnPpm || content.colours < kMinColours) return false;
  // One colour over nearly all of the drawn part: a field with a line or two.
  if (content.dominantPpm() > kMaxDominantPpm) return false;
  const uint64_t detail = content.detailPpm();
  if (content.dominantPpm() > kFieldDominantPpm && detail < kFieldDetailPpm) return false;
  if (content.dominantPpm() > kCalmFieldDominantPpm && detail < kCalmFieldDetailPpm) return false;
  if (detail > kMaxDetailPpm) return false;
  // Stripes, a gradient one way, a uniform texture: the composition changes one way at most.
  if (std::min(content.tileChangesAcross, content.tileChangesDown) < kMinTileChanges) return false;
  // Smooth all over: a gradient, unless it parts into colours a person names.
  return detail >= kLivelyDetailPpm ||
         (detail >= kSmoothDetailPpm && content.families >= kSmoothFamilies);
}

bool showsMoreThan(const PictureContent& a, uint64_t drawnA, const PictureContent& b,
                   uint64_t drawnB) {
  if (a.richness() != b.richness()) return a.richness() > b.richness();
  return drawnA < drawnB;
}

}  // namespace orbisk
