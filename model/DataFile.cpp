#include "model/DataFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "model/ControlRanges.h"

namespace orbisk {

namespace {

namespace fs = std::filesystem;

// Values of the four reserved fields (13, 14, 18, 22). Readers ignore them.
constexpr int16_t kReservedValue = 1001;
constexpr int16_t kReservedZero = 0;

bool isSeparator(int c) {
  return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isDigit(int c) {
  return c >= '0' && c <= '9';
}

// Characters from a string, with the same peek/take shape as the stream source below.
class TextSource {
 public:
  explicit TextSource(std::string_view text) : text_(text.substr(0, kMaxRecordChars)) {}
  static constexpr int kEnd = -1;
  int peek() const { return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_]) : kEnd; }
  void take() { ++pos_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// Characters from a stream, one at a time, so a huge file is never held in memory.
class StreamSource {
 public:
  explicit StreamSource(std::istream& in) : in_(in) {}
  static constexpr int kEnd = -1;
  int peek() const {
    if (taken_ >= kMaxRecordChars) return kEnd;
    const auto c = in_.peek();
    return std::istream::traits_type::eq_int_type(c, std::istream::traits_type::eof())
               ? kEnd
               : static_cast<unsigned char>(std::istream::traits_type::to_char_type(c));
  }
  void take() {
    in_.get();
    ++taken_;
  }

 private:
  std::istream& in_;
  std::size_t taken_ = 0;  // characters read so far
};

// Reads one field: an optional minus sign, then decimal digits up to a separator or the end.
// Returns false, leaving the rest unread, when the field is malformed or outside 16 bits.
template <typename Source>
bool readField(Source& src, int16_t& value) {
  const bool negative = src.peek() == '-';
  if (negative) src.take();
  if (!isDigit(src.peek())) return false;

  // The magnitude is checked after every digit, so it never grows past 32768 + 9 and cannot
  // overflow however many digits follow.
  const int32_t limit = negative ? 32768 : 32767;
  int32_t magnitude = 0;
  while (isDigit(src.peek())) {
    magnitude = magnitude * 10 + (src.peek() - '0');
    if (magnitude > limit) return false;
    src.take();
  }
  const int next = src.peek();
  if (next != Source::kEnd && !isSeparator(next)) return false;
  value = static_cast<int16_t>(negative ? -magnitude : magnitude);
  return true;
}

template <typename Source>
DataRecord parseFields(Source& src, int maxFields) {
  DataRecord record;
  const int wanted = std::clamp(maxFields, 0, kRecordFields);
  while (record.count < wanted) {
    while (isSeparator(src.peek())) src.take();
    if (src.peek() == Source::kEnd) break;
    if (!readField(src, record.field[record.count])) break;
    ++record.count;
  }
  return record;
}

// The path as shown in a one-line message: control characters would break the line.
std::string displayPath(const std::string& path) {
  std::string shown = path;
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20) c = '?';
  }
  return shown;
}

std::string errnoText(int error) {
  return error != 0 ? std::strerror(error) : "unknown error";
}

// A name for the temporary file next to the target; unique enough that the exclusive create
// below rarely has to try again.
fs::path temporaryNameFor(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  const unsigned long long tag =
      static_cast<unsigned long long>(ticks) ^ (static_cast<unsigned long long>(++counter) << 48);
  fs::path name = target;
  name.replace_filename("." + target.filename().string() + "." + std::to_string(tag) + ".tmp");
  return name;
}

// Saving through a symbolic link updates the file it points to instead of replacing the link.
fs::path resolveLink(const fs::path& target) {
  std::error_code ec;
  if (!fs::is_symlink(target, ec)) return target;
  fs::path resolved = fs::weakly_canonical(target, ec);
  return ec ? target : resolved;
}

// Writes all of text into a newly created file; returns 0 or the errno of the failing step.
int writeNewFile(const fs::path& name, const std::string& text, bool& created) {
  created = false;
  errno = 0;
  std::FILE* file = std::fopen(name.string().c_str(), "wbx");  // fails when the name already exists
  if (file == nullptr) return errno != 0 ? errno : EIO;
  created = true;
  int error = 0;
  if (std::fwrite(text.data(), 1, text.size(), file) != text.size() || std::fflush(file) != 0) {
    error = errno != 0 ? errno : EIO;
  }
  if (std::fclose(file) != 0 && error == 0) error = errno != 0 ? errno : EIO;
  return error;
}

}  // namespace

std::string formatRecord(const PictureParams& p) {
  const std::array<int16_t, kRecordFields> fields = {
      p.size,          // 1
      p.cat,           // 2
      p.ali,           // 3
      p.direction,     // 4
      p.eff,           // 5
      p.func1,         // 6
      p.func2,         // 7
      p.t1,            // 8
      p.w,             // 9
      p.worldw,        // 10
      p.sols,          // 11
      p.cit,           // 12
      kReservedValue,  // 13
      kReservedValue,  // 14
      p.v2,            // 15
      p.v3,            // 16
      p.v4,            // 17
      kReservedValue,  // 18
      p.xraykleur,     // 19
      p.driedkeuze,    // 20
      p.inverse,       // 21
      kReservedZero,   // 22
      p.kl1ad,         // 23
      p.kl2ad,         // 24
      p.kl3ad,         // 25
      p.framesize,     // 26
      p.borderlen,     // 27
      p.widthfac,      // 28
      p.glij,          // 29
      p.hoogte,        // 30
      p.hsbvertical,   // 31
      p.hsbhorizon,    // 32
  };
  std::string line;
  for (int i = 0; i < kRecordFields; ++i) {
    if (i > 0) line += ',';
    line += std::to_string(fields[i]);
  }
  line += "\r\n";
  return line;
}

DataRecord parseRecord(std::istream& in, int maxFields) {
  StreamSource src(in);
  return parseFields(src, maxFields);
}

DataRecord parseRecord(std::string_view text, int maxFields) {
  TextSource src(text);
  return parseFields(src, maxFields);
}

void applyRecord(const DataRecord& r, PictureParams& p) {
  // A control refuses a value outside its range and keeps its position, so the value it holds
  // stays as it was.
  const auto toControl = [](Control control, int16_t value, int16_t& target) {
    if (controlAccepts(control, value)) target = value;
  };

  toControl(Control::hsbsize, r[1], p.size);
  p.cat = r[2];
  p.ali = r[3];
  p.direction = r[4];
  p.eff = r[5];
  toControl(Control::listv1a, r[6], p.func1);  // the list's entry is the function number - 1
  toControl(Control::listv1b, r[7], p.func2);
  p.t1 = r[8];
  p.w = r[9];
  toControl(Control::hsbworld, r[10], p.worldw);
  p.sols = r[11];
  p.cit = r[12];
  toControl(Control::hsbv2, r[15], p.v2);
  toControl(Control::hsbv3, r[16], p.v3);
  toControl(Control::hsbv4, r[17], p.v4);
  p.driedkeuze = r[20];
  p.inverse = r[21];
  p.xraykleur = r[19];
  toControl(Control::kl1ad, r[23], p.kl1ad);
  toControl(Control::kl2ad, r[24], p.kl2ad);
  toControl(Control::kl3ad, r[25], p.kl3ad);
  p.framesize = r[26];
  p.borderlen = r[27];
  p.widthfac = r[28];
  toControl(Control::glij, r[29], p.glij);
  toControl(Control::hoogte, r[30], p.hoogte);
  toControl(Control::hsbvertical, r[31], p.hsbvertical);
  toControl(Control::hsbhorizon, r[32], p.hsbhorizon);
}

RecordFileResult readRecordFile(const std::string& path, int maxFields) {
  RecordFileResult result;
  std::error_code ec;
  if (fs::is_directory(path, ec)) {
    result.error = "Cannot open " + displayPath(path) + ": " + errnoText(EISDIR);
    return result;
  }
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) {
    result.error = "Cannot open " + displayPath(path) + ": " + errnoText(errno);
    return result;
  }
  result.record = parseRecord(in, maxFields);
  if (in.bad()) {
    result.error = "Cannot read " + displayPath(path) + ": " + errnoText(errno);
    return result;
  }
  const int needed = std::min(kMinimumRecordFields, std::clamp(maxFields, 0, kRecordFields));
  if (result.record.count < needed) {
    result.error = displayPath(path) + " is not an Orbisk data file: only " +
                   std::to_string(result.record.count) + " of " + std::to_string(kRecordFields) +
                   " numbers could be read";
    return result;
  }
  result.ok = true;
  return result;
}

std::string writeRecordFile(const std::string& path, const PictureParams& params) {
  const std::string failure = "Cannot save " + displayPath(path) + ": ";
  if (path.empty()) return failure + errnoText(ENOENT);

  const fs::path target = resolveLink(path);
  const std::string text = formatRecord(params);

  fs::path temporary;
  bool created = false;
  int error = EEXIST;
  for (int attempt = 0; attempt < 100 && error == EEXIST && !created; ++attempt) {
    temporary = temporaryNameFor(target);
    error = writeNewFile(temporary, text, created);
  }
  if (error != 0) {
    std::error_code ignored;
    if (created) fs::remove(temporary, ignored);
    return failure + errnoText(error);
  }

  // The new file keeps the permissions of the one it replaces.
  std::error_code ec;
  const fs::file_status old = fs::status(target, ec);
  if (!ec && fs::exists(old)) fs::permissions(temporary, old.permissions(), ec);

  fs::rename(temporary, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return failure + ec.message();
  }
  return {};
}

}  // namespace orbisk
