// The frames of a film through two or more keyframes: each frame is a picture of its own, drawn
// exactly from its record, so frames can be drawn anywhere and in any order.
//
// The smooth fields (size, the variables v2 to v4, the colour additions, slide, height and the
// two shifts: a step of one changes the picture a little, a larger step more) move from one
// keyframe's value to the next in whole steps, rounded to the nearest; every other field of the
// record, the working values a run starts from, the detail and the background switch to the next
// keyframe's halfway between the two (a formula choice cannot be half one and half the other). The
// first frame is the first keyframe exactly and the last frame the last one. All arithmetic is on
// integers, so every machine makes the same records.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/RecordFields.h"
#include "session/DrawnPicture.h"

namespace orbisk {

// How the film's position moves with the frame number.
enum class FilmEasing {
  Linear,  // the same step from every frame to the next
  InOut,   // starts and ends slowly: 3t^2 - 2t^3 of the linear position t
};

struct FilmPath {
  static constexpr int kMinFrames = 2;       // the first and the last keyframe
  static constexpr int kMaxFrames = 10000;   // over five minutes at 30 frames a second
  static constexpr int kMaxKeyframes = 100;  // keyframes one film passes through

  std::vector<DrawnPicture> keyframes;    // two or more, in the order the film visits them
  int frames = 0;                         // frames of the whole film, first and last included
  FilmEasing easing = FilmEasing::InOut;  // how the position moves with the frame number
};

// Whether field moves smoothly between keyframes (rather than switching halfway).
bool isSmoothField(Field field);

// "" when the path can be filmed, or one line saying why not: too few or too many keyframes or
// frames, two keyframes in a row that are the same picture, keyframes of different frames
// (a film keeps one size).
std::string checkFilmPath(const FilmPath& path);

// Frame index (0 .. frames - 1) of a path checkFilmPath accepts. Its scale is the first
// keyframe's.
DrawnPicture filmFrame(const FilmPath& path, int index);

}  // namespace orbisk
