#include "io/DataFileIo.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <streambuf>

namespace orbisk {
namespace {

namespace fs = std::filesystem;

const std::string kStartLine =
    "110,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,1,1,1,25,25,0,0\r\n";

// Every stored field away from its default and, where it matters, inside its control's range.
PictureParams unusualParams() {
  PictureParams p;
  p.size = 999, p.cat = 10, p.ali = 14, p.direction = 1, p.eff = 20, p.func1 = 11, p.func2 = 1;
  p.t1 = 8, p.w = 35, p.worldw = 10, p.sols = 20, p.cit = 24, p.v2 = -900, p.v3 = 900;
  p.v4 = -1, p.xraykleur = 14, p.driedkeuze = 38, p.inverse = 1, p.kl1ad = 250, p.kl2ad = 7;
  p.kl3ad = 1, p.framesize = 3, p.borderlen = 10, p.widthfac = 5, p.glij = -50, p.hoogte = 1;
  p.hsbvertical = 750, p.hsbhorizon = -745;
  return p;
}

std::string readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class DataFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() / ("orbisk-datafile-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string file(const std::string& name) const { return (dir_ / name).string(); }
  void put(const std::string& name, const std::string& text) const {
    std::ofstream(dir_ / name, std::ios::binary) << text;
  }
  int filesInFolder() const {
    return static_cast<int>(std::distance(fs::directory_iterator(dir_), {}));
  }
  fs::path dir_;
};

// An endless stream of one pattern, for input that never ends.
class EndlessBuffer : public std::streambuf {
 public:
  explicit EndlessBuffer(std::string pattern) : pattern_(std::move(pattern)) {}

 protected:
  int_type underflow() override {
    setg(pattern_.data(), pattern_.data(), pattern_.data() + pattern_.size());
    return traits_type::to_int_type(pattern_[0]);
  }

 private:
  std::string pattern_;
};

TEST(DataFileFormat, StartParametersGiveTheKnownLine) {
  EXPECT_EQ(formatRecord(PictureParams{}), kStartLine);
}

TEST(DataFileFormat, ReservedFieldsAreAlwaysWrittenAsConstants) {
  PictureParams p;
  applyRecord(
      parseRecord("110,1,6,2,1,3,2,3,11,2,4,13,-5,7,40,40,48,9,2,1,0,-3,0,0,0,1,1,1,25,25,0,0"), p);
  EXPECT_EQ(formatRecord(p), kStartLine);
}

TEST(DataFileParse, SeparatorsOfAnyKindAndRunReadTheSame) {
  const std::string spread =
      "110,\t1, 6,2\r\n1,3  2 ,3 11\n2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,1,1,1,25,25,0,0";
  const DataRecord oneLine = parseRecord(kStartLine);
  const DataRecord other = parseRecord(spread);
  EXPECT_EQ(oneLine.count, kRecordFields);
  EXPECT_EQ(other.count, kRecordFields);
  EXPECT_EQ(other.field, oneLine.field);
}

TEST(DataFileParse, ReadingStopsAtTheFirstBadField) {
  using P = FieldProblem;
  const struct {
    const char* text;
    int count;
    int16_t last;
    FieldProblem problem;  // why the next field was not read
  } cases[] = {{"1,32767,32768,4", 2, 32767, P::Unreadable},
               {"1,-32768,-32769", 2, -32768, P::Unreadable},
               {"1,2.5,3", 1, 1, P::Unreadable},
               {"1,+2,3", 1, 1, P::Unreadable},
               {"1,\"2\",3", 1, 1, P::Unreadable},
               {"1,2a,3", 1, 1, P::Unreadable},
               {"1,2-3,4", 1, 1, P::Unreadable},
               {"1,-,3", 1, 1, P::Unreadable},
               // An empty field between two commas is a field that cannot be read.
               {"500,,3", 1, 500, P::Empty},
               {"500, \t\r\n,3", 1, 500, P::Empty},
               {",,3", 0, 0, P::Empty},
               {"1,0000000000000000012", 2, 12, P::Missing},
               {"7,99999999999999999999", 1, 7, P::Unreadable},
               {"hello", 0, 0, P::Unreadable},
               {"\xef\xbb", 0, 0, P::Unreadable},
               {"1,2,", 2, 2, P::Missing},
               {"", 0, 0, P::Missing}};
  for (const auto& c : cases) {
    const DataRecord r = parseRecord(c.text);
    EXPECT_EQ(r.count, c.count) << c.text;
    EXPECT_EQ(r.problem, c.problem) << c.text;
    if (c.count > 0) {
      EXPECT_EQ(r[c.count], c.last) << c.text;
    }
    for (int n = c.count + 1; n <= kRecordFields; ++n) EXPECT_EQ(r[n], 0) << c.text;
  }
  EXPECT_EQ(parseRecord(kStartLine).problem, P::None);
  EXPECT_EQ(parseRecord("1,2,,", 2).problem, P::None);  // the fields asked for were all there
}

TEST(DataFileParse, AUtf8ByteOrderMarkFirstIsSkipped) {
  EXPECT_EQ(parseRecord("\xef\xbb\xbf" + kStartLine).field, parseRecord(kStartLine).field);
  EXPECT_EQ(parseRecord("\xef\xbb\xbf" + kStartLine).count, kRecordFields);
  EXPECT_EQ(parseRecord("\xef\xbb" + kStartLine).count, 0);
  EXPECT_EQ(parseRecord("1,\xef\xbb\xbf" + kStartLine).count, 1);
}

TEST(DataFileParse, BinaryJunkEndsTheRecord) {
  std::string junk = "5,6,";
  for (int b = 0; b < 256; ++b) junk += static_cast<char>(b);
  EXPECT_EQ(parseRecord(junk).count, 2);
  EXPECT_EQ(parseRecord(std::string("\0\xff\x80", 3)).count, 0);
}

TEST(DataFileParse, EndlessInputIsNotReadToItsEnd) {
  EndlessBuffer digits("9");
  std::istream digitStream(&digits);
  EXPECT_EQ(parseRecord(digitStream).count, 0);

  EndlessBuffer fields("1,");
  std::istream fieldStream(&fields);
  EXPECT_EQ(parseRecord(fieldStream, kMinimumRecordFields).count, kMinimumRecordFields);
}

TEST(DataFileApply, TwentyEightFieldsZeroTheShapeSettingsExceptHeight) {
  PictureParams p;
  p.glij = 10, p.hoogte = 33, p.hsbvertical = 50, p.hsbhorizon = -50;
  const DataRecord r =
      parseRecord("110,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,1,1,1");
  ASSERT_EQ(r.count, 28);
  applyRecord(r, p);
  EXPECT_EQ(p.glij, 0);
  EXPECT_EQ(p.hoogte, 33);
  EXPECT_EQ(p.hsbvertical, 0);
  EXPECT_EQ(p.hsbhorizon, 0);
}

TEST(DataFileApply, ControlsRefuseOutOfRangeValuesWhileStoredFieldsTakeThem) {
  const PictureParams before = unusualParams();
  PictureParams p = before;
  applyRecord(parseRecord("5,-1,99,7,0,0,12,-8,36,11,21,25,0,0,901,-901,32767,0,15,39,2,5,-1,251,"
                          "-32768,4,2,0,51,0,755,-751"),
              p);
  // Every control-held value above lies outside its control's range, so only the fields stored
  // directly change.
  PictureParams expected = before;
  expected.cat = -1, expected.ali = 99, expected.direction = 7, expected.eff = 0, expected.t1 = -8;
  expected.w = 36, expected.sols = 21, expected.cit = 25, expected.xraykleur = 15;
  expected.driedkeuze = 39, expected.inverse = 2, expected.framesize = 4, expected.borderlen = 2;
  expected.widthfac = 0;
  EXPECT_EQ(p, expected);
}

TEST(DataFileApply, FunctionOutsideTheListKeepsTheSelection) {
  for (int16_t stored : {0, 12}) {
    PictureParams p;
    DataRecord r = parseRecord(kStartLine);
    r.field[5] = stored;
    applyRecord(r, p);
    EXPECT_EQ(p.func1, 3) << stored;
  }
}

TEST_F(DataFileOnDisk, SaveThenLoadRestoresEveryStoredField) {
  ASSERT_EQ(writeRecordFile(file("a.dat"), unusualParams()), "");
  const RecordFileResult read = readRecordFile(file("a.dat"));
  ASSERT_TRUE(read.ok) << read.error;
  EXPECT_EQ(read.record.count, kRecordFields);

  PictureParams p;  // the settings kept out of the file must stay as they are
  p.detailstep = 4, p.showprogress = 0, p.alwaysclear = 0, p.beepon = 0;
  PictureParams expected = unusualParams();
  expected.detailstep = 4, expected.showprogress = 0, expected.alwaysclear = 0, expected.beepon = 0;
  applyRecord(read.record, p);
  EXPECT_EQ(p, expected);
}

TEST_F(DataFileOnDisk, ViewReadsOnlyTwentyEightFields) {
  put("v.dat", kStartLine);
  const RecordFileResult read = readRecordFile(file("v.dat"), kMinimumRecordFields);
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.record.count, 28);
  EXPECT_EQ(read.record[29], 0);
}

TEST_F(DataFileOnDisk, RefusedFilesReportTheFileAndTheReason) {
  std::string numbers27;
  for (int i = 0; i < 27; ++i) numbers27 += "1,";
  put("empty.dat", ""), put("hello.dat", "hello\r\n"), put("short.dat", numbers27);
  for (const char* name : {"missing.dat", "empty.dat", "hello.dat", "short.dat"}) {
    const RecordFileResult read = readRecordFile(file(name));
    EXPECT_FALSE(read.ok) << name;
    EXPECT_NE(read.error.find(file(name)), std::string::npos) << read.error;
  }
  EXPECT_NE(readRecordFile(file("short.dat"))
                .error.find("only 27 numbers could be read; a data file needs at least 28"),
            std::string::npos);
  // A field that stops the reading early is named.
  put("gap.dat", "110,1,6,2,1,,2,3");
  put("word.dat", "110,1,6,2,1,sin,2,3");
  EXPECT_EQ(readRecordFile(file("gap.dat")).error,
            "\"" + file("gap.dat") + "\" is not an Orbisk data file: field 6 is empty.");
  EXPECT_EQ(readRecordFile(file("word.dat")).error,
            "\"" + file("word.dat") +
                "\" is not an Orbisk data file: field 6 is not a whole number from -32768 to "
                "32767.");
  EXPECT_FALSE(readRecordFile(dir_.string()).ok);
}

TEST_F(DataFileOnDisk, LoadedRecordsWithUnreadableLastFieldsNameThem) {
  const std::string first28 =
      "110,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,1,1,1";
  const struct {
    const char* rest;  // what follows the first 28 fields
    int maxFields;
    const char* note;  // after the file's name; empty: no note
  } cases[] = {
      {",25,,40,100,100", kRecordFields,
       "\": fields 30 to 32 could not be read and now count as 0 (field 30 is empty)."},
      {"", kRecordFields,
       "\": fields 29 to 32 could not be read and now count as 0 (the file ends before field "
       "29)."},
      {",25,25,0,x", kRecordFields,
       "\": field 32 could not be read and now counts as 0 (field 32 is not a whole number from "
       "-32768 to 32767)."},
      {",25,25,0,0\r\n", kRecordFields, ""},
      {",25,,", kMinimumRecordFields, ""},  // View data asks for no more than 28
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rest);
    put("f.dat", first28 + c.rest);
    const RecordFileResult read = readRecordFile(file("f.dat"), c.maxFields);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.note, *c.note ? "\"" + file("f.dat") + c.note : "");
  }
}

TEST_F(DataFileOnDisk, SavingReplacesAnExistingFileAndLeavesNoTemporary) {
  put("b.dat", std::string(500, 'x'));
  ASSERT_EQ(writeRecordFile(file("b.dat"), PictureParams{}), "");
  EXPECT_EQ(readAll(file("b.dat")), kStartLine);
  EXPECT_EQ(filesInFolder(), 1);
}

TEST_F(DataFileOnDisk, FailedSaveReportsAndKeepsTheOldFile) {
  const std::string missingFolder = file("no-such-folder/c.dat");
  const std::string error = writeRecordFile(missingFolder, PictureParams{});
  EXPECT_NE(error.find(missingFolder), std::string::npos) << error;
  EXPECT_EQ(error.find('\n'), std::string::npos);

  // A file-size limit makes the write itself fail, even for a user who may write anywhere.
  put("d.dat", "old contents");
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit tiny = saved;
  tiny.rlim_cur = 10;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
  const std::string writeError = writeRecordFile(file("d.dat"), PictureParams{});
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_NE(writeError.find(file("d.dat")), std::string::npos) << writeError;
  EXPECT_EQ(readAll(file("d.dat")), "old contents");
  EXPECT_EQ(filesInFolder(), 1);
}

}  // namespace
}  // namespace orbisk
