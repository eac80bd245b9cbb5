// Finding one text in a PNG file from its chunks alone: no pixel is decoded, every chunk's
// checksum is checked, and the text's chunk is refused by its declared length before any of it
// is copied or inflated. Plain C++ (zlib for compressed texts), so the fuzz targets can run it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace orbisk {

// Where the bytes come from: fills at most size bytes at into and returns how many it gave, 0 at
// the end, or -1 when reading failed (the source keeps its own reason).
using PngByteSource = std::function<long long(char* into, std::size_t size)>;

struct PngTextRead {
  enum class Outcome {
    Found,    // exactly one text chunk under the key: text holds it
    Absent,   // a whole PNG without such a text
    Refused,  // a text under the key that cannot be taken: reason says why
    Broken,   // a PNG cut off or with a checksum that does not match, or the source failed
    NotPng,   // the bytes do not start with the PNG signature
  };
  Outcome outcome = Outcome::Broken;
  std::string text;    // the text's bytes when Found
  bool utf8 = false;   // when Found: UTF-8 (an iTXt chunk) rather than Latin-1 (tEXt, zTXt)
  std::string reason;  // why, for Refused and Broken: words to follow "...: ", calling the
                       // text "the record"
};

struct PngTextLimits {
  std::size_t maxChunkBytes = 16 * 1024;  // a longer chunk under the key is refused unread
  std::size_t maxTextBytes = 16 * 1024;   // a longer text (once inflated) is refused
};

// Reads the chunks up to IEND and returns the text filed under key in a tEXt, zTXt or iTXt
// chunk. Two chunks under the key are refused as ambiguous, and so is a NUL inside the text.
// Chunks are read through a small buffer, so memory stays bounded whatever the file declares.
PngTextRead findPngText(const PngByteSource& source, std::string_view key,
                        const PngTextLimits& limits = {});
PngTextRead findPngText(std::string_view bytes, std::string_view key,
                        const PngTextLimits& limits = {});

}  // namespace orbisk
