#include "io/UserFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace orbisk {

namespace {

namespace fs = std::filesystem;

std::string errnoText(int error) {
  return error != 0 ? std::strerror(error) : "unknown error";
}

// Why a file of this kind is not read or replaced like a regular file.
std::string notRegularReason(mode_t mode) {
  if (S_ISDIR(mode)) return "it is a folder, not a file";
  if (S_ISFIFO(mode)) return "it is a FIFO (named pipe), not a regular file";
  if (S_ISSOCK(mode)) return "it is a socket, not a regular file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a regular file";
  return "it is not a regular file";
}

// Closes the descriptor on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now and returns 0 or the errno of a failing close (a late write error shows here).
  int close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }
  // Hands the descriptor over to the caller.
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

// Opens path for reading without blocking and checks what was opened: only a regular file
// passes. Returns the descriptor, or -1 with error set.
int openForReading(const std::string& path, struct stat& st, std::string& error) {
  const std::string shown = displayPath(path);
  if (path.empty()) {
    error = "Cannot open " + shown + ": " + errnoText(ENOENT);
    return -1;
  }
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) {
    error = "Cannot open " + shown + ": " + errnoText(errno);
    return -1;
  }
  // The check is made on what was opened, not on the name, which may have changed meanwhile.
  if (::fstat(fd.get(), &st) != 0) {
    error = "Cannot open " + shown + ": " + errnoText(errno);
    return -1;
  }
  if (!S_ISREG(st.st_mode)) {
    error = "Cannot open " + shown + ": " + notRegularReason(st.st_mode);
    return -1;
  }
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags >= 0) ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
  return fd.release();
}

UserFileRead readFile(const std::string& path, std::size_t maxBytes, bool wholeFileOnly) {
  UserFileRead result;
  const std::string shown = displayPath(path);
  struct stat st {};
  Descriptor fd(openForReading(path, st, result.error));
  if (fd.get() < 0) return result;

  if (wholeFileOnly && static_cast<unsigned long long>(st.st_size) > maxBytes) {
    result.error =
        "Cannot open " + shown + ": the file is larger than " + std::to_string(maxBytes) + " bytes";
    return result;
  }
  // The size is only a hint (a file may grow while it is read); the loop bounds the reading.
  result.bytes.reserve(std::min<std::size_t>(maxBytes, static_cast<std::size_t>(st.st_size)));
  char buffer[65536];
  for (;;) {
    const std::size_t room = maxBytes - result.bytes.size();
    // One byte beyond the bound tells a file that is too large from one that fits exactly.
    const std::size_t wanted = room >= sizeof buffer ? sizeof buffer : room + 1;
    const ssize_t got = ::read(fd.get(), buffer, wanted);
    if (got < 0) {
      if (errno == EINTR) continue;
      result.bytes.clear();
      result.error = "Cannot read " + shown + ": " + errnoText(errno);
      return result;
    }
    if (got == 0) break;
    const std::size_t count = static_cast<std::size_t>(got);
    if (count > room) {
      result.bytes.append(buffer, room);
      if (wholeFileOnly) {
        result.bytes.clear();
        result.error = "Cannot open " + shown + ": the file is larger than " +
                       std::to_string(maxBytes) + " bytes";
        return result;
      }
      break;
    }
    result.bytes.append(buffer, count);
  }
  result.ok = true;
  return result;
}

// Writes all bytes from the descriptor's current position; returns 0 or the errno.
int writeAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (wrote == 0) return EIO;
    done += static_cast<std::size_t>(wrote);
  }
  return 0;
}

// Saving through a symbolic link updates the file it points to instead of replacing the link.
std::string resolveLink(const std::string& path) {
  std::error_code ec;
  if (!fs::is_symlink(path, ec)) return path;
  const fs::path resolved = fs::weakly_canonical(path, ec);
  return ec ? path : resolved.string();
}

// A name for the temporary file next to the target; unique enough that the exclusive create
// rarely has to try again.
std::string temporaryNameFor(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  const unsigned long long tag =
      static_cast<unsigned long long>(ticks) ^ (static_cast<unsigned long long>(++counter) << 48);
  fs::path name = target;
  name.replace_filename("." + name.filename().string() + "." + std::to_string(tag) + ".tmp");
  return name.string();
}

// A FIFO or a character device (a terminal, /dev/null, a pipe named through /dev/stdout) takes
// the bytes as they come; there is nothing to replace. Opened without blocking, so a FIFO that
// no program reads is reported instead of waiting for a reader.
std::string writeToStream(const std::string& path, std::string_view bytes,
                          const std::string& failure) {
  Descriptor fd(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) {
    if (errno == ENXIO) return failure + "no program is reading from it";
    return failure + errnoText(errno);
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return failure + errnoText(errno);
  if (!S_ISFIFO(st.st_mode) && !S_ISCHR(st.st_mode)) return failure + notRegularReason(st.st_mode);
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags >= 0) ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
  if (const int error = writeAll(fd.get(), bytes); error != 0) return failure + errnoText(error);
  if (const int error = fd.close(); error != 0) return failure + errnoText(error);
  return {};
}

std::string writeInPlace(const std::string& target, std::string_view bytes,
                         const std::string& failure) {
  Descriptor fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) return failure + errnoText(errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return failure + errnoText(errno);
  if (!S_ISREG(st.st_mode)) return failure + notRegularReason(st.st_mode);
  // Room for a longer content is claimed first, so a full disk is found before the old content
  // is touched. Filesystems that cannot reserve room say so; then the writing finds out.
  const auto newSize = static_cast<off_t>(bytes.size());
  if (newSize > st.st_size) {
    const int error = ::posix_fallocate(fd.get(), st.st_size, newSize - st.st_size);
    if (error == ENOSPC || error == EFBIG || error == EDQUOT) return failure + errnoText(error);
  }
  if (const int error = writeAll(fd.get(), bytes); error != 0) return failure + errnoText(error);
  if (::ftruncate(fd.get(), newSize) != 0) return failure + errnoText(errno);
  if (::fsync(fd.get()) != 0 && errno != EINVAL) return failure + errnoText(errno);
  if (const int error = fd.close(); error != 0) return failure + errnoText(error);
  return {};
}

// Creates a fresh temporary file beside target holding bytes, with the given permission bits.
// Returns its name, or "" with createError or writeError set.
std::string writeTemporary(const std::string& target, std::string_view bytes, mode_t mode,
                           bool keepMode, int& createError, int& writeError) {
  createError = writeError = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = temporaryNameFor(target);
    Descriptor fd(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode & 0777));
    if (fd.get() < 0) {
      if (errno == EEXIST) continue;
      createError = errno;
      return {};
    }
    // The mode given to open is cut by the umask; the replaced file's bits are restored exactly.
    if (keepMode) ::fchmod(fd.get(), mode & 07777);
    int error = writeAll(fd.get(), bytes);
    if (error == 0 && ::fsync(fd.get()) != 0 && errno != EINVAL) error = errno;
    if (const int closeError = fd.close(); error == 0) error = closeError;
    if (error != 0) {
      ::unlink(name.c_str());
      writeError = error;
      return {};
    }
    return name;
  }
  createError = EEXIST;
  return {};
}

}  // namespace

std::string displayPath(const std::string& path) {
  std::string shown = path;
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  }
  return shown;
}

UserFileRead readUserFile(const std::string& path, std::size_t maxBytes) {
  return readFile(path, maxBytes, true);
}

UserFileRead readUserFileStart(const std::string& path, std::size_t maxBytes) {
  return readFile(path, maxBytes, false);
}

UserFileStream::UserFileStream(const std::string& path, std::size_t maxBytes)
    : shown_(displayPath(path)), maxBytes_(maxBytes), left_(maxBytes) {
  struct stat st {};
  fd_ = openForReading(path, st, error_);
  if (fd_ >= 0 && static_cast<unsigned long long>(st.st_size) > maxBytes) tooLarge();
}

UserFileStream::~UserFileStream() {
  if (fd_ >= 0) ::close(fd_);
}

void UserFileStream::tooLarge() {
  error_ =
      "Cannot open " + shown_ + ": the file is larger than " + std::to_string(maxBytes_) + " bytes";
}

long long UserFileStream::read(char* into, std::size_t size) {
  if (!error_.empty()) return -1;
  // One byte beyond the bound tells a file that grew too large from one that fits exactly.
  const std::size_t wanted = std::min(size, left_ + 1);
  for (;;) {
    const ssize_t got = ::read(fd_, into, wanted);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      error_ = "Cannot read " + shown_ + ": " + errnoText(errno);
      return -1;
    }
    if (static_cast<std::size_t>(got) > left_) {
      tooLarge();
      return -1;
    }
    left_ -= static_cast<std::size_t>(got);
    return got;
  }
}

std::string writeUserFileInPlace(const std::string& path, std::string_view bytes) {
  const std::string failure = "Cannot save " + displayPath(path) + ": ";
  if (path.empty()) return failure + errnoText(ENOENT);
  return writeInPlace(path, bytes, failure);
}

std::string writeUserFile(const std::string& path, std::string_view bytes) {
  const std::string failure = "Cannot save " + displayPath(path) + ": ";
  if (path.empty()) return failure + errnoText(ENOENT);

  struct stat st {};
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (!exists && errno != ENOENT) return failure + errnoText(errno);
  if (exists && S_ISDIR(st.st_mode)) return failure + notRegularReason(st.st_mode);
  if (exists && (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode))) {
    return writeToStream(path, bytes, failure);
  }
  if (exists && !S_ISREG(st.st_mode)) return failure + notRegularReason(st.st_mode);

  const std::string target = resolveLink(path);
  // Renaming a new file over one of several hard links would part it from the others.
  if (exists && st.st_nlink > 1) return writeInPlace(target, bytes, failure);

  int createError = 0;
  int writeError = 0;
  const std::string temporary =
      writeTemporary(target, bytes, exists ? st.st_mode : 0666, exists, createError, writeError);
  if (temporary.empty()) {
    // A folder the user may not write (or a read-only mount) can still hold a writable file.
    const bool folderRefuses =
        createError == EACCES || createError == EPERM || createError == EROFS;
    if (exists && folderRefuses) return writeInPlace(target, bytes, failure);
    return failure + errnoText(createError != 0 ? createError : writeError);
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    return failure + errnoText(error);
  }
  return {};
}

}  // namespace orbisk
