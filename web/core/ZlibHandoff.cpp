#include "web/core/ZlibHandoff.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "web/core/zlib/zlib.h"

namespace orbisk::web {

namespace {

std::optional<std::string> compressed;  // what the last reading asked to have inflated
std::optional<std::string> inflated;    // what the page inflated, when given
bool inflatingFailed = false;           // the page could not inflate it

// The table of the PNG format's CRC-32 (polynomial 0xedb88320), made once.
const std::array<uint32_t, 256>& crcTable() {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

}  // namespace

const std::optional<std::string>& compressedRecord() {
  return compressed;
}

void setInflatedRecord(std::optional<std::string> text, bool failed) {
  inflated = std::move(text);
  inflatingFailed = failed;
  compressed.reset();
}

}  // namespace orbisk::web

using namespace orbisk::web;

uLong crc32(uLong crc, const Bytef* bytes, uInt size) {
  if (bytes == nullptr) return 0;
  uint32_t c = static_cast<uint32_t>(crc) ^ 0xffffffffu;
  for (uInt i = 0; i < size; ++i) c = crcTable()[(c ^ bytes[i]) & 0xffu] ^ (c >> 8);
  return c ^ 0xffffffffu;
}

int inflateInit(z_stream*) {
  return Z_OK;
}

int inflate(z_stream* stream, int) {
  if (!inflated || inflatingFailed) {
    if (!inflated)
      compressed.emplace(reinterpret_cast<const char*>(stream->next_in), stream->avail_in);
    return Z_DATA_ERROR;
  }
  // The page's text, cut where the reader's room ends: a longer one then reads as too long.
  const std::size_t now = std::min<std::size_t>(inflated->size(), stream->avail_out);
  std::memcpy(stream->next_out, inflated->data(), now);
  stream->next_out += now;
  stream->avail_out -= static_cast<uInt>(now);
  return now == inflated->size() ? Z_STREAM_END : Z_OK;
}

int inflateEnd(z_stream*) {
  return Z_OK;
}
