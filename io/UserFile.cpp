#include "io/UserFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <memory>

#include "io/PendingFile.h"
#include "io/PosixFiles.h"
#include "io/ShownText.h"

namespace orbisk {

namespace {

using namespace posix;

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
    result.error = "Cannot open " + shown + ": the file is larger than " +
                   std::to_string(maxBytes) + " bytes.";
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
                       std::to_string(maxBytes) + " bytes.";
        return result;
      }
      break;
    }
    result.bytes.append(buffer, count);
  }
  result.ok = true;
  return result;
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

}  // namespace

std::string displayPath(const std::string& path) {
  return quotedName(path);
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
  error_ = "Cannot open " + shown_ + ": the file is larger than " + std::to_string(maxBytes_) +
           " bytes.";
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
  std::string error;
  const std::unique_ptr<PendingFile> file = PendingFile::open(path, error);
  if (!file) return error;
  file->write(bytes);
  return commitTogether({file.get()});
}

}  // namespace orbisk
