// orbisk-render --random: what it writes, that pieces of a run write exactly the pictures of the
// whole run, and which command lines it refuses.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "RenderCommandFixture.h"
#include "cli/SurveyIndex.h"
#include "io/RecordedPicture.h"

namespace orbisk {
namespace {

namespace fs = std::filesystem;

class RandomSurveyTest : public RenderCommandFixture {
 protected:
  // The pictures of a folder (not its thumbnails or index files), name -> bytes.
  static std::map<std::string, std::string> picturesIn(const std::string& folder) {
    std::map<std::string, std::string> pictures;
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.path().extension() == ".png")
        pictures[entry.path().filename().string()] = bytesOf(entry.path().string());
    return pictures;
  }
  static std::vector<std::string> linesOf(const std::string& file) {
    std::istringstream in(bytesOf(file));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
};

TEST_F(RandomSurveyTest, WritesPicturesWithTheirRecordAndIndexesThePiecesMatchTheWhole) {
  ASSERT_EQ(run({"--random", "8", "--seed", "42", "-o", path("whole")}), 0) << stderr_;
  const auto whole = picturesIn(path("whole"));
  // Each candidate is drawn again until worth showing: exactly the number asked for.
  ASSERT_EQ(whole.size(), 8u);

  // Every picture carries its record: drawn again from the PNG, it is the same picture, and it
  // is worth showing.
  const std::string first = path("whole/" + whole.begin()->first);
  ASSERT_EQ(run({"-o", path("again.png"), first}), 0) << stderr_;
  const QImage picture =
      QImage(QString::fromStdString(first)).convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(QImage(QString::fromStdString(path("again.png"))).convertToFormat(QImage::Format_RGB32),
            picture);
  EXPECT_TRUE(fs::exists(path("whole/thumbnails/" + whole.begin()->first)));

  // index.tsv: a header, then one line per picture, the richest first.
  const std::vector<std::string> tsv = linesOf(path("whole/index.tsv"));
  ASSERT_EQ(tsv.size(), whole.size() + 1);
  EXPECT_EQ(tsv[0], "file\tseed\tcandidate\trecord\tcolours\tdrawn area %");
  uint64_t previous = UINT64_MAX;
  for (std::size_t i = 1; i < tsv.size(); ++i) {
    std::istringstream fields(tsv[i]);
    std::string file, seed, candidate, record, colours, area;
    std::getline(fields, file, '\t');
    std::getline(fields, seed, '\t');
    std::getline(fields, candidate, '\t');
    std::getline(fields, record, '\t');
    std::getline(fields, colours, '\t');
    std::getline(fields, area, '\t');
    EXPECT_EQ(whole.count(file), 1u) << tsv[i];
    EXPECT_EQ(seed, "42");
    EXPECT_EQ(std::count(record.begin(), record.end(), ','), 31) << record;
    PictureContent content;
    content.colours = std::stoi(colours);
    content.pixels = 10000;
    content.drawnPixels = static_cast<uint64_t>(std::stod(area) * 100 + 0.5);
    EXPECT_GT(content.drawnPixels, 0u) << tsv[i];
    EXPECT_LE(content.richness(), previous) << tsv[i];
    previous = content.richness();
  }
  const std::string html = bytesOf(path("whole/index.html"));
  EXPECT_NE(html.find("<a href=\"./" + whole.begin()->first + "\"><img src=\"./thumbnails/" +
                      whole.begin()->first + "\""),
            std::string::npos);

  // The same seed in three pieces, in any order: the same pictures, byte for byte.
  for (const auto& [first, count] : {std::pair{"5", "3"}, {"0", "2"}, {"2", "3"}})
    ASSERT_EQ(run({"--seed", "42", "--first", first, "--random", count, "-o", path("pieces")}), 0)
        << stderr_;
  EXPECT_EQ(picturesIn(path("pieces")), whole);
}

TEST_F(RandomSurveyTest, RefusesWhatDoesNotGoTogetherInOneLine) {
  const std::string data = writeData("start.dat", "hello");
  const struct {
    std::vector<std::string> args;
    const char* mentions;
  } cases[] = {
      {{"--random", "0", "-o", path("out")}, "--random takes"},
      {{"--random", "-3", "-o", path("out")}, "'-3'"},
      {{"--random", "1000001", "-o", path("out")}, "1000000"},
      {{"--random", "5"}, "-o FOLDER"},
      {{"--random", "5", "-o", path("out"), data}, "--start"},
      {{"--random", "5", "--trace", path("t"), "-o", path("out")}, "--trace"},
      {{"--random", "5", "--scale", "2", "-o", path("out")}, "--scale"},
      {{"--random", "5", "--seed", "x1", "-o", path("out")}, "'x1'"},
      {{"--random", "5", "--first", "18446744073709551615", "-o", path("out")}, "last candidate"},
      {{"--seed", "5", "-o", path("out.png"), data}, "--seed needs --random"},
      {{"--start", data, "-o", path("out.png"), data}, "--start needs --random"},
      {{"--random", "5", "--start", data, "-o", path("out")}, "start.dat"},  // unreadable
  };
  for (const auto& c : cases) {
    std::string line;
    for (const std::string& a : c.args) line += a + " ";
    EXPECT_EQ(run(c.args), 2) << line;
    EXPECT_NE(stderr_.find(c.mentions), std::string::npos) << line << ": " << stderr_;
    EXPECT_EQ(std::count(stderr_.begin(), stderr_.end(), '\n'), 1) << line << ": " << stderr_;
    EXPECT_FALSE(fs::exists(path("out"))) << line;
  }
}

TEST(SurveyIndex, NamesAreEscapedAndLinksAreRelative) {
  SurveyEntry entry;
  entry.file = "a&b\"<x> c.png";
  entry.thumbnail = "thumbnails/a.png";
  entry.record = "1,2";
  const std::string html = surveyHtml({entry}, 1);
  EXPECT_NE(html.find("href=\"./a%26b%22%3Cx%3E%20c.png\""), std::string::npos) << html;
  EXPECT_NE(html.find(">a&amp;b&quot;&lt;x&gt; c.png</a>"), std::string::npos) << html;
  EXPECT_EQ(html.find("<x>"), std::string::npos);
}

}  // namespace
}  // namespace orbisk
