#include "web/core/PngRecordChunk.h"

#include <zlib.h>

#include <cstdint>
#include <string>

#include "session/PictureRecordText.h"

namespace orbisk::web {

namespace {

constexpr std::string_view kSignature("\x89PNG\r\n\x1a\n", 8);

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

std::string pngScanlines(const uint8_t* rgba, int width, int height) {
  if (width < 1 || height < 1 || width > kMaxSavedSide || height > kMaxSavedSide) return {};
  const std::size_t w = static_cast<std::size_t>(width);
  std::string out;
  out.reserve((w * 3 + 1) * static_cast<std::size_t>(height));
  for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
    out += '\0';  // filter type None
    const uint8_t* row = rgba + y * w * 4;
    for (std::size_t x = 0; x < w; ++x) out.append(reinterpret_cast<const char*>(row + 4 * x), 3);
  }
  return out;
}

Answer rgbPng(int width, int height, std::string_view compressed, std::string_view picture) {
  if (width < 1 || height < 1 || width > kMaxSavedSide || height > kMaxSavedSide)
    return {false, {}, "The picture's size cannot be saved."};
  std::string reason;
  if (!picture.empty() && !parsePictureRecord(picture, &reason))
    return {false, {}, "The picture's record is damaged: " + reason + "."};
  std::string header;
  bigEndian32(header, static_cast<uint32_t>(width));
  bigEndian32(header, static_cast<uint32_t>(height));
  header += std::string("\x08\x02\0\0\0", 5);  // 8 bits, RGB, deflate, adaptive, no interlace
  std::string out(kSignature);
  out += chunk("IHDR", header);
  if (!picture.empty()) {
    std::string text(kPictureRecordKey);
    text += '\0';
    text += picture;
    out += chunk("tEXt", text);
  }
  out += chunk("IDAT", compressed);
  out += chunk("IEND", {});
  return {true, std::move(out), {}};
}

}  // namespace orbisk::web
