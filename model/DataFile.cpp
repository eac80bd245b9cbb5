#include "model/DataFile.h"

#include <algorithm>

#include "model/ControlRanges.h"

namespace orbisk {

namespace {

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

// Skips the UTF-8 byte-order mark some editors put first. Returns false when the input starts
// with part of one only: such a start cannot begin a field either.
template <typename Source>
bool skipByteOrderMark(Source& src) {
  if (src.peek() != 0xef) return true;
  src.take();
  if (src.peek() != 0xbb) return false;
  src.take();
  if (src.peek() != 0xbf) return false;
  src.take();
  return true;
}

template <typename Source>
DataRecord parseFields(Source& src, int maxFields) {
  DataRecord record;
  const int wanted = std::clamp(maxFields, 0, kRecordFields);
  if (wanted > 0 && !skipByteOrderMark(src)) {
    record.problem = FieldProblem::Unreadable;
    return record;
  }
  while (record.count < wanted) {
    int commas = 0;
    while (isSeparator(src.peek())) {
      if (src.peek() == ',') ++commas;
      src.take();
    }
    // Two commas with only blanks between them enclose an empty field, which cannot be read;
    // passing over it would shift every later value into the wrong parameter.
    if (commas > 1) {
      record.problem = FieldProblem::Empty;
      break;
    }
    if (src.peek() == Source::kEnd) {
      record.problem = FieldProblem::Missing;
      break;
    }
    if (!readField(src, record.field[record.count])) {
      record.problem = FieldProblem::Unreadable;
      break;
    }
    ++record.count;
  }
  return record;
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

std::string describeFieldProblem(FieldProblem problem, int number) {
  const std::string field = "field " + std::to_string(number);
  switch (problem) {
    case FieldProblem::Missing:
      return "the file ends before " + field;
    case FieldProblem::Empty:
      return field + " is empty";
    case FieldProblem::Unreadable:
      return field + " is not a whole number from -32768 to 32767";
    case FieldProblem::None:
      break;
  }
  return field + " was read";
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

}  // namespace orbisk
