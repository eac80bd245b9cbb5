// orbisk-render --animate, --grow and --join: the options of a film, read without Qt so the fuzz
// targets take them as they are.
#pragma once

#include <string>
#include <vector>

#include "io/FilmFormat.h"
#include "session/FilmPath.h"

namespace orbisk {

struct AnimateOptions {
  enum class Mode {
    Path,  // --animate FROM TO [MORE...]: frames between pictures
    Grow,  // --grow PICTURE: a picture growing column by column
    Join,  // --join FOLDER [MORE...]: frames drawn in slices, encoded as one film
  };
  static constexpr int kMaxFps = 120;      // frames a second a film may ask for
  static constexpr int kMaxEvery = 10000;  // columns between two frames of a growing picture

  Mode mode = Mode::Path;                  // what the command makes
  std::vector<std::string> inputs;         // the pictures (data files or PNGs), or the folders
  int frames = 0;                          // --frames N: frames of a path, first and last included
  int fps = 25;                            // --fps F: frames a second, 1..120
  bool fpsGiven = false;                   // --fps was given
  int scale = 1;                           // --scale K: frames K times larger, 1..8
  bool scaleGiven = false;                 // --scale was given
  FilmEasing easing = FilmEasing::InOut;   // --ease in-out|linear
  bool easingGiven = false;                // --ease was given
  int every = 1;                           // --every K: a growing picture's frame every K columns
  bool everyGiven = false;                 // --every was given
  int first = 0;                           // --first K: the slice's first frame, from 0
  int count = 0;                           // --count M: the slice's frames; 0 for the whole film
  bool sliced = false;                     // --first and --count were given
  std::string outputPath;                  // -o OUT: a film file or a folder of frames
  FilmFormat format = FilmFormat::Folder;  // what OUT's name asks for
};

// Whether the arguments ask for a film: --animate, --grow or --join before any "--".
bool isFilmCommand(const std::vector<std::string>& args);

// Parses the arguments after the program name. Returns an empty string or a one-line error.
std::string parseAnimateOptions(const std::vector<std::string>& args, AnimateOptions& options);

constexpr const char* kAnimateUsage =
    "usage: orbisk-render --animate FROM TO [MORE...] --frames N [--ease in-out|linear] "
    "[--fps F] [--scale K] [--first K --count M] -o OUT.webm|OUT.mp4|OUT.png|OUT.gif|FOLDER";
constexpr const char* kGrowUsage =
    "usage: orbisk-render --grow PICTURE [--every K] [--fps F] [--scale K] "
    "[--first K --count M] -o OUT";
constexpr const char* kJoinUsage =
    "usage: orbisk-render --join FOLDER [MORE...] -o OUT.webm|OUT.mp4|OUT.png|OUT.gif";

}  // namespace orbisk
