// Small helpers the readers and writers of user files share.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

namespace orbisk::posix {

// The reason an errno gives, as the end of a message: with its full stop.
inline std::string errnoText(int error) {
  return std::string(error != 0 ? std::strerror(error) : "unknown error") + ".";
}

// Why a file of this kind is not read or replaced like a regular file, as the end of a message.
inline std::string notRegularReason(mode_t mode) {
  if (S_ISDIR(mode)) return "it is a folder, not a file.";
  if (S_ISFIFO(mode)) return "it is a FIFO (named pipe), not a regular file.";
  if (S_ISSOCK(mode)) return "it is a socket, not a regular file.";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a regular file.";
  return "it is not a regular file.";
}

// Writes all bytes from the descriptor's current position; returns 0 or the errno.
inline int writeAll(int fd, std::string_view bytes) {
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
  // Hands the descriptor over; this one no longer closes it.
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  // Closes now and returns 0 or the errno of a failing close (a late write error shows here).
  int close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

}  // namespace orbisk::posix
