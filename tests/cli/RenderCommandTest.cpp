#include "RenderCommandFixture.h"

#include "io/RecordedPicture.h"
#include "session/PictureRecordText.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace orbisk {
namespace {

namespace fs = std::filesystem;

class RenderCommandTest : public RenderCommandFixture {};

const std::string kStartUp =
    "110,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,1,1,1,25,25,0,0\r\n";

TEST_F(RenderCommandTest, WritesA24BitBmpOfTheFramesSize) {
  const std::string data = writeData(
      "thumb.dat",
      "54,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,2,1,1,25,25,0,0\r\n");
  ASSERT_EQ(run({"-o", path("out.bmp"), data}), 0) << stderr_;
  std::ifstream bmp(path("out.bmp"), std::ios::binary);
  char header[30];
  bmp.read(header, sizeof header);
  EXPECT_EQ(header[28], 24);  // bits per pixel
  const QImage image(QString::fromStdString(path("out.bmp")));
  EXPECT_EQ(image.width(), 117);
  EXPECT_EQ(image.height(), 90);
}

TEST_F(RenderCommandTest, PngAndTraceOfTheStartUpSet) {
  const std::string data = writeData("start.dat", kStartUp);
  ASSERT_EQ(run({"--trace", path("t.trace"), "-o", path("out.png"), data}), 0) << stderr_;
  const QImage image(QString::fromStdString(path("out.png")));
  EXPECT_EQ(image.size().width(), 632);
  EXPECT_EQ(image.size().height(), 434);
  std::ifstream trace(path("t.trace"));
  std::string first;
  std::getline(trace, first);
  EXPECT_EQ(first, "P 316 294 10139135");
  // Detail Low draws with the 4-pixel pen on the same canvas and far fewer samples.
  ASSERT_EQ(run({"--detail", "low", "--trace", path("low.trace"), data}), 0) << stderr_;
  EXPECT_LT(fs::file_size(path("low.trace")), fs::file_size(path("t.trace")));
}

TEST_F(RenderCommandTest, BadInputIsReportedInOneLineAndWritesNothing) {
  const std::string good = writeData("good.dat", kStartUp);
  const std::string bad = writeData("bad.dat", "hello");
  const std::string trace = path("a.trace");
  const std::string png = path("a.png");
  struct Case {
    std::vector<std::string> args;
    const char* mentions;  // a word the one-line message must hold
  } cases[] = {
      {{"--trace", trace, "-o", png, path("missing.dat")}, "missing.dat"},
      {{"--trace", trace, "-o", png, bad}, "bad.dat"},
      {{"--trace", trace, "--colour", "red", good}, "--colour"},
      {{"--trace", trace, "--detail", "medium", good}, "medium"},
      // a control character in an argument is spelt out, not written to the terminal
      {{"--trace", trace, "--detail", "a\nb\x1b[2J", good}, "'a\\nb\\x1b[2J'"},
      {{"--trace", trace, "-o", path("nofolder/x.png"), good},
       "x.png\": No such file or directory."},
      {{"--trace", trace, "-o", path("x.jpg"), good}, "x.jpg"},
      // an option given last without its value
      {{"--trace", trace, good, "--detail"}, "--detail"},
      {{"-o", png, good, "--trace"}, "--trace"},
      {{"--trace", trace, good, "-o"}, "-o"},
      {{"--trace", trace, "-o", png, good, good}, "data file"},
      {{"--trace", trace, "-o", png}, "data file"},
      {{}, "data file"},
      // an empty argument is neither skipped nor taken as a file; each option is given once
      {{"", good}, "empty argument"},
      {{"--trace", trace, good, ""}, "empty argument"},
      {{"--trace", "", good}, "--trace needs a value, not an empty argument"},
      {{"--scale", "2", "--scale", "3", good}, "--scale given more than once"},
      {{"-o", png, "--trace", trace, "-o", png, good}, "-o given more than once"},
      {{"--timeout", "0", good}, "--timeout"},
      {{"--timeout", "1.5", good}, "--timeout"},
      {{"--", "--trace", trace, good}, "data file"},
      {{"--trace", png, "-o", path("x/../a.png"), good}, "same file"},
  };
  for (const Case& c : cases) {
    std::string line;
    for (const std::string& a : c.args) line += a + " ";
    EXPECT_EQ(run(c.args), 2) << line;
    EXPECT_NE(stderr_.find(c.mentions), std::string::npos) << line << ": " << stderr_;
    EXPECT_EQ(std::count(stderr_.begin(), stderr_.end(), '\n'), 1) << line << ": " << stderr_;
    EXPECT_FALSE(fs::exists(trace)) << line;
    EXPECT_FALSE(fs::exists(png)) << line;
  }
  // Nothing but the two data files is left in the folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

// After "--" every argument is a file, even one that looks like an option.
TEST_F(RenderCommandTest, DoubleDashEndsTheOptions) {
  writeData("-start.dat", kStartUp);
  writeData("--help", kStartUp);
  const fs::path previous = fs::current_path();
  fs::current_path(dir_);
  EXPECT_EQ(run({"-o", path("a.png"), "--", "-start.dat"}), 0) << stderr_;
  EXPECT_EQ(run({"-o", path("b.png"), "--", "--help"}), 0) << stderr_;
  fs::current_path(previous);
  EXPECT_EQ(bytesOf(path("a.png")), bytesOf(path("b.png")));
}

// A record of the start-up set with another frame (field 26).
std::string startUpOnFrame(int framesize) {
  std::string record = kStartUp;
  size_t at = 0;
  for (int comma = 0; comma < 25; ++comma) at = record.find(',', at) + 1;
  record[at] = static_cast<char>('0' + framesize);
  return record;
}

TEST_F(RenderCommandTest, MaximumFrameAndUpperCaseExtensions) {
  const std::string data = writeData("max.dat", startUpOnFrame(3));
  ASSERT_EQ(run({"-o", path("OUT.PNG"), data}), 0) << stderr_;
  const QImage image(QString::fromStdString(path("OUT.PNG")), "PNG");
  EXPECT_EQ(image.width(), 948);
  EXPECT_EQ(image.height(), 651);
  ASSERT_EQ(run({"-o", path("OUT.BMP"), data}), 0) << stderr_;
  std::ifstream bmp(path("OUT.BMP"), std::ios::binary);
  char magic[2] = {};
  bmp.read(magic, 2);
  EXPECT_EQ(std::string(magic, 2), "BM");
}

TEST_F(RenderCommandTest, DetailLowDrawsWithTheFourPixelPen) {
  const std::string data = writeData("start.dat", kStartUp);
  ASSERT_EQ(run({"--detail", "low", "--trace", path("low.trace"), "-o", path("low.png"), data}), 0)
      << stderr_;
  // Shape 1 at Detail Low plots on whole pixels four apart, so (x + 2, y + 2) of a plotted point
  // is never plotted itself: only a 4 x 4 pen footprint (x - 1 .. x + 2) reaches it.
  std::ifstream trace(path("low.trace"));
  char kind = 0;
  float x = 0, y = 0;
  ASSERT_TRUE(trace >> kind >> x >> y);
  ASSERT_EQ(kind, 'P');
  const QImage image(QString::fromStdString(path("low.png")));
  EXPECT_NE(image.pixel(static_cast<int>(x) + 2, static_cast<int>(y) + 2) & 0xffffffu, 0u);
}

TEST_F(RenderCommandTest, APngOfOursIsDrawnAgainFromItsRecord) {
  const std::string data = writeData(
      "shape.dat",
      "54,1,6,2,9,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,5,12,0,0,0,0,0,2,1,1,25,25,0,0\r\n");
  ASSERT_EQ(run({"--detail", "low", "-o", path("first.png"), data}), 0) << stderr_;
  const QString first = QString::fromStdString(path("first.png"));
  RecordedPictureRead read = readRecordedPicture(first);
  ASSERT_EQ(read.outcome, RecordedPictureRead::Outcome::Recorded) << read.error.toStdString();
  EXPECT_EQ(read.picture.detailstep, 4);

  // The PNG alone, without --detail, draws the same pixels.
  ASSERT_EQ(run({"-o", path("again.png"), path("first.png")}), 0) << stderr_;
  const QImage original = QImage(first).convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(QImage(QString::fromStdString(path("again.png"))).convertToFormat(QImage::Format_RGB32),
            original);

  // An edited record draws what it says: the picture of the edited data file.
  DrawnPicture edited = read.picture;
  edited.params.eff = 4;
  ASSERT_EQ(
      writeRecordedPicture(QString::fromStdString(path("edited.png")), original, "PNG", edited),
      "");
  ASSERT_EQ(run({"-o", path("from-edited.png"), path("edited.png")}), 0) << stderr_;
  const std::string editedData = writeData(
      "edited.dat",
      "54,1,6,2,4,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,5,12,0,0,0,0,0,2,1,1,25,25,0,0\r\n");
  ASSERT_EQ(run({"--detail", "low", "-o", path("from-data.png"), editedData}), 0) << stderr_;
  EXPECT_EQ(QImage(QString::fromStdString(path("from-edited.png"))),
            QImage(QString::fromStdString(path("from-data.png"))));

  // A damaged record is refused in one line and nothing is written.
  QImage damaged = original;
  damaged.setText(kPictureRecordKey, "Orbisk picture record 1\nrecord 1,2,3\n");
  ASSERT_TRUE(damaged.save(QString::fromStdString(path("damaged.png")), "PNG"));
  EXPECT_EQ(run({"-o", path("none.png"), path("damaged.png")}), 2);
  EXPECT_NE(stderr_.find("damaged"), std::string::npos) << stderr_;
  EXPECT_FALSE(fs::exists(path("none.png")));
}

}  // namespace
}  // namespace orbisk
