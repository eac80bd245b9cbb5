// orbisk-render's outputs are all or nothing: a picture and its trace are both written or
// neither is, and existing files of those names stay as they were.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "RenderChildProcess.h"
#include "RenderCommandFixture.h"

namespace orbisk {
namespace {

namespace fs = std::filesystem;

const std::string kStartUp =
    "110,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,1,1,1,25,25,0,0\r\n";

class RenderOutputsTest : public RenderCommandFixture {
 protected:
  std::vector<std::string> namesInFolder() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(RenderOutputsTest, WhenOneOutputFailsNeitherIsWrittenAndOldFilesStay) {
  struct Case {
    const char* what;
    std::vector<std::string> args;  // the data file is appended
    const char* reason;             // part of the one-line message
    bool endless = false;           // draws the run of hours instead of the start-up picture
  };
  const std::vector<Case> cases = {
      {"trace into a missing folder",
       {"-o", path("out.png"), "--trace", path("nodir/t.txt")},
       "No such file or directory"},
      {"picture into a missing folder",
       {"-o", path("nodir/out.png"), "--trace", path("t.txt")},
       "No such file or directory"},
      {"trace onto a full disk",
       {"-o", path("out.png"), "--trace", "/dev/full"},
       "No space left on device"},
      {"picture onto a folder",
       {"-o", path("folder.png"), "--trace", path("t.txt")},
       "it is a folder"},
      {"a run past its --timeout",
       {"--timeout", "1", "-o", path("out.png"), "--trace", path("t.txt")},
       "--timeout 1 seconds",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string data = writeData("in.dat", c.endless ? kEndless : kStartUp);
    fs::create_directories(path("folder.png"));
    writeData("out.png", "old picture");
    writeData("t.txt", "old trace");
    const std::vector<std::string> before = namesInFolder();
    std::vector<std::string> args = c.args;
    args.push_back(data);
    EXPECT_EQ(run(args), 2);
    EXPECT_NE(stderr_.find(c.reason), std::string::npos) << stderr_;
    EXPECT_EQ(std::count(stderr_.begin(), stderr_.end(), '\n'), 1) << stderr_;
    EXPECT_EQ(bytesOf(path("out.png")), "old picture");
    EXPECT_EQ(bytesOf(path("t.txt")), "old trace");
    EXPECT_EQ(namesInFolder(), before);
  }
}

// Names of up to 255 bytes are written, new or over an existing file, and every message shows
// the name with its control characters, bidirectional controls and stray bytes spelt out.
TEST_F(RenderOutputsTest, LongAndHostileNamesAreWrittenAndShownSafely) {
  const std::string data = writeData("in.dat", kStartUp);
  struct Case {
    std::string name;
    std::string shown;  // as "wrote ..." shows it, after the folder
  };
  const std::vector<Case> cases = {
      {std::string(235, 'a') + ".png", std::string(235, 'a') + ".png"},
      {std::string(251, 'b') + ".bmp", std::string(251, 'b') + ".bmp"},
      {"a\x1b[31mRED\nx\xe2\x80\xaey\xff.png", "a\\x1b[31mRED\\nx\\u202ey\\xff.png"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown);
    for (int time = 0; time < 2; ++time) {  // a new file, then over the existing one
      ASSERT_EQ(run({"-o", path(c.name), data}), 0) << stderr_;
      EXPECT_EQ(stderr_, "orbisk-render: wrote \"" + path(c.shown) + "\".\n");
    }
    EXPECT_EQ(namesInFolder().size(), 2u);
    fs::remove(path(c.name));
  }
}

// A replaced file keeps its owner and group where the user may give them, and a file the user
// may not write is not replaced behind their back, even in a folder they may write.
TEST_F(RenderOutputsTest, ReplacingKeepsTheOwnerAndRespectsReadOnlyFiles) {
  const std::string data = writeData("in.dat", kStartUp);
  const bool root = ::geteuid() == 0;
  constexpr uid_t kNobody = 65534;
  const std::string kept = writeData("kept.png", "old picture");
  if (root) {
    ASSERT_EQ(::chown(kept.c_str(), kNobody, kNobody), 0);
    ::chmod(kept.c_str(), 0640);
    ASSERT_EQ(run({"-o", kept, data}), 0) << stderr_;
    struct stat st {};
    ASSERT_EQ(::stat(kept.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, kNobody);
    EXPECT_EQ(st.st_gid, kNobody);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_NE(bytesOf(kept), "old picture");
  }
  // Root may write anything: the refusal is checked as an ordinary user.
  const std::string locked = writeData("locked.png", "old picture");
  ::chmod(dir_.c_str(), 0777);
  ::chmod(data.c_str(), 0644);
  ::chmod(locked.c_str(), 0444);
  if (root) {
    ASSERT_EQ(::chown(locked.c_str(), kNobody, kNobody), 0);
  }
  const ChildResult child =
      runRenderChild({"-o", locked, data}, path("../stderr-" + dir_.filename().string()),
                     {0, false, root ? kNobody : 0});
  fs::remove(path("../stderr-" + dir_.filename().string()));
  ASSERT_TRUE(WIFEXITED(child.status));
  EXPECT_EQ(WEXITSTATUS(child.status), 2) << child.stderr_;
  EXPECT_EQ(child.stderr_, "orbisk-render: Cannot save \"" + locked + "\": Permission denied.\n");
  EXPECT_EQ(bytesOf(locked), "old picture");
  EXPECT_EQ(namesInFolder(), (std::vector<std::string>{"in.dat", "kept.png", "locked.png"}));
}

}  // namespace
}  // namespace orbisk
