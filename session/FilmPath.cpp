#include "session/FilmPath.h"

#include <algorithm>
#include <limits>

#include "session/PictureRecordText.h"

namespace orbisk {

namespace {

// The largest numbers the position takes stay far inside int64_t: the eased denominator is
// at most (kMaxFrames - 1)^3 < 10^12, times the keyframes' count < 10^14, and a field's step
// (at most 65535) times a fraction's numerator (< 10^12) stays below 10^17.
static_assert(int64_t{FilmPath::kMaxFrames} * FilmPath::kMaxFrames * FilmPath::kMaxFrames *
                  FilmPath::kMaxKeyframes <
              std::numeric_limits<int64_t>::max() / 65536);

// Where frame index lies: between keyframe segment and segment + 1, at fraction
// numerator / denominator (0 at segment, 1 at segment + 1).
struct FilmPosition {
  int segment = 0;
  int64_t numerator = 0;
  int64_t denominator = 1;
};

FilmPosition positionOf(const FilmPath& path, int index) {
  const int64_t last = path.frames - 1;
  const int64_t i = std::clamp<int64_t>(index, 0, last);
  int64_t along = i, whole = last;  // the position along the whole film, from 0 to 1
  if (path.easing == FilmEasing::InOut) {
    along = 3 * i * i * last - 2 * i * i * i;
    whole = last * last * last;
  }
  const int64_t segments = static_cast<int64_t>(path.keyframes.size()) - 1;
  const int64_t scaled = along * segments;
  FilmPosition position;
  position.segment = static_cast<int>(std::min(scaled / whole, segments - 1));
  position.numerator = scaled - position.segment * whole;
  position.denominator = whole;
  return position;
}

// from + (to - from) x numerator / denominator, rounded to the nearest whole number (a half
// away from zero). The result lies between from and to, so it is an int16_t again.
int16_t between(int16_t from, int16_t to, int64_t numerator, int64_t denominator) {
  const int64_t product = (int64_t{to} - from) * numerator;
  int64_t step = product / denominator;
  const int64_t rest = product % denominator;
  if (2 * (rest < 0 ? -rest : rest) >= denominator) step += product < 0 ? -1 : 1;
  const int64_t value = from + step;
  return static_cast<int16_t>(std::clamp<int64_t>(value, std::min(from, to), std::max(from, to)));
}

// The record text without the scale: two keyframes are the same picture when these agree.
std::string pictureIdentity(DrawnPicture picture) {
  picture.scale = 1;
  return formatPictureRecord(picture);
}

}  // namespace

bool isSmoothField(Field field) {
  switch (field) {
    case Field::size:
    case Field::v2:
    case Field::v3:
    case Field::v4:
    case Field::kl1ad:
    case Field::kl2ad:
    case Field::kl3ad:
    case Field::glij:
    case Field::hoogte:
    case Field::hsbvertical:
    case Field::hsbhorizon:
      return true;
    default:
      return false;
  }
}

std::string checkFilmPath(const FilmPath& path) {
  const auto count = path.keyframes.size();
  if (count < 2) return "a film needs at least two pictures";
  if (count > FilmPath::kMaxKeyframes)
    return "a film passes through at most " + std::to_string(FilmPath::kMaxKeyframes) +
           " pictures, not " + std::to_string(count);
  if (path.frames < FilmPath::kMinFrames || path.frames > FilmPath::kMaxFrames)
    return "a film has from " + std::to_string(FilmPath::kMinFrames) + " to " +
           std::to_string(FilmPath::kMaxFrames) + " frames, not " + std::to_string(path.frames);
  for (std::size_t k = 1; k < count; ++k) {
    const DrawnPicture& before = path.keyframes[k - 1];
    const DrawnPicture& after = path.keyframes[k];
    if (after.params.framesize != path.keyframes[0].params.framesize)
      return "picture " + std::to_string(k + 1) +
             " has another frame than picture 1; a film keeps one size";
    if (pictureIdentity(before) == pictureIdentity(after))
      return "pictures " + std::to_string(k) + " and " + std::to_string(k + 1) +
             " are the same picture; a film needs a change";
  }
  return {};
}

DrawnPicture filmFrame(const FilmPath& path, int index) {
  const FilmPosition at = positionOf(path, index);
  const DrawnPicture& from = path.keyframes[static_cast<std::size_t>(at.segment)];
  const DrawnPicture& to = path.keyframes[static_cast<std::size_t>(at.segment) + 1];
  // Halfway and beyond, the frame belongs to the next keyframe in everything that cannot move.
  DrawnPicture frame = 2 * at.numerator >= at.denominator ? to : from;
  for (const FieldEntry& entry : recordFields()) {
    if (!isSmoothField(entry.field)) continue;
    frame.params.*entry.member =
        between(from.params.*entry.member, to.params.*entry.member, at.numerator, at.denominator);
  }
  frame.scale = path.keyframes.front().scale;
  return frame;
}

}  // namespace orbisk
