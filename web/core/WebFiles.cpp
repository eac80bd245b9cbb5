#include "web/core/WebFiles.h"

#include <optional>

#include "io/PngChunks.h"
#include "io/RecordMessages.h"
#include "io/UserFile.h"
#include "session/PictureRecordText.h"
#include "web/core/ZlibHandoff.h"

namespace orbisk::web {

namespace {

constexpr std::string_view kSignature("\x89PNG\r\n\x1a\n", 8);

Opened refusedWith(std::string message) {
  return {OpenOutcome::Refused, {false, {}, std::move(message)}};
}

}  // namespace

Opened openFile(std::string_view picture, const std::string& path) {
  const UserFileRead start = readUserFileStart(path, kSignature.size());
  if (!start.ok) return refusedWith(start.error);
  if (start.bytes != kSignature) {
    Opened opened;
    opened.answer = loadDataFile(picture, path);
    opened.outcome = opened.answer.ok ? OpenOutcome::Opened : OpenOutcome::Refused;
    return opened;
  }
  const std::string shown = displayPath(path);
  UserFileStream file(path, kMaxPictureFileBytes);
  if (!file.ok()) return refusedWith(file.error());
  const PngTextRead found =
      findPngText([&file](char* into, std::size_t size) { return file.read(into, size); },
                  kPictureRecordKey, {kMaxPictureRecordChunkBytes, kMaxPictureRecordChars});
  if (compressedRecord()) return {OpenOutcome::NeedsInflate, {}};
  switch (found.outcome) {
    case PngTextRead::Outcome::NotPng:
    case PngTextRead::Outcome::Broken:
      return refusedWith(!file.ok() ? file.error() : unreadablePictureMessage(shown));
    case PngTextRead::Outcome::Refused:
      return refusedWith(damagedRecordMessage(shown, found.reason));
    case PngTextRead::Outcome::Absent:
      return refusedWith(noRecordMessage(shown));
    case PngTextRead::Outcome::Found:
      break;
  }
  std::string reason;
  std::optional<DrawnPicture> drawn = parsePictureRecord(found.text, &reason);
  if (!drawn) return refusedWith(damagedRecordMessage(shown, reason));
  // The page draws at the frame's size; a larger picture's record draws the same composition.
  drawn->scale = 1;
  return {OpenOutcome::Opened, {true, formatPictureRecord(*drawn), {}}};
}

}  // namespace orbisk::web
