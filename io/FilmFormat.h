// The kinds of film a name asks for, told by its extension. Plain C++, so the command line's
// fuzz target reads names as the program does.
#pragma once

#include <optional>
#include <string>

namespace orbisk {

enum class FilmFormat {
  WebM,    // .webm: VP9 (libvpx-vp9), every pixel's colour kept (4:4:4)
  Mp4,     // .mp4: H.264 (libx264), every pixel's colour kept (4:4:4)
  Apng,    // .png: an animated PNG, every pixel exact
  Gif,     // .gif: exact where a frame has at most 256 colours, the 256 most used otherwise
  Folder,  // a folder of numbered PNG frames, each carrying its record, with index.tsv
};

// The format an output's name asks for: .webm, .mp4, .png, .gif (either case), or a folder for
// a name whose last part has no extension (or that ends in '/'); nullopt for any other extension.
std::optional<FilmFormat> filmFormatFor(const std::string& path);

}  // namespace orbisk
