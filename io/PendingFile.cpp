#include "io/PendingFile.h"

#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "io/PosixFiles.h"
#include "io/SharedFolderLinks.h"
#include "io/ShownText.h"
#include "io/TemporaryCleanup.h"

namespace orbisk {

namespace {

using namespace posix;
namespace fs = std::filesystem;

// A short name beside target: ".orbisk-" and eight letters or digits, so it fits in the folder
// whenever the target's own name does, however long that is.
std::string temporaryNameFor(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  unsigned long long tag = static_cast<unsigned long long>(ticks) ^
                           (static_cast<unsigned long long>(++counter) << 40) ^
                           (static_cast<unsigned long long>(::getpid()) << 20);
  std::string name = ".orbisk-";
  for (int i = 0; i < 8; ++i, tag /= 36) name += "0123456789abcdefghijklmnopqrstuvwxyz"[tag % 36];
  fs::path path = target;
  path.replace_filename(name);
  return path.string();
}

// Creates the temporary file exclusively and lists it for removal on a signal, with the signals
// held back meanwhile, so that no signal finds a file that is not listed yet.
int createListedTemporary(const std::string& name, mode_t mode, int& slot) {
  sigset_t held, previous;
  sigemptyset(&held);
  addTerminatingSignals(held);
  ::pthread_sigmask(SIG_BLOCK, &held, &previous);
  const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode & 0777);
  const int error = errno;
  if (fd >= 0) slot = listTemporary(name.c_str());
  ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  errno = error;
  return fd;
}

// A file without a name in the temporary folder: it disappears with its descriptor.
int createNamelessFile() {
  const char* folder = std::getenv("TMPDIR");
  const std::string dir = folder != nullptr && *folder != '\0' ? folder : "/tmp";
  const int fd = ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return fd;
  std::string name = dir + "/.orbisk-XXXXXX";
  const int named = ::mkostemp(name.data(), O_CLOEXEC);
  if (named >= 0) ::unlink(name.c_str());
  return named;
}

ssize_t writeThroughPendingFile(void* cookie, const char* bytes, size_t size) {
  return static_cast<PendingFile*>(cookie)->write(std::string_view(bytes, size))
             ? static_cast<ssize_t>(size)
             : -1;
}

}  // namespace

std::unique_ptr<PendingFile> PendingFile::open(const std::string& path, std::string& error,
                                               LinkRule links) {
  const std::string failure = "Cannot save " + quotedName(path) + ": ";
  if (path.empty()) {
    error = failure + errnoText(ENOENT);
    return nullptr;
  }
  // Saving through a symbolic link updates the file it points to instead of replacing the link,
  // where the link may be trusted.
  std::string target = path;
  if (links == LinkRule::FollowOwn) {
    if (const std::string refused = followOwnLinks(path, target); !refused.empty()) {
      error = failure + refused;
      return nullptr;
    }
  }
  struct stat st {};
  const bool exists =
      (links == LinkRule::Refuse ? ::lstat(target.c_str(), &st) : ::stat(target.c_str(), &st)) == 0;
  if (!exists && errno != ENOENT) {
    error = failure + errnoText(errno);
    return nullptr;
  }
  if (exists && S_ISLNK(st.st_mode)) {
    error = failure + "it is a symbolic link, which is not followed here.";
    return nullptr;
  }
  if (exists && S_ISDIR(st.st_mode)) {
    error = failure + notRegularReason(st.st_mode);
    return nullptr;
  }

  // A FIFO or a character device (a terminal, /dev/null, a pipe named through /dev/stdout)
  // takes the bytes as they come; there is nothing to replace. Opened without blocking, so a
  // FIFO that no program reads is reported instead of waiting for a reader.
  if (exists && links == LinkRule::FollowOwn && (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode))) {
    Descriptor fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat opened {};
    if (fd.get() < 0) {
      error = failure + (errno == ENXIO ? "no program is reading from it." : errnoText(errno));
    } else if (::fstat(fd.get(), &opened) != 0) {
      error = failure + errnoText(errno);
    } else if (!S_ISFIFO(opened.st_mode) && !S_ISCHR(opened.st_mode)) {
      error = failure + notRegularReason(opened.st_mode);
    }
    if (!error.empty()) return nullptr;
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags >= 0) ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
    std::unique_ptr<PendingFile> file(new PendingFile(path, Kind::Stream));
    file->fd_ = fd.release();
    return file;
  }
  if (exists && !S_ISREG(st.st_mode)) {
    error = failure + notRegularReason(st.st_mode);
    return nullptr;
  }
  // A read-only file is the user's way of keeping it: it is not replaced, even though the
  // folder would allow it.
  if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
    error = failure + errnoText(errno);
    return nullptr;
  }

  // Renaming a new file over one of several hard links would part it from the others, and a
  // sticky folder (/tmp) lets only the owners replace a file that others may write: found now,
  // not after the whole content was made.
  const bool renameRefused = exists && !mayReplaceByRename(target);
  if (links == LinkRule::Refuse && renameRefused) {
    error = failure + "it belongs to another user in a shared folder.";
    return nullptr;
  }
  bool inPlace = links == LinkRule::FollowOwn && exists && (st.st_nlink > 1 || renameRefused);
  std::unique_ptr<PendingFile> file(new PendingFile(path, Kind::Replace));
  file->target_ = target;
  if (!inPlace) {
    int fd = -1;
    for (int attempt = 0; attempt < 100; ++attempt) {
      file->temporary_ = temporaryNameFor(target);
      fd =
          createListedTemporary(file->temporary_, exists ? st.st_mode : 0666, file->temporarySlot_);
      if (fd >= 0 || errno != EEXIST) break;
    }
    if (fd < 0) {
      const int createError = errno;
      file->temporary_.clear();
      // A folder the user may not write (or a read-only mount) can still hold a writable file.
      const bool folderRefuses =
          createError == EACCES || createError == EPERM || createError == EROFS;
      if (!exists || !folderRefuses || links == LinkRule::Refuse) {
        error = failure + errnoText(createError);
        return nullptr;
      }
      inPlace = true;
    } else {
      file->fd_ = fd;
      if (exists) {
        // The new file keeps the old one's owner and group where the user may give them (root
        // may; others may keep a group they belong to), then its permission bits exactly: the
        // mode given to open was cut by the umask, and a change of owner clears set-id bits.
        if (::fchown(fd, st.st_uid, st.st_gid) != 0)
          (void)::fchown(fd, static_cast<uid_t>(-1), st.st_gid);
        ::fchmod(fd, st.st_mode & 07777);
      }
    }
  }
  if (inPlace) {
    file->kind_ = Kind::InPlace;
    // The links were followed already: one planted since is not.
    Descriptor existing(
        ::open(file->target_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW));
    struct stat opened {};
    if (existing.get() < 0 || ::fstat(existing.get(), &opened) != 0) {
      error = failure + errnoText(errno);
      return nullptr;
    }
    if (!S_ISREG(opened.st_mode)) {
      error = failure + notRegularReason(opened.st_mode);
      return nullptr;
    }
    const int flags = ::fcntl(existing.get(), F_GETFL);
    if (flags >= 0) ::fcntl(existing.get(), F_SETFL, flags & ~O_NONBLOCK);
    file->fd_ = createNamelessFile();
    if (file->fd_ < 0) {
      error = failure + errnoText(errno);
      return nullptr;
    }
    file->targetFd_ = existing.release();
  }
  return file;
}

PendingFile::~PendingFile() {
  if (stream_ != nullptr) std::fclose(stream_);
  if (fd_ >= 0) ::close(fd_);
  if (targetFd_ >= 0) ::close(targetFd_);
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  unlistTemporary(temporarySlot_);
}

bool PendingFile::write(std::string_view bytes) {
  if (error_ != 0) return false;
  if (fd_ < 0) error_ = EBADF;
  if (error_ == 0) error_ = writeAll(fd_, bytes);
  return error_ == 0;
}

std::FILE* PendingFile::stream() {
  if (stream_ == nullptr) {
    const cookie_io_functions_t io{nullptr, writeThroughPendingFile, nullptr, nullptr};
    stream_ = ::fopencookie(this, "w", io);
    if (stream_ == nullptr && error_ == 0) error_ = ENOMEM;
    if (stream_ != nullptr) std::setvbuf(stream_, nullptr, _IOFBF, std::size_t{1} << 16);
  }
  return stream_;
}

std::string PendingFile::shownPath() const {
  return quotedName(path_);
}

std::string PendingFile::failure(int error) const {
  return "Cannot save " + shownPath() + ": " + errnoText(error);
}

std::string PendingFile::finish() {
  if (finished_) return {};
  if (stream_ != nullptr) {
    // Flushing writes through write(), which keeps the first failure.
    const bool closed = std::fclose(stream_) == 0;
    stream_ = nullptr;
    if (!closed && error_ == 0) error_ = EIO;
  }
  if (error_ != 0) return failure(error_);
  if (kind_ != Kind::InPlace) {
    if (kind_ == Kind::Replace && ::fsync(fd_) != 0 && errno != EINVAL) return failure(errno);
    const int result = ::close(fd_);
    fd_ = -1;
    if (result != 0) return failure(errno);
  }
  finished_ = true;
  return {};
}

std::string PendingFile::copyIntoTarget() {
  struct stat st {};
  if (::fstat(targetFd_, &st) != 0) return failure(errno);
  const off_t newSize = ::lseek(fd_, 0, SEEK_END);
  if (newSize < 0 || ::lseek(fd_, 0, SEEK_SET) != 0) return failure(errno);
  // Room for a longer content is claimed first, so a full disk is found before the old content
  // is touched. Filesystems that cannot reserve room say so; then the writing finds out.
  if (newSize > st.st_size) {
    const int error = ::posix_fallocate(targetFd_, st.st_size, newSize - st.st_size);
    if (error == ENOSPC || error == EFBIG || error == EDQUOT) return failure(error);
  }
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return failure(errno);
    if (got == 0) break;
    if (const int error = writeAll(targetFd_, std::string_view(buffer, static_cast<size_t>(got))))
      return failure(error);
  }
  if (::ftruncate(targetFd_, newSize) != 0) return failure(errno);
  if (::fsync(targetFd_) != 0 && errno != EINVAL) return failure(errno);
  const int result = ::close(targetFd_);
  targetFd_ = -1;
  return result == 0 ? std::string() : failure(errno);
}

std::string PendingFile::place() {
  if (const std::string error = finish(); !error.empty()) return error;
  if (kind_ == Kind::InPlace) return copyIntoTarget();
  if (kind_ == Kind::Replace) {
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) return failure(errno);
    temporary_.clear();
    unlistTemporary(temporarySlot_);
    temporarySlot_ = -1;
  }
  return {};
}

std::string commitTogether(const std::vector<PendingFile*>& files) {
  for (PendingFile* file : files) {
    if (std::string error = file->finish(); !error.empty()) return error;
  }
  // A rename hardly fails once its file is complete; copying over a file in place may still
  // find a full disk, so those go first, while nothing has been replaced yet.
  std::vector<PendingFile*> ordered;
  for (PendingFile* file : files)
    if (file->copiesInPlace()) ordered.push_back(file);
  for (PendingFile* file : files)
    if (!file->copiesInPlace()) ordered.push_back(file);
  for (PendingFile* file : ordered) {
    if (std::string error = file->place(); !error.empty()) return error;
  }
  return {};
}

}  // namespace orbisk
