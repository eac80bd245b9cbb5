// orbisk-render --animate, --grow and --join: films whose frames are the pictures their records
// draw, lossy films close to their lossless twins, slices joined into the same film, and bad
// input that writes nothing.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "FilmDecoding.h"
#include "RenderCommandFixture.h"
#include "io/FilmFolder.h"
#include "session/FilmText.h"

namespace orbisk {
namespace {

namespace fs = std::filesystem;

constexpr int kFrames = 24;
constexpr int kWidth = 117, kHeight = 90;  // the Thumbnail frame

std::vector<uint32_t> pixelsOf(const std::string& file) {
  const QImage image = QImage(QString::fromStdString(file)).convertToFormat(QImage::Format_RGB32);
  std::vector<uint32_t> pixels;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
    pixels.insert(pixels.end(), row, row + image.width());
  }
  return pixels;
}

class AnimateCommandTest : public RenderCommandFixture {
 protected:
  void SetUp() override {
    RenderCommandFixture::SetUp();
    // Two Thumbnail pictures that differ in v2, v3, the red addition and the level.
    from_ = writeData(
        "from.dat",
        "54,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,2,1,1,25,25,0,0\r\n");
    to_ = writeData(
        "to.dat",
        "54,1,6,2,1,3,2,3,14,2,4,13,1001,1001,80,10,48,1001,2,1,0,0,120,0,0,2,1,1,25,25,0,0\r\n");
  }

  std::string from_, to_;
};

TEST_F(AnimateCommandTest, LosslessFramesAreThePicturesTheirRecordsDraw) {
  ASSERT_EQ(
      run({"--animate", from_, to_, "--frames", std::to_string(kFrames), "-o", path("frames")}), 0)
      << stderr_;
  ASSERT_EQ(
      run({"--animate", from_, to_, "--frames", std::to_string(kFrames), "-o", path("film.png")}),
      0)
      << stderr_;
  const DecodedFilm apng = decodeFilm(path("film.png"));
  ASSERT_TRUE(apng.ok);
  ASSERT_EQ(apng.frames.size(), std::size_t{kFrames});
  EXPECT_EQ(apng.width, kWidth);
  EXPECT_EQ(apng.height, kHeight);
  std::vector<uint32_t> previous;
  for (int k = 0; k < kFrames; ++k) {
    SCOPED_TRACE("frame " + std::to_string(k));
    const std::string frame = path("frames/" + frameFileName(k));
    // The frame's own record, drawn again by the plain renderer.
    ASSERT_EQ(run({frame, "-o", path("again.png")}), 0) << stderr_;
    const std::vector<uint32_t> again = pixelsOf(path("again.png"));
    EXPECT_EQ(pixelsOf(frame), again);
    EXPECT_EQ(apng.frames[static_cast<std::size_t>(k)], again);
    EXPECT_NE(again, previous);  // the film moves
    previous = again;
  }
  // The first and last frames are the keyframes themselves.
  ASSERT_EQ(run({from_, "-o", path("from.png")}), 0);
  ASSERT_EQ(run({to_, "-o", path("to.png")}), 0);
  EXPECT_EQ(apng.frames.front(), pixelsOf(path("from.png")));
  EXPECT_EQ(apng.frames.back(), pixelsOf(path("to.png")));
  // The folder's film.txt and the animated PNG's text chunk hold both keyframes' records.
  const std::string text = bytesOf(path("frames/film.txt"));
  const auto film = parseFilmText(text, nullptr);
  ASSERT_TRUE(film);
  EXPECT_EQ(film->path.keyframes.size(), 2u);
  EXPECT_NE(bytesOf(path("film.png")).find("tEXtOrbisk film" + std::string(1, '\0') + text),
            std::string::npos);
}

TEST_F(AnimateCommandTest, LossyFilmsDecodeCloseToTheirLosslessTwin) {
  ASSERT_EQ(run({"--animate", from_, to_, "--frames", "12", "-o", path("film.png")}), 0);
  const DecodedFilm lossless = decodeFilm(path("film.png"));
  ASSERT_EQ(lossless.frames.size(), 12u);
  for (const char* name : {"film.webm", "film.mp4"}) {
    SCOPED_TRACE(name);
    ASSERT_EQ(run({"--animate", from_, to_, "--frames", "12", "-o", path(name)}), 0) << stderr_;
    const DecodedFilm lossy = decodeFilm(path(name));
    ASSERT_TRUE(lossy.ok);
    ASSERT_EQ(lossy.frames.size(), 12u);
    EXPECT_EQ(lossy.width, kWidth);
    EXPECT_EQ(lossy.height, kHeight);
    for (std::size_t k = 0; k < 12; ++k)
      EXPECT_GE(psnr(lossy.frames[k], lossy.width, lossless.frames[k], kWidth, kWidth, kHeight), 35)
          << "frame " << k;
    // The metadata holds every keyframe's record.
    const auto film = parseFilmText(lossy.comment, nullptr);
    ASSERT_TRUE(film) << lossy.comment;
    EXPECT_EQ(film->path.frames, 12);
  }
}

TEST_F(AnimateCommandTest, SlicesJoinedAreTheWholeFilmByteForByte) {
  const std::vector<std::string> film = {"--animate", from_, to_, "--frames",
                                         std::to_string(kFrames)};
  const auto with = [&](std::vector<std::string> more) {
    std::vector<std::string> args = film;
    args.insert(args.end(), more.begin(), more.end());
    return args;
  };
  for (const auto& [first, count] : {std::pair{"0", "10"}, {"10", "1"}, {"11", "13"}})
    ASSERT_EQ(
        run(with({"--first", first, "--count", count, "-o", path(std::string("part-") + first)})),
        0)
        << stderr_;
  for (const char* name : {"film.png", "film.gif"}) {
    SCOPED_TRACE(name);
    ASSERT_EQ(run(with({"-o", path(std::string("whole-") + name)})), 0) << stderr_;
    // The folders in any order.
    ASSERT_EQ(run({"--join", path("part-11"), path("part-0"), path("part-10"), "-o",
                   path(std::string("joined-") + name)}),
              0)
        << stderr_;
    EXPECT_EQ(bytesOf(path(std::string("joined-") + name)),
              bytesOf(path(std::string("whole-") + name)));
  }
  // A missing slice is named.
  EXPECT_EQ(run({"--join", path("part-0"), path("part-11"), "-o", path("gap.png")}), 2);
  EXPECT_NE(stderr_.find("frame 10 is missing"), std::string::npos) << stderr_;
  EXPECT_FALSE(fs::exists(path("gap.png")));
}

TEST_F(AnimateCommandTest, GrowingPictureEndsOnTheFinishedPicture) {
  ASSERT_EQ(run({"--grow", from_, "--every", "10", "-o", path("grow")}), 0) << stderr_;
  ASSERT_EQ(run({from_, "-o", path("finished.png")}), 0);
  const auto index = parseFilmIndex(bytesOf(path("grow/index.tsv")), nullptr);
  ASSERT_TRUE(index);
  ASSERT_GE(index->size(), 2u);
  for (std::size_t k = 0; k + 1 < index->size(); ++k)
    EXPECT_EQ((*index)[k].columns, static_cast<int>(10 * (k + 1)));
  EXPECT_EQ(index->back().columns, -1);
  EXPECT_EQ(pixelsOf(path("grow/" + index->back().file)), pixelsOf(path("finished.png")));
  // A half-grown frame carries no record: it is not what the record draws.
  EXPECT_EQ(run({path("grow/" + index->front().file), "-o", path("x.png")}), 2);
  // Joined, the growing picture is a film of as many frames.
  ASSERT_EQ(run({"--join", path("grow"), "-o", path("grow.png")}), 0) << stderr_;
  EXPECT_EQ(decodeFilm(path("grow.png")).frames.size(), index->size());
}

TEST_F(AnimateCommandTest, BadInputIsRefusedInOneLineAndWritesNothing) {
  fs::create_directories(path("full"));
  writeData("full/keep.txt", "x");
  ASSERT_EQ(run({from_, "-o", path("key.png")}), 0);
  fs::create_symlink("/dev/full", path("disk-full.webm"));  // every write fails: the disk is full
  struct Case {
    std::vector<std::string> args;
    const char* message;
  };
  const std::string out = path("out.webm");
  const std::vector<Case> cases = {
      {{"--animate", from_, from_, "--frames", "5", "-o", out}, "are the same picture"},
      {{"--animate", from_, to_, "--frames", "0", "-o", out},
       "--frames takes a whole number from 2 to 10000"},
      {{"--animate", from_, to_, "--frames", "10001", "-o", out}, "from 2 to 10000"},
      {{"--animate", from_, to_, "-o", out}, "--animate needs --frames N"},
      {{"--animate", from_, "--frames", "5", "-o", out}, "at least two pictures"},
      {{"--animate", from_, to_, "--frames", "5", "-o", path("film.avi")}, "must end in .webm"},
      {{"--animate", from_, to_, "--frames", "5", "-o", path("no/such/film.webm")}, "no/such"},
      {{"--animate", from_, to_, "--frames", "5", "-o", path("full")}, "already holds files"},
      {{"--animate", from_, to_, "--frames", "5", "--first", "2", "-o", path("f")}, "go together"},
      {{"--animate", from_, to_, "--frames", "5", "--first", "3", "--count", "3", "-o", path("f")},
       "past the film's last frame"},
      {{"--animate", from_, to_, "--frames", "5", "--first", "0", "--count", "3", "-o", out},
       "into a folder"},
      {{"--animate", from_, to_, "--frames", "5", "--fps", "0", "-o", out}, "--fps takes"},
      {{"--animate", from_, to_, "--frames", "5", "--every", "2", "-o", out}, "cannot be used"},
      {{"--animate", path("key.png"), to_, "--frames", "5", "-o", path("key.png")},
       "would replace its own picture"},
      {{"--animate", from_, to_, "--frames", "5", "-o", path("disk-full.webm")},
       "No space left on device"},
      {{"--grow", from_, to_, "-o", out}, "--grow takes one picture"},
      {{"--join", path("full"), "-o", out}, "film.txt"},
      {{"--join", path("full"), "-o", path("folder")}, "not a folder"},
      {{"--animate", "--join", from_, "-o", out}, "cannot be used together"},
  };
  const auto before = [&] {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(dir_))
      names.push_back(entry.path().string());
    std::sort(names.begin(), names.end());
    return names;
  }();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(run(c.args), 2);
    EXPECT_NE(stderr_.find(c.message), std::string::npos) << stderr_;
    EXPECT_EQ(std::count(stderr_.begin(), stderr_.end(), '\n'), 1) << stderr_;
    std::vector<std::string> after;
    for (const auto& entry : fs::recursive_directory_iterator(dir_))
      after.push_back(entry.path().string());
    std::sort(after.begin(), after.end());
    EXPECT_EQ(after, before);
  }
}

}  // namespace
}  // namespace orbisk
