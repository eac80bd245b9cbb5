// Files the user names: nothing but regular files is read, and saving keeps hard links,
// permission bits and the files of folders the user may not write.
#include "io/UserFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "cli/RenderCommand.h"
#include "io/DataFileIo.h"
#include "io/PictureFile.h"

namespace orbisk {
namespace {

namespace fs = std::filesystem;

class UserFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("orbisk-io-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }
  std::string file(const std::string& name) const { return (dir_ / name).string(); }
  void put(const std::string& name, const std::string& text) const {
    std::ofstream(dir_ / name, std::ios::binary) << text;
  }
  static std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static ino_t inodeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
  }
  static mode_t modeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
  }
  fs::path dir_;
};

PictureParams someParams() {
  PictureParams p;
  p.size = 321, p.v2 = -17;
  return p;
}

// Opening a FIFO for reading would wait for a writer: every reader refuses it at once.
TEST_F(UserFiles, AFifoOrAFolderIsRefusedAtOnceByEveryReader) {
  ASSERT_EQ(::mkfifo(file("pipe.dat").c_str(), 0600), 0);
  const RecordFileResult data = readRecordFile(file("pipe.dat"));
  EXPECT_FALSE(data.ok);
  EXPECT_NE(data.error.find(file("pipe.dat") + "\": it is a FIFO"), std::string::npos)
      << data.error;

  const PictureRead picture = readPictureFile(QString::fromStdString(file("pipe.dat")), {948, 651});
  EXPECT_FALSE(picture.ok);
  EXPECT_TRUE(picture.error.contains("FIFO")) << picture.error.toStdString();

  std::string arg0 = "orbisk-render", arg1 = file("pipe.dat");
  char* argv[] = {arg0.data(), arg1.data()};
  std::FILE* err = std::tmpfile();
  EXPECT_EQ(renderCommand(2, argv, err), 2);
  std::fclose(err);

  const RecordFileResult folder = readRecordFile(dir_.string());
  EXPECT_NE(folder.error.find("it is a folder"), std::string::npos) << folder.error;
}

TEST_F(UserFiles, SavingThroughOneHardLinkUpdatesTheOthers) {
  put("a.dat", "old");
  fs::create_hard_link(file("a.dat"), file("b.dat"));
  ASSERT_EQ(writeRecordFile(file("b.dat"), someParams()), "");
  EXPECT_EQ(readAll(file("a.dat")), formatRecord(someParams()));
  EXPECT_EQ(fs::hard_link_count(file("a.dat")), 2u);
}

// Issue: saving over a file replaced it with one of default permissions.
TEST_F(UserFiles, SavingOverAFileKeepsItsPermissionBits) {
  put("kept.dat", "old");
  put("kept.bmp", "old");
  ::chmod(file("kept.dat").c_str(), 0604);
  ::chmod(file("kept.bmp").c_str(), 0640);
  ASSERT_EQ(writeRecordFile(file("kept.dat"), someParams()), "");
  QImage picture(3, 2, QImage::Format_RGB32);
  picture.fill(Qt::red);
  ASSERT_EQ(writePictureFile(QString::fromStdString(file("kept.bmp")), picture, "BMP"), "");
  EXPECT_EQ(modeOf(file("kept.dat")), 0604u);
  EXPECT_EQ(modeOf(file("kept.bmp")), 0640u);
  EXPECT_EQ(readAll(file("kept.dat")), formatRecord(someParams()));
}

// Overwriting in place (used where the folder refuses a new file) cuts a longer old content.
TEST_F(UserFiles, WritingInPlaceKeepsTheFileAndCutsItToTheNewLength) {
  put("in.dat", std::string(5000, 'x'));
  const ino_t inode = inodeOf(file("in.dat"));
  ASSERT_EQ(writeUserFileInPlace(file("in.dat"), "new"), "");
  EXPECT_EQ(readAll(file("in.dat")), "new");
  EXPECT_EQ(inodeOf(file("in.dat")), inode);
  const std::string missing = writeUserFileInPlace(file("none.dat"), "new");
  EXPECT_NE(missing.find("none.dat\": No such file"), std::string::npos) << missing;
}

TEST_F(UserFiles, AWritableFileInAFolderThatRefusesNewFilesIsStillSaved) {
  if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions; case not testable";
  put("locked.dat", "old");
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(writeRecordFile(file("locked.dat"), someParams()), "");
  EXPECT_EQ(readAll(file("locked.dat")), formatRecord(someParams()));
  // A new file cannot be made there, and the message says why.
  const std::string error = writeRecordFile(file("new.dat"), someParams());
  EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
}

}  // namespace
}  // namespace orbisk
