// orbisk-render as a whole process under what an unlucky user or a careful attacker brings:
// low memory, signals, a closed pipe, damaged chunks, long runs. Whatever happens, the command
// ends with one line and either writes every output whole or leaves no file behind.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <QString>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "RenderChildProcess.h"
#include "RenderCommandFixture.h"
#include "io/RecordedPicture.h"
#include "session/DrawnPicture.h"

namespace orbisk {
namespace {

namespace fs = std::filesystem;

// The start-up set at size 600: a trace of about 17 MB in well under a second.
const std::string kLongTrace =
    "600,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,1,1,1,25,25,0,0\r\n";
// The Maximum frame, to be drawn 8 times larger (a canvas of about 158 MB).
const std::string kMaximum =
    "110,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,3,1,1,25,25,0,0\r\n";

bool sanitized() {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
  return true;
#endif
#endif
  return false;
}

std::size_t lines(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class RenderProcessTest : public RenderCommandFixture {
 protected:
  // The names in the test's folder, but for the inputs and the children's stderr.
  std::set<std::string> outputsLeft(const std::set<std::string>& inputs) const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      const std::string name = entry.path().filename().string();
      if (!inputs.count(name) && name != "stderr.txt") names.insert(name);
    }
    return names;
  }
  std::string errFile() const { return path("stderr.txt"); }
};

// Too little memory anywhere (the canvas, the encoder, the trace) is one line and status 2 with
// nothing written; where the memory suffices, every output is complete.
TEST_F(RenderProcessTest, LowMemoryEndsInOneLineAndAllOrNothing) {
  if (sanitized()) GTEST_SKIP() << "the sanitizers reserve more address space than any limit";
  writeData("long.dat", kLongTrace);
  writeData("max.dat", kMaximum);
  ASSERT_EQ(run({"--trace", path("reference.txt"), path("long.dat")}), 0) << stderr_;
  const std::string reference = bytesOf(path("reference.txt"));
  fs::remove(path("reference.txt"));

  struct Case {
    rlim_t megabytes;
    std::vector<std::string> args;
  };
  const std::vector<Case> cases = {
      {80, {"--trace", path("t.txt"), "-o", path("t.png"), path("long.dat")}},
      {200, {"--scale", "8", "-o", path("x.bmp"), path("max.dat")}},
      {250, {"--scale", "8", "-o", path("x.bmp"), path("max.dat")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.megabytes) + " MB, " + c.args.back() + " -> " + c.args[1] + " " +
                 c.args[3]);
    const ChildResult child = runRenderChild(c.args, errFile(), {c.megabytes << 20, false});
    ASSERT_TRUE(WIFEXITED(child.status)) << child.stderr_;
    const int status = WEXITSTATUS(child.status);
    // The dynamic loader or a library's start-up may find too little room on another machine;
    // then nothing of ours ran, and it says so in its own words.
    if (status != 0 && child.stderr_.rfind("orbisk-render: ", 0) != 0) continue;
    EXPECT_TRUE(status == 0 || status == 2) << status << " " << child.stderr_;
    EXPECT_EQ(lines(child.stderr_), 1u) << child.stderr_;
    const std::set<std::string> left = outputsLeft({"long.dat", "max.dat"});
    if (status != 0) {
      EXPECT_TRUE(left.empty()) << *left.begin();
    } else if (left.count("t.txt") && c.args.back() == path("long.dat")) {
      EXPECT_EQ(bytesOf(path("t.txt")), reference);
    }
    for (const std::string& name : left) fs::remove(path(name));
  }
}

// The trace streams to its file: the peak memory of a run with a 17 MB trace is hardly above
// that of the same run without one.
TEST_F(RenderProcessTest, ATraceCostsNoMemoryForItsLength) {
  writeData("long.dat", kLongTrace);
  const ChildResult plain = runRenderChild({path("long.dat")}, errFile());
  const ChildResult traced =
      runRenderChild({"--trace", path("t.txt"), path("long.dat")}, errFile());
  ASSERT_EQ(plain.status, 0) << plain.stderr_;
  ASSERT_EQ(traced.status, 0) << traced.stderr_;
  const long traceKb = static_cast<long>(fs::file_size(path("t.txt")) / 1024);
  ASSERT_GT(traceKb, 8 * 1024);
  EXPECT_LT(traced.maxRssKb - plain.maxRssKb, traceKb / 4)
      << plain.maxRssKb << " KB without the trace";
}

// SIGINT, SIGTERM, SIGHUP, SIGQUIT and the other signals that end a process, in the middle of a
// run, end it as the signal does, and the temporary files of the picture and the trace go with it.
TEST_F(RenderProcessTest, ASignalLeavesNoTemporaryFile) {
  writeData("endless.dat", kEndless);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM}) {
    SCOPED_TRACE(strsignal(signal));
    const pid_t pid = startRender(
        {"--scale", "8", "-o", path("big.bmp"), "--trace", path("t.txt"), path("endless.dat")},
        errFile());
    // Both outputs are prepared before the run starts; the run itself lasts hours.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (outputsLeft({"endless.dat"}).size() < 2 && std::chrono::steady_clock::now() < giveUp)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (outputsLeft({"endless.dat"}).size() < 2) {
      ::kill(pid, SIGKILL);
      finishRender(pid, errFile());
      FAIL() << "the outputs were never prepared";
    }
    ::kill(pid, signal);
    const ChildResult child = finishRender(pid, errFile());
    ASSERT_TRUE(WIFSIGNALED(child.status)) << child.status << " " << child.stderr_;
    EXPECT_EQ(WTERMSIG(child.status), signal);
    EXPECT_TRUE(outputsLeft({"endless.dat"}).empty());
  }
}

// A closed pipe is a write error like any other: a message and status 2, not a silent death.
TEST_F(RenderProcessTest, AClosedPipeIsReportedAsAWriteError) {
  writeData("long.dat", kLongTrace);
  const ChildResult child =
      runRenderChild({"--trace", "/dev/stdout", path("long.dat")}, errFile(), {0, true});
  ASSERT_TRUE(WIFEXITED(child.status)) << child.status;
  EXPECT_EQ(WEXITSTATUS(child.status), 2);
  EXPECT_EQ(child.stderr_, "orbisk-render: Cannot save \"/dev/stdout\": Broken pipe.\n");
}

// Past ulimit -f a write fails like any other (File too large), with one line of ours, status 2
// and no file left; a failed PNG write adds no line of the encoder's own.
TEST_F(RenderProcessTest, WriteFailuresAreOneLineOfOurs) {
  writeData("long.dat", kLongTrace);
  struct Case {
    std::vector<std::string> args;
    rlim_t fileSize;
    std::string said;
  };
  const std::vector<Case> cases = {
      {{"--trace", path("t.txt"), "-o", path("t.png"), path("long.dat")},
       1 << 16,
       "Cannot save \"" + path("t.txt") + "\": File too large.\n"},
      {{"-o", path("t.png"), path("long.dat")},
       1 << 10,
       "Cannot save \"" + path("t.png") + "\": File too large.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.said);
    ChildSetup setup;
    setup.fileSize = c.fileSize;
    const ChildResult child = runRenderChild(c.args, errFile(), setup);
    ASSERT_TRUE(WIFEXITED(child.status)) << child.status;
    EXPECT_EQ(WEXITSTATUS(child.status), 2);
    EXPECT_EQ(child.stderr_, "orbisk-render: " + c.said);
    EXPECT_TRUE(outputsLeft({"long.dat"}).empty()) << *outputsLeft({"long.dat"}).begin();
  }
}

// A damaged chunk the PNG decoder only warns about adds no line of the library's own.
TEST_F(RenderProcessTest, LibraryWarningsStayOffStderr) {
  DrawnPicture drawn;
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(0);
  ASSERT_EQ(writeRecordedPicture(QString::fromStdString(path("ours.png")), image, "PNG", drawn),
            "");
  // A text chunk whose checksum is wrong, right after the header.
  std::string png = bytesOf(path("ours.png"));
  const std::string chunk = std::string("\0\0\0\x07tEXtkey\0bad", 15) + "\xde\xad\xbe\xef";
  png.insert(8 + 25, chunk);
  writeData("damaged.png", png);
  const ChildResult child =
      runRenderChild({"-o", path("again.png"), path("damaged.png")}, errFile());
  ASSERT_TRUE(WIFEXITED(child.status));
  EXPECT_EQ(lines(child.stderr_), 1u) << child.stderr_;
  EXPECT_EQ(child.stderr_.find("libpng"), std::string::npos) << child.stderr_;
}

}  // namespace
}  // namespace orbisk
