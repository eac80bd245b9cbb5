// orbisk-render --variations and --breed: what they write, that every picture redraws exactly
// from its record, that the same seed writes the same bytes, and which command lines they refuse.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <algorithm>
#include <filesystem>

#include "RenderCommandFixture.h"
#include "model/DataFile.h"

namespace orbisk {
namespace {

namespace fs = std::filesystem;

class VariationsCommandTest : public RenderCommandFixture {
 protected:
  std::string startData(const std::string& name, const PictureParams& params = {}) {
    return writeData(name, formatRecord(params));
  }
  static std::vector<std::string> picturesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.path().extension() == ".png") names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(VariationsCommandTest, WritesPicturesThatRedrawFromTheirRecordTheSameForTheSameSeed) {
  PictureParams other;
  other.ali = 2, other.func1 = 9, other.xraykleur = 7, other.driedkeuze = 5;
  const std::string a = startData("a.dat"), b = startData("b.dat", other);
  const struct {
    const char* what;
    std::vector<std::string> args;  // without -o
    std::size_t pictures;
    const char* first;  // the first picture's name
  } cases[] = {
      {"variations",
       {"--variations", "3", "--step", "lot", "--seed", "9", a},
       3,
       "variation-01.png"},
      {"children", {"--breed", a, b, "--seed", "9"}, 12, "child-01.png"},
  };
  for (const auto& c : cases) {
    for (const char* folder : {"one", "two"}) {
      std::vector<std::string> args = c.args;
      args.insert(args.end(), {"-o", path(std::string(c.what) + folder)});
      ASSERT_EQ(run(args), 0) << c.what << ": " << stderr_;
    }
    const std::string one = path(std::string(c.what) + "one"),
                      two = path(std::string(c.what) + "two");
    const std::vector<std::string> names = picturesIn(one);
    ASSERT_EQ(names.size(), c.pictures) << c.what;
    EXPECT_EQ(names.front(), c.first);
    for (const std::string& name : names)
      EXPECT_EQ(bytesOf(one + "/" + name), bytesOf(two + "/" + name)) << c.what << " " << name;
    // index.tsv: a header and one line per picture.
    const std::string tsv = bytesOf(one + "/index.tsv");
    EXPECT_EQ(std::count(tsv.begin(), tsv.end(), '\n'), static_cast<long>(c.pictures) + 1) << tsv;

    // Drawn again from the record it carries, a picture is the same picture.
    const std::string picture = one + "/" + names.back();
    ASSERT_EQ(run({"-o", path("again.png"), picture}), 0) << stderr_;
    EXPECT_EQ(
        QImage(QString::fromStdString(path("again.png"))).convertToFormat(QImage::Format_RGB32),
        QImage(QString::fromStdString(picture)).convertToFormat(QImage::Format_RGB32))
        << c.what;
  }
}

TEST_F(VariationsCommandTest, RefusesWhatDoesNotGoTogetherInOneLine) {
  const std::string data = startData("start.dat");
  const struct {
    std::vector<std::string> args;
    const char* mentions;
  } cases[] = {
      {{"--variations", "0", data, "-o", path("out")}, "--variations takes"},
      {{"--variations", "1001", data, "-o", path("out")}, "1000"},
      {{"--variations", "3", "-o", path("out")}, "needs a picture"},
      {{"--variations", "3", data}, "-o FOLDER"},
      {{"--variations", "3", "--step", "huge", data, "-o", path("out")}, "'huge'"},
      {{"--step", "little", "-o", path("out.png"), data}, "--step needs --variations"},
      {{"--breed", data}, "two pictures"},
      {{"--breed", data, data, data, "-o", path("out")}, "not another"},
      {{"--breed", data, data, "--step", "lot", "-o", path("out")}, "--step needs"},
      {{"--variations", "3", "--breed", data, data, "-o", path("out")}, "together"},
      {{"--variations", "3", "--random", "4", data, "-o", path("out")}, "--random"},
      {{"--variations", "3", "--scale", "2", data, "-o", path("out")}, "--scale"},
      {{"--variations", "3", path("missing.dat"), "-o", path("out")}, "missing.dat"},
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

}  // namespace
}  // namespace orbisk
