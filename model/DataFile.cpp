#include "model/DataFile.h"

#include <algorithm>

#include "model/RecordFields.h"

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
  // The four reserved fields hold their fixed values; every other one comes from the table.
  std::array<int16_t, kRecordFields> fields{};
  for (int number : {13, 14, 18}) fields[number - 1] = kReservedValue;
  fields[22 - 1] = kReservedZero;
  for (const FieldEntry& entry : recordFields()) {
    if (entry.position > 0) fields[static_cast<std::size_t>(entry.position - 1)] = p.*entry.member;
  }
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

RecordFileResult readRecordText(std::string_view bytes, const std::string& shownName,
                                int maxFields) {
  RecordFileResult result;
  result.record = parseRecord(bytes, maxFields);
  const DataRecord& record = result.record;
  const int wanted = std::clamp(maxFields, 0, kRecordFields);
  const int needed = std::min(kMinimumRecordFields, wanted);
  const int firstUnread = record.count + 1;
  if (record.count < needed) {
    const int count = record.count;
    std::string reason;
    if (record.problem == FieldProblem::Missing) {
      const std::string found = count == 0   ? "no number"
                                : count == 1 ? "only 1 number"
                                             : "only " + std::to_string(count) + " numbers";
      reason = found + " could be read; a data file needs at least " + std::to_string(needed);
    } else {
      reason = describeFieldProblem(record.problem, firstUnread);
    }
    result.error = shownName + " is not an Orbisk data file: " + reason + ".";
    return result;
  }
  result.ok = true;
  if (record.count < wanted) {
    // Loaded all the same, as a record of 28 or more fields always is; the user hears which
    // values the picture lost.
    const std::string fields = firstUnread == wanted ? "field " + std::to_string(wanted) +
                                                           " could not be read and "
                                                           "now counts as 0"
                                                     : "fields " + std::to_string(firstUnread) +
                                                           " to " + std::to_string(wanted) +
                                                           " could not be read and now count as 0";
    result.note =
        shownName + ": " + fields + " (" + describeFieldProblem(record.problem, firstUnread) + ").";
  }
  return result;
}

void applyRecord(const DataRecord& r, PictureParams& p) {
  for (const FieldEntry& entry : recordFields()) {
    if (entry.loading == Loading::NotInTheFile) continue;
    const int16_t value = r[entry.position];
    // A control refuses a value outside its range and keeps its position, so the value it
    // holds stays as it was.
    if (entry.loading == Loading::AsRead || entry.accepts(value)) p.*entry.member = value;
  }
}

}  // namespace orbisk
