#include "web/core/PngRecordChunk.h"

#include <zlib.h>

#include <cstdint>
#include <string>

#include "session/PictureRecordText.h"

namespace orbisk::web {

namespace {

constexpr std::string_view kSignature("\x89PNG\r\n\x1a\n", 8);
// The header chunk: its length (always 13), type, data and checksum follow the signature.
constexpr std::string_view kHeaderStart("\0\0\0\x0dIHDR", 8);
constexpr std::size_t kHeaderEnd = 8 + 4 + 4 + 13 + 4;

void bigEndian32(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xffu);
}

// One PNG chunk: length, type, data and the checksum of type and data.
std::string chunk(std::string_view type, std::string_view data) {
  std::string typed(type);
  typed += data;
  std::string out;
  bigEndian32(out, static_cast<uint32_t>(data.size()));
  out += typed;
  bigEndian32(out, static_cast<uint32_t>(crc32(crc32(0, nullptr, 0),
                                               reinterpret_cast<const Bytef*>(typed.data()),
                                               static_cast<uInt>(typed.size()))));
  return out;
}

}  // namespace

Answer pngWithRecord(std::string_view png, std::string_view picture) {
  std::string reason;
  if (!parsePictureRecord(picture, &reason))
    return {false, {}, "The picture's record is damaged: " + reason + "."};
  if (png.size() < kHeaderEnd || png.substr(0, 8) != kSignature ||
      png.substr(8, kHeaderStart.size()) != kHeaderStart)
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
