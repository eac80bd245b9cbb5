// libFuzzer target: the texts --join reads from a folder of frames: film.txt (the film's
// keyframes and settings) and index.tsv (its frames). What either reader accepts reads again
// the same once written; a refusal is one plain line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "io/FilmIndex.h"
#include "session/FilmText.h"

namespace {

[[noreturn]] void broken(const char* property, const std::string& detail) {
  std::fprintf(stderr, "%s: \"%s\"\n", property, detail.c_str());
  std::abort();
}

void checkOneLine(const std::string& error) {
  if (error.empty()) broken("a refusal without a reason", "");
  for (const char c : error) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) broken("a refusal that is not one plain line", error);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string error;
  if (const auto film = orbisk::parseFilmText(text, &error)) {
    const std::string written = orbisk::formatFilmText(*film);
    const auto again = orbisk::parseFilmText(written, &error);
    if (!again) broken("a film text written from an accepted one is refused", error);
    if (orbisk::formatFilmText(*again) != written)
      broken("a film text changes when read again", written);
    if (film->kind == orbisk::FilmDescription::Kind::Path &&
        !orbisk::checkFilmPath(film->path).empty())
      broken("a path that cannot be filmed accepted", written);
  } else {
    checkOneLine(error);
  }
  error.clear();
  if (const auto lines = orbisk::parseFilmIndex(text, &error)) {
    std::string written = std::string(orbisk::kFilmIndexHeader) + "\n";
    for (const auto& line : *lines) written += orbisk::formatFilmIndexLine(line);
    const auto again = orbisk::parseFilmIndex(written, &error);
    if (!again || again->size() != lines->size())
      broken("an index written from an accepted one is refused", error);
    for (const auto& line : *lines)
      if (line.file != orbisk::frameFileName(line.frame))
        broken("a frame's file under another name", line.file);
  } else {
    checkOneLine(error);
  }
  return 0;
}
