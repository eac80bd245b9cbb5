#include "cli/SurveyFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "cli/SurveyMark.h"
#include "io/PendingFile.h"
#include "io/PosixFiles.h"
#include "io/ShownText.h"

namespace orbisk {

namespace {

using namespace posix;

constexpr std::size_t kMaxMarkBytes = 1 << 16;  // a mark is a few lines; more is no mark of ours

// Reads the mark without following a link. "" with error set when it cannot be read; "" with
// no error when there is none.
std::string readMark(int folder, const std::string& shown, bool& present, std::string& error) {
  present = false;
  Descriptor fd(::openat(folder, SurveyFolder::kMarkName,
                         O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) {
    if (errno != ENOENT) error = "Cannot open " + shown + ": " + errnoText(errno);
    return {};
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
    error = "Cannot open " + shown + ": " + notRegularReason(st.st_mode);
    return {};
  }
  present = true;
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      error = "Cannot read " + shown + ": " + errnoText(errno);
      return {};
    }
    if (got == 0 || text.size() + static_cast<std::size_t>(got) > kMaxMarkBytes) break;
    text.append(buffer, static_cast<std::size_t>(got));
  }
  return text;
}

// Whether name is one of a survey's pictures or index files.
bool isSurveyName(const std::string& name) {
  return name == "index.tsv" || name == "index.html" ||
         (name.rfind("candidate-", 0) == 0 && name.size() > 4 &&
          name.compare(name.size() - 4, 4, ".png") == 0);
}

// Whether the folder (or its subfolder name) holds a survey's picture or index file.
bool holdsSurveyFiles(int folder, const char* name = ".") {
  const int fd = ::openat(folder, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  DIR* dir = ::fdopendir(fd);
  if (dir == nullptr) {
    ::close(fd);
    return false;
  }
  bool found = false;
  while (const dirent* entry = ::readdir(dir)) {
    if (isSurveyName(entry->d_name)) {
      found = true;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

}  // namespace

std::unique_ptr<SurveyFolder> SurveyFolder::take(const std::string& folder,
                                                 const std::string& identity, std::string& error) {
  const std::string shown = quotedName(folder);
  std::error_code made;
  std::filesystem::create_directories(folder, made);
  if (made) {
    error = "Cannot make the folder " + shown + ": " + made.message() + ".";
    return nullptr;
  }
  Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() < 0) {
    error = "Cannot open the folder " + shown + ": " + errnoText(errno);
    return nullptr;
  }
  // The lock ends with the process, however it ends: no stale lock is ever left.
  if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
    error = errno == EWOULDBLOCK ? "another survey is writing into the folder " + shown +
                                       "; wait for it to end or choose another folder."
                                 : "Cannot lock the folder " + shown + ": " + errnoText(errno);
    return nullptr;
  }

  bool marked = false;
  const std::string mark = readMark(fd.get(), quotedName(folder + "/" + kMarkName), marked, error);
  if (!error.empty()) return nullptr;
  if (const std::string mismatch = marked ? markMismatch(mark, identity) : std::string();
      !mismatch.empty()) {
    error = "the folder " + shown + " " + mismatch +
            ", whose pictures this one would replace; choose another folder.";
    return nullptr;
  }
  if (!marked && (holdsSurveyFiles(fd.get()) || holdsSurveyFiles(fd.get(), kThumbnails))) {
    error = "the folder " + shown +
            " holds pictures or index files of a survey that cannot be told apart from this one;"
            " choose another folder.";
    return nullptr;
  }

  const std::string thumbnails = folder + "/" + kThumbnails;
  struct stat st {};
  if (::fstatat(fd.get(), kThumbnails, &st, AT_SYMLINK_NOFOLLOW) != 0) {
    if (errno != ENOENT || (::mkdirat(fd.get(), kThumbnails, 0777) != 0 && errno != EEXIST)) {
      error = "Cannot make the folder " + quotedName(thumbnails) + ": " + errnoText(errno);
      return nullptr;
    }
  } else if (S_ISLNK(st.st_mode)) {
    error = "Cannot save into " + quotedName(thumbnails) +
            ": it is a symbolic link, which is not followed here.";
    return nullptr;
  } else if (!S_ISDIR(st.st_mode)) {
    error = "Cannot save into " + quotedName(thumbnails) + ": it is not a folder.";
    return nullptr;
  }

  if (!marked) {
    const std::unique_ptr<PendingFile> file =
        PendingFile::open(folder + "/" + kMarkName, error, LinkRule::Refuse);
    if (!file) return nullptr;
    file->write(identity);
    if (error = commitTogether({file.get()}); !error.empty()) return nullptr;
  }
  return std::unique_ptr<SurveyFolder>(new SurveyFolder(folder, fd.release()));
}

SurveyFolder::~SurveyFolder() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace orbisk
