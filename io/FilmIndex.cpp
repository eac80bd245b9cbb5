#include "io/FilmIndex.h"

#include <charconv>
#include <cstdio>

#include "session/FilmPath.h"

namespace orbisk {

namespace {

bool readNumber(std::string_view text, int max, int& value) {
  int read = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, read);
  if (text.empty() || text[0] == '-' || ec != std::errc() || ptr != end || read > max) return false;
  value = read;
  return true;
}

std::optional<std::vector<FilmIndexLine>> refuse(std::string* error, const std::string& why) {
  if (error) *error = why;
  return std::nullopt;
}

}  // namespace

std::string frameFileName(int index) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%06d.png", index);
  return name;
}

std::string formatFilmIndexLine(const FilmIndexLine& line) {
  return std::to_string(line.frame) + "\t" + line.file + "\t" +
         (line.columns < 0 ? std::string("all") : std::to_string(line.columns)) + "\t" +
         line.record + "\n";
}

std::optional<std::vector<FilmIndexLine>> parseFilmIndex(std::string_view text,
                                                         std::string* error) {
  if (text.size() > kMaxFilmIndexBytes) return refuse(error, "the index is too long");
  const std::string header = std::string(kFilmIndexHeader) + "\n";
  if (!text.starts_with(header)) return refuse(error, "the index does not start with its header");
  text.remove_prefix(header.size());
  std::vector<FilmIndexLine> lines;
  for (int number = 2; !text.empty(); ++number) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) return refuse(error, "the index's last line has no end");
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    const std::string where = "line " + std::to_string(number) + " of the index";
    for (const char c : line) {
      if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7f)
        return refuse(error, where + " holds a control character");
    }
    std::string_view fields[4];
    for (int f = 0; f < 4; ++f) {
      const std::size_t tab = f < 3 ? line.find('\t') : line.size();
      if (tab == std::string_view::npos || (f == 3 && line.find('\t') != std::string_view::npos))
        return refuse(error, where + " does not have four fields");
      fields[f] = line.substr(0, tab);
      line.remove_prefix(f < 3 ? tab + 1 : tab);
    }
    FilmIndexLine read;
    if (!readNumber(fields[0], FilmPath::kMaxFrames - 1, read.frame))
      return refuse(error, where + " has no frame number from 0 to " +
                               std::to_string(FilmPath::kMaxFrames - 1));
    read.file = std::string(fields[1]);
    if (read.file != frameFileName(read.frame))
      return refuse(error, where + " names another file than " + frameFileName(read.frame));
    if (fields[2] != "all" && !readNumber(fields[2], 1 << 30, read.columns))
      return refuse(error, where + " has no column count");
    read.record = std::string(fields[3]);
    lines.push_back(std::move(read));
  }
  return lines;
}

}  // namespace orbisk
