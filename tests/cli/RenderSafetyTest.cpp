// orbisk-render's single renders as a careless or hostile user meets them: links planted in
// shared folders, two names of one file, files that may be written but not replaced, a timeout
// that must cover the encoding, fields read as 0, and the one form of every message.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QImage>
#include <QString>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "RenderChildProcess.h"
#include "RenderCommandFixture.h"

namespace orbisk {
namespace {

namespace fs = std::filesystem;

const std::string kStartUp =
    "110,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,1,1,1,25,25,0,0\r\n";
constexpr uid_t kNobody = 65534;

class RenderSafetyTest : public RenderCommandFixture {
 protected:
  // Runs the command as another user (root only) in a child; returns its exit status.
  int runAs(uid_t user, const std::vector<std::string>& args) {
    const ChildResult child =
        runRenderChild(args, path("../stderr-" + dir_.filename().string()), {0, false, user});
    fs::remove(path("../stderr-" + dir_.filename().string()));
    stderr_ = child.stderr_;
    return WIFEXITED(child.status) ? WEXITSTATUS(child.status) : -1;
  }
};

// In a sticky, world-writable folder a link is followed only when it belongs to the user or to
// the folder's owner (the kernel's protected_symlinks rule); the user's own link still is.
TEST_F(RenderSafetyTest, LinksOfOthersInSharedFoldersAreNotFollowed) {
  if (::geteuid() != 0) GTEST_SKIP() << "giving a link to another user needs root";
  const std::string data = writeData("in.dat", kStartUp);
  const std::string precious = writeData("precious.txt", "root's own file");
  fs::create_directories(path("shared"));
  ::chmod(path("shared").c_str(), 01777);
  fs::create_symlink(precious, path("shared/planted.png"));
  ASSERT_EQ(::lchown(path("shared/planted.png").c_str(), kNobody, kNobody), 0);
  fs::create_symlink(path("mine.png"), path("shared/own.png"));
  for (const char* option : {"-o", "--trace"}) {
    SCOPED_TRACE(option);
    EXPECT_EQ(run({option, path("shared/planted.png"), data}), 2);
    EXPECT_NE(stderr_.find("another user placed in a shared folder"), std::string::npos) << stderr_;
    EXPECT_EQ(bytesOf(precious), "root's own file");
  }
  ASSERT_EQ(run({"-o", path("shared/own.png"), data}), 0) << stderr_;
  EXPECT_TRUE(fs::is_symlink(path("shared/own.png")));
  EXPECT_FALSE(QImage(QString::fromStdString(path("mine.png"))).isNull());
}

// Two names of one file (hard links) cannot take the picture and the trace: the picture would be
// lost under the trace.
TEST_F(RenderSafetyTest, HardLinksOfOneFileAreOneFile) {
  const std::string data = writeData("in.dat", kStartUp);
  writeData("hl1.png", "old");
  fs::create_hard_link(path("hl1.png"), path("hl2.png"));
  fs::create_symlink(path("hl1.png"), path("link.png"));
  for (const char* other : {"hl2.png", "link.png"}) {
    SCOPED_TRACE(other);
    EXPECT_EQ(run({"-o", path("hl1.png"), "--trace", path(other), data}), 2);
    EXPECT_EQ(stderr_, "orbisk-render: the picture and the trace cannot go to the same file \"" +
                           path("hl1.png") + "\".\n");
    EXPECT_EQ(bytesOf(path("hl1.png")), "old");
  }
}

// A file in a sticky folder that the user may write but not replace (another owner, mode 666) is
// written in place, as the user may, instead of failing at the rename after the whole run.
TEST_F(RenderSafetyTest, AFileThatMayBeWrittenButNotReplacedIsWrittenInPlace) {
  if (::geteuid() != 0) GTEST_SKIP() << "a file of another owner needs root";
  const std::string data = writeData("in.dat", kStartUp);
  ::chmod(data.c_str(), 0644);
  ::chmod(dir_.c_str(), 01777);
  const std::string shared = writeData("shared.png", "root's picture");
  ::chmod(shared.c_str(), 0666);
  ASSERT_EQ(runAs(kNobody, {"-o", shared, data}), 0) << stderr_;
  struct stat st {};
  ASSERT_EQ(::stat(shared.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 0u);
  EXPECT_EQ(QImage(QString::fromStdString(shared)).width(), 632);
}

// --timeout covers the whole command: a picture drawn in time but still being written when the
// time is up (into a FIFO that a slow reader drains) ends the run with the usual message.
TEST_F(RenderSafetyTest, TheTimeoutCoversTheWriting) {
  const std::string data = writeData("in.dat", kStartUp);
  const std::string fifo = path("slow.bmp");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // Opened first without blocking, so the command finds a reader; drained 16 KB every 100 ms, so
  // the 800 KB picture takes seconds to pass.
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  std::atomic<bool> done = false;
  std::thread drain([&] {
    char buffer[16384];
    while (!done) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      while (::read(reader, buffer, sizeof buffer) < 0 && errno == EINTR) {
      }
    }
  });
  const int status = run({"--timeout", "1", "-o", fifo, data});
  done = true;
  drain.join();
  ::close(reader);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(stderr_,
            "orbisk-render: the run took longer than --timeout 1 seconds; nothing was written.\n");
}

// Every message names its file the same way, quoted, and ends with a full stop; the reader's
// note on fields that count as 0 is printed as "Load data" shows it, and the picture is drawn.
TEST_F(RenderSafetyTest, MessagesQuoteTheirFileAndNotesAreShown) {
  const std::string full = kStartUp.substr(0, kStartUp.size() - 2);
  std::string unreadable = full;  // field 29 as "2x5"
  std::size_t at = 0;
  for (int comma = 0; comma < 28; ++comma) at = unreadable.find(',', at) + 1;
  unreadable.replace(at, unreadable.find(',', at) - at, "2x5");
  std::string short28 = full;
  for (int i = 0; i < 4; ++i) short28.erase(short28.rfind(','));
  writeData("x29.dat", unreadable);
  writeData("few28.dat", short28);
  writeData("few.dat", "1,2,3");
  QImage photo(4, 4, QImage::Format_RGB32);
  photo.fill(0);
  photo.save(QString::fromStdString(path("photo.png")));
  const struct {
    std::vector<std::string> args;
    int status;
    std::string said;
  } cases[] = {
      {{"-o", path("a.png"), path("x29.dat")},
       0,
       "\"" + path("x29.dat") +
           "\": fields 29 to 32 could not be read and now count as 0 (field 29 is not a whole "
           "number from -32768 to 32767).\norbisk-render: wrote \"" +
           path("a.png") + "\".\n"},
      {{"-o", path("b.png"), path("few28.dat")},
       0,
       "\"" + path("few28.dat") +
           "\": fields 29 to 32 could not be read and now count as 0 (the file ends before field "
           "29).\norbisk-render: wrote \"" +
           path("b.png") + "\".\n"},
      {{path("few.dat")},
       2,
       "\"" + path("few.dat") +
           "\" is not an Orbisk data file: only 3 numbers could be read; a data file needs at "
           "least 28.\n"},
      {{path("photo.png")},
       2,
       "The picture \"" + path("photo.png") + "\" carries no Orbisk record.\n"},
      {{path("none.dat")},
       2,
       "Cannot open \"" + path("none.dat") + "\": No such file or directory.\n"},
      {{"-o", path("no/c.png"), path("few28.dat")},
       2,
       "\"" + path("few28.dat") +
           "\": fields 29 to 32 could not be read and now count as 0 (the file ends before field "
           "29).\norbisk-render: Cannot save \"" +
           path("no/c.png") + "\": No such file or directory.\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.back());
    EXPECT_EQ(run(c.args), c.status);
    EXPECT_EQ(stderr_, "orbisk-render: " + c.said);
  }
}

// --version and --help say what the two version numbers a user meets mean.
TEST_F(RenderSafetyTest, VersionAndHelpExplainBothVersionNumbers) {
  for (const char* option : {"--version", "--help"}) {
    SCOPED_TRACE(option);
    std::FILE* out = std::tmpfile();
    const int saved = ::dup(1);
    std::fflush(stdout);
    ::dup2(::fileno(out), 1);
    EXPECT_EQ(run({option}), 0);
    std::fflush(stdout);
    ::dup2(saved, 1);
    ::close(saved);
    std::rewind(out);
    char buffer[8192] = {};
    const std::string text(buffer, std::fread(buffer, 1, sizeof buffer - 1, out));
    std::fclose(out);
    EXPECT_NE(text.find("4.3 is the version of this release and of the record its PNGs carry"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("About box say 4.2"), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace orbisk
