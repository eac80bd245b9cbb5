// orbisk-render --animate, --grow and --join: films of pictures, drawn on every core and
// encoded with FFmpeg's libraries, or written as a folder of frames.
#pragma once

#include <cstdio>

#include "cli/AnimateOptions.h"

namespace orbisk {

// What --help says about films, after the renderer's and the survey's options.
constexpr const char* kAnimateHelp =
    R"(
With --animate, make a film from FROM through every further picture to the last:
each frame is a picture drawn from a record whose smooth values (size, v2, v3, v4,
the colour additions, slide, height and the shifts) move between the pictures while
every other value switches halfway; the first and last frames are FROM and the
last picture exactly. With --grow, film a picture growing column by column,
ending on the finished picture. With --join, encode folders of frames drawn in
slices as one film.

  --frames N          frames of the whole film (2 to 10000), first and last included
  --ease in-out|linear  start and end slowly (default) or move evenly
  --every K           a growing picture's frame after every K columns (default 1)
  --fps F             frames a second (1 to 120, default 25)
  --scale K           frames K times larger (1 to 8, default 1)
  --first K --count M   draw only frames K to K + M - 1, into a folder
  -o OUT              .webm (VP9), .mp4 (H.264), .png (animated PNG, lossless),
                      .gif, or a folder of numbered PNG frames with index.tsv

Example:
  orbisk-render --animate a.dat b.png --frames 48 -o film.webm
)";

// Makes the film the options ask for. Returns the exit status: 0, or 2 after a one-line message
// on err, with nothing written.
int runFilm(const AnimateOptions& options, std::FILE* err);

}  // namespace orbisk
