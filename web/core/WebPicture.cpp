#include "web/core/WebPicture.h"

#include <optional>
#include <utility>
#include <vector>

#include "io/DataFileIo.h"
#include "model/DataFile.h"
#include "render/random/RandomCombination.h"
#include "session/PictureRecordText.h"
#include "web/core/Json.h"
#include "web/core/WebFields.h"

namespace orbisk::web {

namespace {

// A fragment is a few hundred characters; anything far longer is no link of ours.
constexpr std::size_t kMaxLinkChars = 4096;

// The previews' picture size: small enough that the figure fits the Thumbnail canvas.
constexpr int16_t kPreviewSize = 40;
constexpr int16_t kThumbnailFrame = 2;
// The colour preview's own picture: the start-up origin through the tiled shape, which fills
// the Thumbnail canvas with the colours, whatever shape the picture has.
constexpr int16_t kColourDiagramShape = 32;

// The fragment's short names of the record text's lines; working values keep their own names.
constexpr std::pair<const char*, const char*> kLinkNames[] = {
    {"r", "record"}, {"d", "detailstep"}, {"b", "background"}};

Answer refused(std::string message) {
  return {false, {}, std::move(message)};
}
Answer done(std::string text, std::string note = {}) {
  return {true, std::move(text), std::move(note)};
}

std::optional<DrawnPicture> read(std::string_view picture, std::string& error) {
  std::string reason;
  std::optional<DrawnPicture> drawn = parsePictureRecord(picture, &reason);
  if (!drawn) error = "The picture's record is damaged: " + reason + ".";
  return drawn;
}

// The record text as its key and value lines, in order, the first line left out.
std::vector<std::pair<std::string, std::string>> lines(const std::string& text) {
  std::vector<std::pair<std::string, std::string>> out;
  std::size_t at = text.find('\n') + 1;
  while (at < text.size()) {
    const std::size_t end = text.find('\n', at);
    const std::string line = text.substr(at, end - at);
    const std::size_t blank = line.find(' ');
    out.emplace_back(line.substr(0, blank), line.substr(blank + 1));
    at = end + 1;
  }
  return out;
}

// The data-file fields of a picture's values, 1..32 (index 0 unused).
std::vector<int> dataFields(const PictureParams& params) {
  const DataRecord record = parseRecord(formatRecord(params));
  std::vector<int> fields(kRecordFields + 1, 0);
  for (int i = 1; i <= kRecordFields; ++i) fields[i] = record[i];
  return fields;
}

}  // namespace

std::string startPicture() {
  return formatPictureRecord(DrawnPicture{});
}

Answer pictureValues(std::string_view picture) {
  std::string error;
  const std::optional<DrawnPicture> drawn = read(picture, error);
  if (!drawn) return refused(error);
  const std::vector<int> fields = dataFields(drawn->params);
  JsonObject values, offMenu;
  for (const WebField& f : webFields()) {
    const int value = f.position == kDetailPosition       ? drawn->detailstep
                      : f.position == kBackgroundPosition ? static_cast<int>(drawn->background)
                                                          : fields[f.position];
    values.add(std::to_string(f.position), value);
    if (std::string meaning = offMenuMeaning(f, value); !meaning.empty())
      offMenu.add(std::to_string(f.position), meaning);
  }
  return done(JsonObject().add("values", values).add("offMenu", offMenu).text());
}

std::string offMenuNote(std::string_view picture) {
  std::string error;
  const std::optional<DrawnPicture> drawn = read(picture, error);
  if (!drawn) return {};
  const std::vector<int> fields = dataFields(drawn->params);
  std::string note;
  for (const WebField& f : webFields()) {
    if (f.position < 1 || f.position > kRecordFields) continue;
    const std::string meaning = offMenuMeaning(f, fields[f.position]);
    if (!meaning.empty())
      note += (note.empty() ? "" : " ") + std::string(f.label) + " " + meaning + ".";
  }
  return note;
}

Answer withWorkingValues(std::string_view picture, std::string_view from) {
  std::string error;
  std::optional<DrawnPicture> drawn = read(picture, error);
  if (!drawn) return refused(error);
  const std::optional<DrawnPicture> left = read(from, error);
  if (!left) return refused(error);
  drawn->startState = left->startState;
  return done(formatPictureRecord(*drawn));
}

Answer previewPicture(std::string_view picture, PreviewKind kind) {
  std::string error;
  const std::optional<DrawnPicture> drawn = read(picture, error);
  if (!drawn) return refused(error);
  DrawnPicture preview;  // a fresh start: its orbit never depends on what was drawn before
  preview.params.size = kPreviewSize;
  preview.params.framesize = kThumbnailFrame;
  const PictureParams& from = drawn->params;
  if (kind == PreviewKind::Shape) {
    preview.params.driedkeuze = from.driedkeuze;
  } else {
    preview.params.driedkeuze = kColourDiagramShape;
    preview.params.xraykleur = from.xraykleur;
    preview.params.kl1ad = from.kl1ad;
    preview.params.kl2ad = from.kl2ad;
    preview.params.kl3ad = from.kl3ad;
    preview.params.inverse = from.inverse;
  }
  return done(formatPictureRecord(preview));
}

Answer setPictureValue(std::string_view picture, int position, int value) {
  std::string error;
  std::optional<DrawnPicture> drawn = read(picture, error);
  if (!drawn) return refused(error);
  const WebField* field = webField(position);
  if (field == nullptr)
    return refused("There is no value number " + std::to_string(position) + ".");
  if (std::string why = refusal(*field, value); !why.empty()) return refused(why + ".");
  if (position == kDetailPosition) {
    drawn->detailstep = static_cast<int16_t>(value);
    drawn->params.detailstep = drawn->detailstep;
  } else if (position == kBackgroundPosition) {
    drawn->background = static_cast<uint32_t>(value);
  } else {
    // Through the data file's own layout: the field lands where "Load data" would put it.
    std::vector<int> fields = dataFields(drawn->params);
    fields[position] = value;
    std::string line;
    for (int i = 1; i <= kRecordFields; ++i) line += (i > 1 ? "," : "") + std::to_string(fields[i]);
    const int16_t detail = drawn->params.detailstep;
    applyRecord(parseRecord(line), drawn->params);
    drawn->params.detailstep = detail;
  }
  return done(formatPictureRecord(*drawn));
}

Answer randomPicture(std::string_view picture, uint64_t seed) {
  std::string error;
  std::optional<DrawnPicture> drawn = read(picture, error);
  if (!drawn) return refused(error);
  applyCombination(drawn->params, drawRandomCombination(seed));
  return done(formatPictureRecord(*drawn));
}

Answer loadDataFile(std::string_view picture, const std::string& path) {
  std::string error;
  std::optional<DrawnPicture> drawn = read(picture, error);
  if (!drawn) return refused(error);
  const RecordFileResult loaded = readRecordFile(path);
  if (!loaded.ok) return refused(loaded.error);
  const int16_t detail = drawn->params.detailstep;
  applyRecord(loaded.record, drawn->params);
  drawn->params.detailstep = detail;
  return done(formatPictureRecord(*drawn), loaded.note);
}

Answer dataFileLine(std::string_view picture) {
  std::string error;
  const std::optional<DrawnPicture> drawn = read(picture, error);
  if (!drawn) return refused(error);
  return done(formatRecord(drawn->params));
}

Answer linkOf(std::string_view picture) {
  std::string error;
  const std::optional<DrawnPicture> drawn = read(picture, error);
  if (!drawn) return refused(error);
  const auto fresh = lines(startPicture());
  const auto mine = lines(formatPictureRecord(*drawn));
  std::string link;
  for (std::size_t i = 0; i < mine.size(); ++i) {
    const auto& [key, value] = mine[i];
    if (key == "program" || key == "scale") continue;
    std::string name = key;
    for (const auto& [shortName, longName] : kLinkNames)
      if (key == longName) name = shortName;
    if (key != "record" && value == fresh[i].second) continue;
    link += (link.empty() ? "" : "&") + name + "=" + value;
  }
  return done(link);
}

Answer pictureOfLink(std::string_view link) {
  const auto bad = [](const std::string& why) {
    return refused("This link does not name an Orbisk picture: " + why + ".");
  };
  if (link.size() > kMaxLinkChars) return bad("it is too long");
  // A reader that stops at the NUL would take only part of the link.
  if (link.find('\0') != std::string_view::npos) return bad("it holds a NUL character");
  auto values = lines(startPicture());
  std::vector<bool> given(values.size(), false);
  bool hasRecord = false;
  // Parts between "&"s, none of them empty.
  for (bool more = true; more;) {
    const std::size_t end = link.find('&');
    const std::string_view pair = link.substr(0, end);
    more = end != std::string_view::npos;
    if (more) link.remove_prefix(end + 1);
    const std::size_t equals = pair.find('=');
    if (equals == std::string_view::npos) return bad("a part has no \"=\"");
    std::string key(pair.substr(0, equals));
    const std::string_view value = pair.substr(equals + 1);
    for (const auto& [shortName, longName] : kLinkNames)
      if (key == shortName) key = longName;
    std::size_t i = 0;
    while (i < values.size() && (values[i].first != key || key == "program" || key == "scale")) ++i;
    if (i == values.size()) return bad("it holds an unknown part");
    if (given[i]) return bad("a part comes twice");
    if (value.find('\n') != std::string_view::npos) return bad("a value holds a line break");
    given[i] = true;
    values[i].second = value;
    hasRecord = hasRecord || key == "record";
  }
  if (!hasRecord) return bad("it holds no record");
  std::string text = startPicture().substr(0, startPicture().find('\n') + 1);
  for (const auto& [key, value] : values) text += key + " " + value + "\n";
  std::string reason;
  const std::optional<DrawnPicture> drawn = parsePictureRecord(text, &reason);
  if (!drawn) return bad(reason);
  return done(formatPictureRecord(*drawn));
}

Answer pagePicture(std::string_view picture) {
  std::string error;
  std::optional<DrawnPicture> drawn = read(picture, error);
  if (!drawn) return refused(error);
  drawn->scale = 1;
  return done(formatPictureRecord(*drawn));
}

}  // namespace orbisk::web
