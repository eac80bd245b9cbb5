#include "io/FilmFormat.h"

#include <cctype>

namespace orbisk {

std::optional<FilmFormat> filmFormatFor(const std::string& path) {
  if (path.empty()) return std::nullopt;
  if (path.back() == '/') return FilmFormat::Folder;
  const std::size_t slash = path.find_last_of('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name == "." || name == "..") return FilmFormat::Folder;
  const std::size_t dot = name.find_last_of('.');
  if (dot == std::string::npos || dot == 0) return FilmFormat::Folder;
  std::string extension = name.substr(dot);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == ".webm") return FilmFormat::WebM;
  if (extension == ".mp4") return FilmFormat::Mp4;
  if (extension == ".png") return FilmFormat::Apng;
  if (extension == ".gif") return FilmFormat::Gif;
  return std::nullopt;
}

}  // namespace orbisk
