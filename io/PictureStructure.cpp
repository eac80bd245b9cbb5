#include "io/PictureStructure.h"

#include <cstddef>
#include <cstdint>

namespace orbisk {

namespace {

using Bytes = std::string_view;

unsigned byteAt(Bytes b, std::size_t i) {
  return static_cast<unsigned char>(b[i]);
}
uint32_t le16(Bytes b, std::size_t i) {
  return byteAt(b, i) | (byteAt(b, i + 1) << 8);
}
uint32_t le32(Bytes b, std::size_t i) {
  return le16(b, i) | (le16(b, i + 2) << 16);
}
uint32_t be32(Bytes b, std::size_t i) {
  return (byteAt(b, i) << 24) | (byteAt(b, i + 1) << 16) | (byteAt(b, i + 2) << 8) |
         byteAt(b, i + 3);
}

PictureStructure verdict(bool complete) {
  return complete ? PictureStructure::Complete : PictureStructure::Incomplete;
}

// Marker segments up to a scan, the scan's coded data up to the next marker, and so on until
// the end-of-image marker. Progressive files have several scans; bytes after the end marker
// (some cameras append data) are allowed.
bool jpegComplete(Bytes b) {
  const std::size_t n = b.size();
  std::size_t i = 2;  // after the start-of-image marker
  for (;;) {
    if (i >= n || byteAt(b, i) != 0xff) return false;
    while (i < n && byteAt(b, i) == 0xff) ++i;  // fill bytes
    if (i >= n) return false;
    const unsigned marker = byteAt(b, i++);
    if (marker == 0xd9) return true;                                     // end of image
    if (marker == 0x01 || (marker >= 0xd0 && marker <= 0xd7)) continue;  // no length follows
    if (marker == 0x00 || n - i < 2) return false;
    const std::size_t length = (byteAt(b, i) << 8) | byteAt(b, i + 1);
    if (length < 2 || length > n - i) return false;
    i += length;
    if (marker != 0xda) continue;
    // Coded data: 0xff is followed by 0x00 (a stuffed byte), a restart marker or more 0xff;
    // anything else is the next marker.
    for (;;) {
      if (n - i < 2) return false;
      if (byteAt(b, i) != 0xff) {
        ++i;
        continue;
      }
      const unsigned next = byteAt(b, i + 1);
      if (next == 0x00 || (next >= 0xd0 && next <= 0xd7)) {
        i += 2;
      } else if (next == 0xff) {
        ++i;
      } else {
        break;
      }
    }
  }
}

// The pixel data starts at the header's offset; uncompressed rows are padded to 4 bytes, so the
// header's width, height and bits per pixel give the least size of the file. Compressed data
// states its size in the header.
bool bmpComplete(Bytes b) {
  if (b.size() < 26) return false;
  const uint64_t offset = le32(b, 10);
  const uint32_t headerSize = le32(b, 14);
  int64_t width = 0;
  int64_t height = 0;
  uint32_t bits = 0;
  uint32_t compression = 0;
  uint64_t imageSize = 0;
  if (headerSize == 12) {  // the oldest header: 16-bit sizes
    width = le16(b, 18);
    height = le16(b, 20);
    bits = le16(b, 24);
  } else {
    if (headerSize < 40 || b.size() < 38) return false;
    width = static_cast<int32_t>(le32(b, 18));
    height = static_cast<int32_t>(le32(b, 22));
    bits = le16(b, 28);
    compression = le32(b, 30);
    imageSize = le32(b, 34);
  }
  if (width <= 0 || height == 0 || bits == 0) return false;
  const uint64_t rows = static_cast<uint64_t>(height < 0 ? -height : height);
  const uint64_t available = b.size() > offset ? b.size() - offset : 0;
  if (offset > b.size()) return false;
  const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
  if (!uncompressed) return imageSize <= available;
  const uint64_t rowBytes = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
  // rows * rowBytes could overflow; the division cannot.
  return rowBytes == 0 || rows <= available / rowBytes;
}

// Sub-blocks: a length byte and that many bytes, until a zero length.
bool skipSubBlocks(Bytes b, std::size_t& i) {
  for (;;) {
    if (i >= b.size()) return false;
    const std::size_t length = byteAt(b, i++);
    if (length == 0) return true;
    if (length > b.size() - i) return false;
    i += length;
  }
}

std::size_t colourTableBytes(unsigned flags) {
  return (flags & 0x80) != 0 ? 3u * (2u << (flags & 7)) : 0;
}

// Every block in turn up to the trailer byte 0x3b.
bool gifComplete(Bytes b) {
  if (b.size() < 13) return false;
  std::size_t i = 13 + colourTableBytes(byteAt(b, 10));
  for (;;) {
    if (i >= b.size()) return false;
    const unsigned block = byteAt(b, i++);
    if (block == 0x3b) return true;
    if (block == 0x21) {  // extension: label, then sub-blocks
      if (i >= b.size()) return false;
      ++i;
      if (!skipSubBlocks(b, i)) return false;
    } else if (block == 0x2c) {  // image: descriptor, local colours, code size, sub-blocks
      if (b.size() - i < 9) return false;
      const std::size_t colours = colourTableBytes(byteAt(b, i + 8));
      i += 9;
      if (colours + 1 > b.size() - i) return false;
      i += colours + 1;
      if (!skipSubBlocks(b, i)) return false;
    } else {
      return false;
    }
  }
}

// Chunks of length, type, data and checksum, up to the IEND chunk.
bool pngComplete(Bytes b) {
  std::size_t i = 8;
  for (;;) {
    if (b.size() - i < 12) return false;
    const uint64_t length = be32(b, i);
    if (length > 0x7fffffffu || length > b.size() - i - 12) return false;
    const bool end = b.substr(i + 4, 4) == "IEND";
    i += 12 + static_cast<std::size_t>(length);
    if (end) return true;
  }
}

}  // namespace

PictureStructure checkPictureStructure(std::string_view bytes) {
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xff\xd8\xff")
    return verdict(jpegComplete(bytes));
  if (bytes.size() >= 2 && bytes.substr(0, 2) == "BM") return verdict(bmpComplete(bytes));
  if (bytes.size() >= 6 && (bytes.substr(0, 6) == "GIF87a" || bytes.substr(0, 6) == "GIF89a"))
    return verdict(gifComplete(bytes));
  if (bytes.size() >= 8 && bytes.substr(0, 8) == "\x89PNG\r\n\x1a\n")
    return verdict(pngComplete(bytes));
  return PictureStructure::NotChecked;
}

}  // namespace orbisk
