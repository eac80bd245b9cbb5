// The data-file reader on the inputs the fuzzer started from and on the ones it found failing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "fuzz/DataFileProperties.h"
#include "io/DataFileIo.h"

namespace orbisk {
namespace {

namespace fs = std::filesystem;

const std::string kStartLine =
    "110,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,1,1,1,25,25,0,0\r\n";

fs::path corpusFolder(const char* name) {
  return fs::path(ORBISK_TEST_DATA) / ".." / ".." / "fuzz" / "corpus" / name;
}

std::string readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class DataFileFuzzRegression : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch_ = fs::temp_directory_path() /
               ("orbisk-fuzz-regression-" + std::to_string(std::random_device{}()) + ".dat");
  }
  void TearDown() override { fs::remove(scratch_); }
  std::string problemOf(const std::string& bytes) const {
    return fuzz::dataFileProblem(bytes, scratch_.string());
  }
  fs::path scratch_;
};

TEST_F(DataFileFuzzRegression, EverySeedOfTheCorpusKeepsEveryProperty) {
  int seeds = 0;
  for (const auto& entry : fs::directory_iterator(corpusFolder("datafile"))) {
    EXPECT_EQ(problemOf(readAll(entry.path())), "") << entry.path();
    ++seeds;
  }
  EXPECT_GE(seeds, 10);
}

// An endless stream of zeros, or of separators, used to keep the reader going for ever: neither
// ever completes a field nor fails one. Reading now ends after kMaxRecordChars characters.
TEST_F(DataFileFuzzRegression, EndlessZerosOrSeparatorsEndAtTheCharacterLimit) {
  for (const char* pattern : {"0", " ", ",\t\r\n", "-0", "00"}) {
    fuzz::RepeatingBuffer endless(pattern);
    std::istream stream(&endless);
    EXPECT_EQ(parseRecord(stream).count, pattern[0] == '0' ? 1 : 0) << pattern;
    EXPECT_EQ(problemOf(std::string(1, static_cast<char>(fuzz::kEndlessMarker)) + pattern), "")
        << pattern;
  }
  // Leading zeros a field long read as before: the limit is far beyond any written record.
  EXPECT_EQ(parseRecord(std::string(1000, '0') + "12,4")[1], 12);
}

// A field that the limit cuts reads as if the input ended there.
TEST_F(DataFileFuzzRegression, TheLimitCutsTheInputLikeAnEnd) {
  std::string text(kMaxRecordChars - 3, ' ');
  text += "12345,6";
  const DataRecord r = parseRecord(text);
  EXPECT_EQ(r.count, 1);
  EXPECT_EQ(r[1], 123);
  std::istringstream in(text);
  const DataRecord fromStream = parseRecord(in);
  EXPECT_EQ(fromStream.count, 1);
  EXPECT_EQ(fromStream[1], 123);
}

// Huge files: a record after more blanks than the limit is refused; a record followed by any
// amount of junk loads.
TEST_F(DataFileFuzzRegression, HugeFilesAreReadOnlyUpToTheLimit) {
  std::ofstream(scratch_, std::ios::binary) << std::string(kMaxRecordChars, ' ') << kStartLine;
  const RecordFileResult padded = readRecordFile(scratch_.string());
  EXPECT_FALSE(padded.ok);
  EXPECT_EQ(padded.record.count, 0);

  std::ofstream(scratch_, std::ios::binary | std::ios::trunc)
      << kStartLine << std::string(3 * kMaxRecordChars, '\xff');
  const RecordFileResult trailing = readRecordFile(scratch_.string());
  EXPECT_TRUE(trailing.ok) << trailing.error;
  EXPECT_EQ(trailing.record.count, kRecordFields);
}

}  // namespace
}  // namespace orbisk
