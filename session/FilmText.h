// The text that says what made a film: every keyframe's whole record and the film's settings,
// so the film can be made again exactly. Videos carry it in their metadata, animated PNGs and
// GIFs in a text chunk or comment, a folder of frames in film.txt.
//
// Lines end with LF; each is a key, one blank and a value:
//
//   Orbisk film 1                     the first line: what this is, and the format's version
//   program 4.3                       the version of the program that made it
//   kind path                         path: frames between keyframes; grow: a picture growing
//   frames 24                         path: the frames of the whole film
//   easing in-out                     path: in-out or linear
//   every 4                           grow: a frame after every this many columns
//   fps 25                            frames a second, 1..120
//   scale 1                           the frames' size over the frame's canvas size, 1..8
//   picture 1                         then, for each keyframe in order, its number and the
//   Orbisk picture record 1           lines of its picture record (as a PNG of ours carries it)
//   ...
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "session/FilmPath.h"

namespace orbisk {

// Longer film texts are refused unread: a hundred keyframes' records take about 160 KB.
inline constexpr std::size_t kMaxFilmTextChars = 1 << 20;

struct FilmDescription {
  enum class Kind { Path, Grow };
  static constexpr int kMaxFps = 120;      // frames a second a film may ask for
  static constexpr int kMaxEvery = 10000;  // columns between two frames of a growing picture

  Kind kind = Kind::Path;  // frames between keyframes, or a picture growing
  FilmPath path;           // the keyframes (one for a growing picture), frames and easing
  int every = 1;           // Grow: a frame after every this many columns
  int fps = 25;            // frames a second
  int scale = 1;           // the frames' size over the frame's canvas size, 1..8
};

std::string formatFilmText(const FilmDescription& film);

// Reads a film text. Anything but a complete, well-formed text (a missing, repeated or unknown
// line, a value out of range, a keyframe record that does not read) gives nullopt and, when
// error is given, a one-line reason.
std::optional<FilmDescription> parseFilmText(std::string_view text, std::string* error);

}  // namespace orbisk
