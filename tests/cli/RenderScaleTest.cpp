// orbisk-render --scale K: the same picture K times larger.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "RenderCommandFixture.h"

namespace orbisk {
namespace {

namespace fs = std::filesystem;

class RenderScaleTest : public RenderCommandFixture {
 protected:
  void SetUp() override {
    RenderCommandFixture::SetUp();
    writeData(
        "thumb.dat",
        "54,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,2,1,1,25,25,0,0\r\n");
  }
};

TEST_F(RenderScaleTest, ScaleOneWritesTheUnscaledPictureAndLargerScalesGrowIt) {
  for (const char* detail : {"high", "low"}) {
    SCOPED_TRACE(detail);
    ASSERT_EQ(run({"--detail", detail, "-o", path("plain.bmp"), path("thumb.dat")}), 0) << stderr_;
    ASSERT_EQ(run({"--detail", detail, "--scale", "1", "-o", path("one.bmp"), path("thumb.dat")}),
              0)
        << stderr_;
    EXPECT_EQ(bytesOf(path("one.bmp")), bytesOf(path("plain.bmp")));
  }
  ASSERT_EQ(run({"--scale", "3", "-o", path("three.png"), path("thumb.dat")}), 0) << stderr_;
  EXPECT_EQ(QImage(QString::fromStdString(path("three.png"))).size(), QSize(351, 270));
}

TEST_F(RenderScaleTest, ScaleOutsideOneToEightIsRefusedInOneLine) {
  for (const char* scale : {"0", "9", "-2", "2x", "", "99999999999"}) {
    SCOPED_TRACE(scale);
    EXPECT_EQ(run({"--scale", scale, "-o", path("x.png"), path("thumb.dat")}), 2);
    EXPECT_NE(stderr_.find("--scale"), std::string::npos) << stderr_;
    EXPECT_EQ(std::count(stderr_.begin(), stderr_.end(), '\n'), 1) << stderr_;
    EXPECT_FALSE(fs::exists(path("x.png")));
  }
}

}  // namespace
}  // namespace orbisk
