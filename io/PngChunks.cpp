#include "io/PngChunks.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace orbisk {

namespace {

constexpr std::string_view kSignature("\x89PNG\r\n\x1a\n", 8);
constexpr uint32_t kMaxChunkLength = 0x7fffffffu;  // the format's own bound
constexpr std::size_t kPieceBytes = 64 * 1024;     // what is held of a chunk being skipped

uint32_t bigEndian32(const unsigned char* bytes) {
  return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
         uint32_t{bytes[3]};
}

PngTextRead broken(std::string reason) {
  PngTextRead read;
  read.outcome = PngTextRead::Outcome::Broken;
  read.reason = std::move(reason);
  return read;
}

PngTextRead refused(std::string reason) {
  PngTextRead read;
  read.outcome = PngTextRead::Outcome::Refused;
  read.reason = std::move(reason);
  return read;
}

// The source read in exact amounts, with the running checksum of the chunk being read.
class ChunkInput {
 public:
  explicit ChunkInput(const PngByteSource& source) : source_(source) {}

  // Reads exactly size bytes; false at an early end or when the source fails.
  bool read(void* into, std::size_t size) {
    auto* at = static_cast<char*>(into);
    while (size > 0) {
      const long long got = source_(at, size);
      if (got < 0) failed_ = true;
      if (got <= 0) return false;
      at += got;
      size -= static_cast<std::size_t>(got);
    }
    return true;
  }
  // Reads bytes that belong to the chunk's checksum.
  bool readChecked(void* into, std::size_t size) {
    if (!read(into, size)) return false;
    addToChecksum(into, size);
    return true;
  }
  void addToChecksum(const void* bytes, std::size_t size) {
    crc_ = ::crc32(crc_, static_cast<const Bytef*>(bytes), static_cast<uInt>(size));
  }
  // Reads and checksums size bytes of a chunk without keeping them.
  bool skipChecked(uint64_t size) {
    std::vector<char> piece(static_cast<std::size_t>(std::min<uint64_t>(size, kPieceBytes)));
    while (size > 0) {
      const std::size_t now = static_cast<std::size_t>(std::min<uint64_t>(size, piece.size()));
      if (!readChecked(piece.data(), now)) return false;
      size -= now;
    }
    return true;
  }
  void startChunk() { crc_ = ::crc32(0, nullptr, 0); }
  uint32_t crc() const { return static_cast<uint32_t>(crc_); }
  bool failed() const { return failed_; }

 private:
  const PngByteSource& source_;
  uLong crc_ = 0;
  bool failed_ = false;
};

enum class Inflated { Whole, TooLong, Damaged };

// Inflates a zlib stream into out, stopping as soon as more than maxBytes would come out.
Inflated inflateBounded(std::string_view compressed, std::size_t maxBytes, std::string& out) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return Inflated::Damaged;
  out.assign(maxBytes + 1, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  stream.avail_in = static_cast<uInt>(compressed.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  const int status = inflate(&stream, Z_FINISH);
  const std::size_t produced = out.size() - stream.avail_out;
  inflateEnd(&stream);
  if (produced > maxBytes) return Inflated::TooLong;
  if (status != Z_STREAM_END) return Inflated::Damaged;
  out.resize(produced);
  return Inflated::Whole;
}

// The part of a chunk's data up to the next NUL, taken off the front; false when there is none.
bool takeUpToNul(std::string_view& data, std::string_view* taken = nullptr) {
  const std::size_t nul = data.find('\0');
  if (nul == std::string_view::npos) return false;
  if (taken) *taken = data.substr(0, nul);
  data.remove_prefix(nul + 1);
  return true;
}

// The text of a text chunk whose keyword has been read: data is what follows the keyword's NUL.
PngTextRead textOf(std::string_view type, std::string_view data, const PngTextLimits& limits) {
  PngTextRead read;
  bool compressed = type == "zTXt";
  if (type == "zTXt" || type == "iTXt") {
    if (type == "iTXt") {
      if (data.empty()) return refused("the record's chunk is malformed");
      compressed = data[0] != 0;
      data.remove_prefix(1);
      read.utf8 = true;
    }
    if (data.empty() || data[0] != 0) return refused("the record is compressed in an unknown way");
    data.remove_prefix(1);
    // iTXt: the language tag and the translated keyword, each ended by a NUL.
    if (type == "iTXt" && !(takeUpToNul(data) && takeUpToNul(data)))
      return refused("the record's chunk is malformed");
  }
  if (compressed) {
    switch (inflateBounded(data, limits.maxTextBytes, read.text)) {
      case Inflated::TooLong:
        return refused("the record is too long");
      case Inflated::Damaged:
        return refused("the record's compressed text is damaged");
      case Inflated::Whole:
        break;
    }
  } else {
    if (data.size() > limits.maxTextBytes) return refused("the record is too long");
    read.text.assign(data);
  }
  // A reader that stops at the NUL would take only part of the record.
  if (read.text.find('\0') != std::string::npos) return refused("the record holds a NUL character");
  read.outcome = PngTextRead::Outcome::Found;
  return read;
}

}  // namespace

PngTextRead findPngText(const PngByteSource& source, std::string_view key,
                        const PngTextLimits& limits) {
  ChunkInput in(source);
  const auto unreadable = [&](const char* reason) {
    return broken(in.failed() ? "reading it failed" : reason);
  };
  char signature[8];
  if (!in.read(signature, sizeof signature) ||
      std::string_view(signature, sizeof signature) != kSignature) {
    if (in.failed()) return broken("reading it failed");
    PngTextRead read;
    read.outcome = PngTextRead::Outcome::NotPng;
    return read;
  }

  PngTextRead found;
  found.outcome = PngTextRead::Outcome::Absent;
  bool first = true;
  for (;;) {
    unsigned char header[8];
    if (!in.read(header, sizeof header)) return unreadable("it is cut off");
    const uint32_t length = bigEndian32(header);
    const std::string_view type(reinterpret_cast<const char*>(header + 4), 4);
    if (length > kMaxChunkLength) return broken("a chunk's length is not valid");
    if (first && type != "IHDR") return broken("it does not start with a header chunk");
    first = false;
    in.startChunk();
    in.addToChecksum(header + 4, 4);  // the type counts, the length does not

    const bool text = type == "tEXt" || type == "zTXt" || type == "iTXt";
    uint64_t rest = length;
    if (text && length > key.size()) {
      // The keyword and its NUL decide whether the chunk is the one sought.
      std::string keyword(key.size() + 1, '\0');
      if (!in.readChecked(keyword.data(), keyword.size())) return unreadable("it is cut off");
      rest -= keyword.size();
      if (keyword.compare(0, key.size(), key) == 0 && keyword.back() == '\0') {
        // Refused by its declared length, before any of it is read.
        if (length > limits.maxChunkBytes) return refused("the record is too long");
        std::string data(static_cast<std::size_t>(rest), '\0');
        if (!in.readChecked(data.data(), data.size())) return unreadable("it is cut off");
        unsigned char stored[4];
        if (!in.read(stored, sizeof stored)) return unreadable("it is cut off");
        if (bigEndian32(stored) != in.crc()) return broken("a chunk's checksum does not match");
        if (found.outcome == PngTextRead::Outcome::Found)
          return refused(
              "the picture carries more than one record, so which one is meant is "
              "ambiguous");
        PngTextRead read = textOf(type, data, limits);
        if (read.outcome != PngTextRead::Outcome::Found) return read;
        found = std::move(read);
        continue;
      }
    }
    if (!in.skipChecked(rest)) return unreadable("it is cut off");
    unsigned char stored[4];
    if (!in.read(stored, sizeof stored)) return unreadable("it is cut off");
    if (bigEndian32(stored) != in.crc()) return broken("a chunk's checksum does not match");
    if (type == "IEND") return found;  // whatever follows the end is not looked at
  }
}

PngTextRead findPngText(std::string_view bytes, std::string_view key, const PngTextLimits& limits) {
  const PngByteSource source = [&bytes](char* into, std::size_t size) -> long long {
    const std::size_t now = std::min(size, bytes.size());
    if (now == 0) return 0;
    std::memcpy(into, bytes.data(), now);
    bytes.remove_prefix(now);
    return static_cast<long long>(now);
  };
  return findPngText(source, key, limits);
}

}  // namespace orbisk
