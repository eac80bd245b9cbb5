#include "session/FilmText.h"

#include <charconv>
#include <set>

#include "OrbiskVersion.h"
#include "session/PictureRecordText.h"

namespace orbisk {

namespace {

constexpr std::string_view kFirstLine = "Orbisk film 1";
constexpr std::string_view kPictureKey = "picture";

bool fail(std::string* error, const std::string& reason) {
  if (error) *error = reason;
  return false;
}

// Plain decimal digits within min..max, nothing else.
bool readWhole(std::string_view text, int min, int max, int& value) {
  int read = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, read);
  if (text.empty() || text[0] == '-' || ec != std::errc() || ptr != end || read < min || read > max)
    return false;
  value = read;
  return true;
}

// A value as a message shows it: at most 40 characters, printable ASCII only.
std::string shown(std::string_view text) {
  std::string out;
  for (const char c : text.substr(0, 40)) out += c >= 0x20 && c < 0x7f ? c : '?';
  return out;
}

bool readSetting(std::string_view key, std::string_view value, FilmDescription& film,
                 std::string* error) {
  const auto whole = [&](int min, int max, int& into) {
    return readWhole(value, min, max, into) ||
           fail(error, "the " + std::string(key) + " \"" + shown(value) + "\" is not " +
                           std::to_string(min) + " to " + std::to_string(max));
  };
  if (key == "program") return true;  // any version made it; the records say how to draw
  if (key == "kind") {
    if (value == "path" || value == "grow") {
      film.kind = value == "path" ? FilmDescription::Kind::Path : FilmDescription::Kind::Grow;
      return true;
    }
    return fail(error, "the kind \"" + shown(value) + "\" is neither path nor grow");
  }
  if (key == "easing") {
    if (value == "in-out" || value == "linear") {
      film.path.easing = value == "linear" ? FilmEasing::Linear : FilmEasing::InOut;
      return true;
    }
    return fail(error, "the easing \"" + shown(value) + "\" is neither in-out nor linear");
  }
  if (key == "frames") return whole(FilmPath::kMinFrames, FilmPath::kMaxFrames, film.path.frames);
  if (key == "every") return whole(1, FilmDescription::kMaxEvery, film.every);
  if (key == "fps") return whole(1, FilmDescription::kMaxFps, film.fps);
  if (key == "scale") return whole(1, 8, film.scale);
  return fail(error, "the line \"" + shown(key) + "\" is not a film's");
}

}  // namespace

std::string formatFilmText(const FilmDescription& film) {
  std::string text(kFirstLine);
  text += "\nprogram " + std::string(ORBISK_VERSION);
  if (film.kind == FilmDescription::Kind::Path) {
    text += "\nkind path\nframes " + std::to_string(film.path.frames);
    text += film.path.easing == FilmEasing::Linear ? "\neasing linear" : "\neasing in-out";
  } else {
    text += "\nkind grow\nevery " + std::to_string(film.every);
  }
  text += "\nfps " + std::to_string(film.fps) + "\nscale " + std::to_string(film.scale) + "\n";
  for (std::size_t k = 0; k < film.path.keyframes.size(); ++k) {
    text += std::string(kPictureKey) + " " + std::to_string(k + 1) + "\n";
    text += formatPictureRecord(film.path.keyframes[k]);
  }
  return text;
}

std::optional<FilmDescription> parseFilmText(std::string_view text, std::string* error) {
  if (text.size() > kMaxFilmTextChars) {
    fail(error, "the film's text is too long");
    return std::nullopt;
  }
  if (text.substr(0, kFirstLine.size() + 1) != std::string(kFirstLine) + "\n") {
    fail(error, "it does not start with \"" + std::string(kFirstLine) + "\"");
    return std::nullopt;
  }
  FilmDescription film;
  std::set<std::string, std::less<>> seen;
  std::string_view rest = text.substr(kFirstLine.size() + 1);
  // The settings, up to the first keyframe.
  while (!rest.empty() && !rest.starts_with(std::string(kPictureKey) + " ")) {
    const std::size_t end = rest.find('\n');
    if (end == std::string_view::npos) {
      fail(error, "the last line has no line end");
      return std::nullopt;
    }
    const std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end + 1);
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos || blank == 0) {
      fail(error, "line \"" + shown(line) + "\" is not a key and a value");
      return std::nullopt;
    }
    const std::string_view key = line.substr(0, blank);
    if (!seen.insert(std::string(key)).second) {
      fail(error, "line \"" + shown(key) + "\" comes twice");
      return std::nullopt;
    }
    if (!readSetting(key, line.substr(blank + 1), film, error)) return std::nullopt;
  }
  const bool path = film.kind == FilmDescription::Kind::Path;
  for (const char* key : {"program", "kind", "fps", "scale"}) {
    if (!seen.contains(key)) {
      fail(error, "the line \"" + std::string(key) + "\" is missing");
      return std::nullopt;
    }
  }
  for (const char* key : {"frames", "easing", "every"}) {
    const bool belongs = path != (std::string_view(key) == "every");
    if (seen.contains(key) != belongs) {
      fail(error, std::string("the line \"") + key +
                      (belongs ? "\" is missing" : "\" does not belong to this kind of film"));
      return std::nullopt;
    }
  }
  // The keyframes: "picture N" and the lines of its record, up to the next one.
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    const std::string expected =
        std::string(kPictureKey) + " " + std::to_string(film.path.keyframes.size() + 1);
    if (end == std::string_view::npos || line != expected) {
      fail(error, "line \"" + shown(line) + "\" should be \"" + expected + "\"");
      return std::nullopt;
    }
    if (film.path.keyframes.size() == FilmPath::kMaxKeyframes) {
      fail(error,
           "the film has more than " + std::to_string(FilmPath::kMaxKeyframes) + " pictures");
      return std::nullopt;
    }
    rest.remove_prefix(end + 1);
    std::size_t next = rest.find("\n" + std::string(kPictureKey) + " ");
    next = next == std::string_view::npos ? rest.size() : next + 1;
    std::string reason;
    const std::optional<DrawnPicture> picture = parsePictureRecord(rest.substr(0, next), &reason);
    if (!picture) {
      fail(error, "picture " + std::to_string(film.path.keyframes.size() + 1) + ": " + reason);
      return std::nullopt;
    }
    film.path.keyframes.push_back(*picture);
    rest.remove_prefix(next);
  }
  const std::size_t wanted = film.path.keyframes.size();
  if (path ? wanted < 2 : wanted != 1) {
    fail(error, path ? "a film needs at least two pictures"
                     : "a growing picture's film holds one picture, not " + std::to_string(wanted));
    return std::nullopt;
  }
  if (path) {
    if (std::string reason = checkFilmPath(film.path); !reason.empty()) {
      fail(error, reason);
      return std::nullopt;
    }
  }
  return film;
}

}  // namespace orbisk
