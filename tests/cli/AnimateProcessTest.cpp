// orbisk-render --animate as a whole process stopped by a signal in the middle of a film: the
// film's temporary file goes with it and nothing is left under the output's name.
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

class AnimateProcessTest : public RenderCommandFixture {};

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
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir_)) left.push_back(entry.path().filename());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"a.dat", "b.dat", "stderr.txt"}));
  }
}

}  // namespace
}  // namespace orbisk
