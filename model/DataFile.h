// The ".dat" data file: one line of 32 comma-separated 16-bit integers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

#include "model/PictureParams.h"

namespace orbisk {

constexpr int kRecordFields = 32;
// A record needs at least this many readable fields to be loaded or viewed; with fewer the
// file is refused instead of wiping the picture with zeros.
constexpr int kMinimumRecordFields = 28;
// Reading a record looks at no more than this many characters (a written record has fewer than
// 200); whatever follows counts as the end of the input, so an endless stream of zeros or blanks
// cannot keep the reader busy for ever.
constexpr std::size_t kMaxRecordChars = std::size_t{1} << 20;

// Why reading a record stopped before every field asked for was read.
enum class FieldProblem {
  None,        // every field asked for was read
  Missing,     // the input ended (or its readable start did)
  Empty,       // two commas with nothing between them
  Unreadable,  // not an optional minus sign and decimal digits, or outside -32768..32767
};

// One record as read from a file. Fields that were not read hold 0.
struct DataRecord {
  std::array<int16_t, kRecordFields> field{};  // field[i] is field number i + 1
  int count = 0;                               // how many leading fields were read
  FieldProblem problem = FieldProblem::None;   // what stopped field count + 1 from being read

  // Field by its 1-based number as in the file format table.
  int16_t operator[](int number) const { return field[number - 1]; }
};

// The record line for the current parameters, CR LF included.
std::string formatRecord(const PictureParams& params);

// Reads up to maxFields fields, after a UTF-8 byte-order mark if the input starts with one.
// Commas, blanks, tabs and line breaks separate fields; reading stops at the first field that is
// not an optional minus sign followed by decimal digits with a value in -32768..32767, at an
// empty field (two commas with nothing but blanks, tabs or line breaks between them), and at the
// end of the input or after kMaxRecordChars characters.
DataRecord parseRecord(std::istream& in, int maxFields = kRecordFields);
DataRecord parseRecord(std::string_view text, int maxFields = kRecordFields);

// Makes the record the current parameters, in the load order of the program. A field held by an
// editor control keeps its old value when the file's value is outside that control's range; a
// field stored directly takes the value as read.
void applyRecord(const DataRecord& record, PictureParams& params);

struct RecordFileResult {
  bool ok = false;
  DataRecord record;
  std::string error;  // one line naming the file and the problem when !ok
  // When ok but fields asked for could not be read: one line naming the file, those fields
  // (which count as 0) and why; else empty.
  std::string note;
};

// The record of a data file's bytes, as "Load data" takes it: refused when it holds fewer than
// kMinimumRecordFields readable fields (fewer than maxFields when that is smaller), saying why the
// first field missing could not be read; messages name the file as shownName.
RecordFileResult readRecordText(std::string_view bytes, const std::string& shownName,
                                int maxFields = kRecordFields);

// Why field number `number` could not be read, in a few words ("field 30 is empty").
std::string describeFieldProblem(FieldProblem problem, int number);

}  // namespace orbisk
