// orbisk-render --animate as a whole process stopped by a signal or a failure in the middle of a
// film: the film's temporary file, or the hidden folder of the frames finished so far, goes with
// it and nothing is left under the output's name.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "RenderChildProcess.h"
#include "RenderCommandFixture.h"

namespace orbisk {
namespace {

namespace fs = std::filesystem;

class AnimateProcessTest : public RenderCommandFixture {
 protected:
  // The names left in the test's folder, sorted.
  std::vector<std::string> namesLeft() const {
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir_)) left.push_back(entry.path().filename());
    std::sort(left.begin(), left.end());
    return left;
  }
};

TEST_F(AnimateProcessTest, ASignalMidFilmLeavesNothingBehind) {
  std::string other = kEndless;
  other.replace(other.find(",40,40,48,"), 10, ",80,40,48,");
  writeData("a.dat", kEndless);
  writeData("b.dat", other);
  for (const int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(strsignal(signal));
    const pid_t pid = startRender(
        {"--animate", path("a.dat"), path("b.dat"), "--frames", "4", "-o", path("film.webm")},
        path("stderr.txt"));
    // The film's file is prepared before the first frame is drawn; the frames take hours.
    const auto prepared = [&] {
      int names = 0;
      for (const auto& entry : fs::directory_iterator(dir_))
        names += entry.path().filename() != "stderr.txt";
      return names > 2;
    };
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!prepared() && std::chrono::steady_clock::now() < giveUp)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ::kill(pid, signal);
    const ChildResult child = finishRender(pid, path("stderr.txt"));
    ASSERT_TRUE(WIFSIGNALED(child.status)) << child.status << " " << child.stderr_;
    EXPECT_EQ(WTERMSIG(child.status), signal);
    EXPECT_EQ(namesLeft(), (std::vector<std::string>{"a.dat", "b.dat", "stderr.txt"}));
  }
}

TEST_F(AnimateProcessTest, ASignalMidFolderRemovesTheFramesWrittenSoFar) {
  // From a quick picture to one of hours: the first frames are written at once, the film never
  // ends by itself.
  std::string quick = kEndless;
  quick.replace(0, 4, "54");
  writeData("a.dat", quick);
  writeData("b.dat", kEndless);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(strsignal(signal));
    const pid_t pid = startRender(
        {"--animate", path("a.dat"), path("b.dat"), "--frames", "10000", "-o", path("frames")},
        path("stderr.txt"));
    const auto framesWritten = [&] {
      std::error_code ignored;
      for (const auto& entry : fs::directory_iterator(dir_)) {
        if (entry.path().filename().string().rfind(".frames.partial-", 0) != 0) continue;
        int frames = 0;
        for (const auto& file : fs::directory_iterator(entry.path(), ignored))
          frames += file.path().extension() == ".png";
        return frames;
      }
      return 0;
    };
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (framesWritten() < 3 && std::chrono::steady_clock::now() < giveUp)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_GE(framesWritten(), 3);
    ::kill(pid, signal);
    const ChildResult child = finishRender(pid, path("stderr.txt"));
    ASSERT_TRUE(WIFSIGNALED(child.status)) << child.status << " " << child.stderr_;
    EXPECT_EQ(WTERMSIG(child.status), signal);
    EXPECT_EQ(namesLeft(), (std::vector<std::string>{"a.dat", "b.dat", "stderr.txt"}));
  }
}

TEST_F(AnimateProcessTest, AFrameThatCannotBeWrittenRemovesTheFolder) {
  writeData("a.dat",
            "54,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,2,1,1,25,25,0,0\r\n");
  writeData(
      "b.dat",
      "54,1,6,2,1,3,2,3,14,2,4,13,1001,1001,80,10,48,1001,2,1,0,0,120,0,0,2,1,1,25,25,0,0\r\n");
  // Files of at most 1 KB (ulimit -f): the frame being written fails part-way, a full disk's way.
  ChildSetup setup;
  setup.fileSize = 1024;
  const ChildResult child = runRenderChild(
      {"--animate", path("a.dat"), path("b.dat"), "--frames", "5", "-o", path("frames")},
      path("stderr.txt"), setup);
  ASSERT_TRUE(WIFEXITED(child.status)) << child.status;
  EXPECT_EQ(WEXITSTATUS(child.status), 2) << child.stderr_;
  EXPECT_NE(child.stderr_.find("cannot write frame 0"), std::string::npos) << child.stderr_;
  EXPECT_EQ(namesLeft(), (std::vector<std::string>{"a.dat", "b.dat", "stderr.txt"}));
}

}  // namespace
}  // namespace orbisk
