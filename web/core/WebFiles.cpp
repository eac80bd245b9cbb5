#include "web/core/WebFiles.h"

#include <optional>

#include "io/PictureRecordText.h"
#include "io/PngChunks.h"
#include "io/UserFile.h"
#include "web/core/ZlibHandoff.h"
#include "web/core/zlib/zlib.h"

namespace orbisk::web {

namespace {

constexpr std::string_view kSignature("\x89PNG\r\n\x1a\n", 8);

void bigEndian32(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xffu);
}

// One PNG chunk: length, type, data and the checksum of type and data.
std::string chunk(std::string_view type, std::string_view data) {
  std::string out;
  bigEndian32(out, static_cast<uint32_t>(data.size()));
  std::string typed(type);
  typed += data;
  out += typed;
  bigEndian32(out, static_cast<uint32_t>(crc32(crc32(0, nullptr, 0),
                                               reinterpret_cast<const Bytef*>(typed.data()),
                                               static_cast<uInt>(typed.size()))));
  return out;
}

Opened refusedWith(std::string message) { return {OpenOutcome::Refused, {false, {}, std::move(message)}}; }

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
      return refusedWith(!file.ok() ? file.error()
                                    : "Cannot read " + shown +
                                          ": it is not a picture that can be read, or its data is "
                                          "damaged or incomplete");
    case PngTextRead::Outcome::Refused:
      return refusedWith("The Orbisk record of \"" + shown + "\" is damaged: " + found.reason + ".");
    case PngTextRead::Outcome::Absent:
      return refusedWith("The picture \"" + shown + "\" carries no Orbisk record.");
    case PngTextRead::Outcome::Found:
      break;
  }
  std::string reason;
  std::optional<DrawnPicture> drawn = parsePictureRecord(found.text, &reason);
  if (!drawn)
    return refusedWith("The Orbisk record of \"" + shown + "\" is damaged: " + reason + ".");
  // The page draws at the frame's size; a larger picture's record draws the same composition.
  drawn->scale = 1;
  return {OpenOutcome::Opened, {true, formatPictureRecord(*drawn), {}}};
}

Answer pngWithRecord(std::string_view png, std::string_view picture) {
  std::string reason;
  if (!parsePictureRecord(picture, &reason)) return {false, {}, "The picture's record is damaged: " + reason + "."};
  // The header chunk is always 13 bytes of data: 8 + 4 + 4 + 13 + 4 bytes from the start.
  constexpr std::size_t kHeaderEnd = 8 + 4 + 4 + 13 + 4;
  if (png.size() < kHeaderEnd || png.substr(0, 8) != kSignature || png.substr(12, 4) != "IHDR")
    return {false, {}, "The browser did not make a PNG of the picture."};
  std::string text(kPictureRecordKey);
  text += '\0';
  text += picture;
  std::string out(png.substr(0, kHeaderEnd));
  out += chunk("tEXt", text);
  out += png.substr(kHeaderEnd);
  return {true, std::move(out), {}};
}

}  // namespace orbisk::web
