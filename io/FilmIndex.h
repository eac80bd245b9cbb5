// index.tsv of a folder of film frames: a header line, then one line per frame: its number, its
// file, the columns drawn ("all" for a finished picture, or how many of a growing one) and its
// record (the data-file line). Plain C++, so the fuzz targets read it as --join does.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbisk {

inline constexpr const char* kFilmIndexHeader = "frame\tfile\tcolumns\trecord";
// Longer indexes are refused unread: 10000 frames take about 1 MB.
inline constexpr std::size_t kMaxFilmIndexBytes = 4 << 20;

struct FilmIndexLine {
  int frame = 0;       // the frame's number in the whole film, from 0
  std::string file;    // its file in the folder: frameFileName(frame)
  int columns = -1;    // columns drawn of a growing picture; -1 for "all": a finished picture
  std::string record;  // the data-file line of its record
};

// The file of frame number index: frame-NNNNNN.png.
std::string frameFileName(int index);

std::string formatFilmIndexLine(const FilmIndexLine& line);

// Reads an index; nullopt and a one-line error for anything but a header and well-formed lines
// (numbers 0..9999 in plain digits, the file named for its number, no control characters).
std::optional<std::vector<FilmIndexLine>> parseFilmIndex(std::string_view text, std::string* error);

}  // namespace orbisk
