// What must hold for the data-file reader, loader and writer on any bytes whatsoever. The fuzz
// target feeds it arbitrary input; the regression tests feed it the inputs that once failed.
#pragma once

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>

#include "io/DataFileIo.h"
#include "model/PictureParams.h"
#include "model/RecordFields.h"

namespace orbisk::fuzz {

// Inputs that start with this byte also stand for an endless stream repeating the rest.
constexpr unsigned char kEndlessMarker = 0x7f;

// The pattern repeated until it is at least length characters long.
inline std::string repeated(std::string_view pattern, std::size_t length) {
  std::string text(pattern);
  while (text.size() < length) text += text;
  return text;
}

// An endless stream of one pattern, for input that never ends. The buffer holds many copies, so
// a one-character pattern does not cost a refill per character.
class RepeatingBuffer : public std::streambuf {
 public:
  explicit RepeatingBuffer(std::string_view pattern) : chunk_(repeated(pattern, 4096)) {}

 protected:
  int_type underflow() override {
    setg(chunk_.data(), chunk_.data(), chunk_.data() + chunk_.size());
    return traits_type::to_int_type(chunk_[0]);
  }

 private:
  std::string chunk_;  // whole copies of the pattern
};

namespace detail {

inline std::string recordText(const DataRecord& r) {
  std::string text = std::to_string(r.count) + " fields (stopped by problem " +
                     std::to_string(static_cast<int>(r.problem)) + "):";
  for (int16_t f : r.field) text += " " + std::to_string(f);
  return text;
}

inline std::string sameRecord(const char* what, const DataRecord& got, const DataRecord& want) {
  if (got.count == want.count && got.field == want.field && got.problem == want.problem) return {};
  return std::string(what) + " read " + recordText(got) + " instead of " + recordText(want);
}

// Fields past the count are 0, the count stays within the fields asked for, and a problem is
// named exactly when fewer were read.
inline std::string wellFormed(const char* what, const DataRecord& r, int maxFields) {
  const int wanted = std::clamp(maxFields, 0, kRecordFields);
  if (r.count < 0 || r.count > wanted) {
    return std::string(what) + " counted " + std::to_string(r.count) + " fields";
  }
  if ((r.problem == FieldProblem::None) != (r.count == wanted)) {
    return std::string(what) + " read " + std::to_string(r.count) + " of " +
           std::to_string(wanted) + " fields with problem " +
           std::to_string(static_cast<int>(r.problem));
  }
  for (int i = r.count; i < kRecordFields; ++i) {
    if (r.field[i] != 0) return std::string(what) + " left field " + std::to_string(i + 1) + " set";
  }
  return {};
}

// A record cut after maxFields fields: the first fields of the full record.
inline DataRecord truncated(const DataRecord& full, int maxFields) {
  DataRecord r;
  const int wanted = std::clamp(maxFields, 0, kRecordFields);
  r.count = std::min(full.count, wanted);
  std::copy(full.field.begin(), full.field.begin() + r.count, r.field.begin());
  r.problem = full.count >= wanted ? FieldProblem::None : full.problem;
  return r;
}

// Every editor-held value ends inside its control's range (the defaults are, and a control only
// ever takes a value it accepts).
inline std::string controlsInRange(const PictureParams& p) {
  for (const FieldEntry& entry : recordFields()) {
    if (entry.loading == Loading::WithinRange && !entry.accepts(p.*entry.member)) {
      return std::string("control ") + entry.controlName + " holds " +
             std::to_string(p.*entry.member);
    }
  }
  return {};
}

// Writes the bytes to scratchFile and reads them back as a data file.
inline std::string fileProblem(std::string_view bytes, const std::string& scratchFile,
                               const DataRecord& text) {
  {
    std::ofstream out(scratchFile, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) return {};  // no room to write: nothing to compare
  }
  for (int fields : {kRecordFields, kMinimumRecordFields}) {
    const RecordFileResult file = readRecordFile(scratchFile, fields);
    std::string problem = sameRecord("file reader", file.record, truncated(text, fields));
    if (!problem.empty()) return problem;
    if (file.ok != (file.record.count >= kMinimumRecordFields) || file.ok != file.error.empty()) {
      return "file reader: ok " + std::to_string(file.ok) + " with " +
             std::to_string(file.record.count) + " fields and message '" + file.error + "'";
    }
    // A refusal names the field that stopped the reading unless the file simply ended; a record
    // loaded short says which fields count as 0.
    const FieldProblem stop = file.record.problem;
    if (!file.ok && stop != FieldProblem::Missing &&
        file.error.find(describeFieldProblem(stop, file.record.count + 1)) == std::string::npos) {
      return "file reader refused without naming the field: '" + file.error + "'";
    }
    if (file.ok && file.note.empty() != (file.record.count == fields)) {
      return "file reader read " + std::to_string(file.record.count) + " of " +
             std::to_string(fields) + " fields with note '" + file.note + "'";
    }
  }
  return {};
}

}  // namespace detail

// Returns an empty string when every property holds for these bytes, else the first one that
// fails. scratchFile is a path the check may overwrite to read the bytes back as a file.
inline std::string dataFileProblem(std::string_view bytes, const std::string& scratchFile) {
  using namespace detail;
  std::string problem;

  // The string and the stream reader agree, and neither reads past the record.
  const DataRecord text = parseRecord(bytes);
  if (!(problem = wellFormed("text reader", text, kRecordFields)).empty()) return problem;
  std::istringstream in{std::string(bytes)};
  if (!(problem = sameRecord("stream reader", parseRecord(in), text)).empty()) return problem;

  // Asking for fewer fields reads the same leading fields.
  const int maxFields =
      bytes.empty() ? kMinimumRecordFields : static_cast<unsigned char>(bytes[0]) % 40 - 4;
  const DataRecord fewer = parseRecord(bytes, maxFields);
  if (!(problem = wellFormed("short read", fewer, maxFields)).empty()) return problem;
  if (!(problem = sameRecord("short read", fewer, truncated(text, maxFields))).empty()) {
    return problem;
  }

  // Loading keeps every control inside its range, and what is saved loads back the same.
  PictureParams loaded;
  applyRecord(text, loaded);
  if (!(problem = controlsInRange(loaded)).empty()) return problem;
  const std::string line = formatRecord(loaded);
  const DataRecord saved = parseRecord(line);
  if (saved.count != kRecordFields) return "a saved line reads back short: " + line;
  PictureParams reloaded;
  applyRecord(saved, reloaded);
  if (!(reloaded == loaded)) return "a saved line loads differently: " + line;
  if (formatRecord(reloaded) != line) return "saving a reloaded line changes it: " + line;

  // The same bytes as a file: the same record, refused exactly when it is too short.
  if (!scratchFile.empty()) {
    if (!(problem = fileProblem(bytes, scratchFile, text)).empty()) return problem;
  }

  // An endless stream of the rest of the bytes: the reader stops, and reads what the first
  // kMaxRecordChars characters of the stream hold.
  if (bytes.size() > 1 && static_cast<unsigned char>(bytes[0]) == kEndlessMarker) {
    const std::string_view pattern = bytes.substr(1);
    RepeatingBuffer endless(pattern);
    std::istream stream(&endless);
    const DataRecord fromStream = parseRecord(stream);
    const std::string prefix = repeated(pattern, kMaxRecordChars);
    if (!(problem = sameRecord("endless stream", fromStream, parseRecord(prefix))).empty()) {
      return problem;
    }
  }
  return {};
}

}  // namespace orbisk::fuzz
