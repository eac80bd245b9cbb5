// Reading and writing the files the user names: data files, pictures, the renderer's outputs.
// Plain C++ on POSIX calls; the rest of io/ builds on it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orbisk {

struct UserFileRead {
  bool ok = false;
  std::string bytes;  // the file's content when ok
  std::string error;  // one line naming the file and the reason when !ok
};

// Reads a whole file of at most maxBytes bytes. The file is opened without blocking and checked
// on the opened descriptor, so a FIFO, socket, device or folder is refused at once instead of
// freezing the caller; a larger file is refused as too large.
UserFileRead readUserFile(const std::string& path, std::size_t maxBytes);

// The same checks, but reads only the first maxBytes bytes of a longer file and ignores the rest
// (for formats whose reader stops after a bounded prefix anyway).
UserFileRead readUserFileStart(const std::string& path, std::size_t maxBytes);

// A file opened with the checks of readUserFile, read piece by piece, so that a reader that needs
// only part of a large file keeps only that part in memory.
class UserFileStream {
 public:
  UserFileStream(const std::string& path, std::size_t maxBytes);
  ~UserFileStream();
  UserFileStream(const UserFileStream&) = delete;
  UserFileStream& operator=(const UserFileStream&) = delete;

  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }  // one line naming the file and the reason
  // Reads at most size bytes: their count, 0 at the end, or -1 with error() set when reading
  // fails or the file turns out larger than maxBytes.
  long long read(char* into, std::size_t size);

 private:
  void tooLarge();

  int fd_ = -1;           // the opened file, -1 when it could not be opened
  std::string shown_;     // the path as messages show it
  std::size_t maxBytes_;  // the bound given
  std::size_t left_;      // bytes that may still be read within the bound
  std::string error_;     // "" while all is well
};

// Writes bytes as the whole new content of path, through a PendingFile (io/PendingFile.h): a
// symbolic link is followed (unless another user planted it in a shared folder), an existing file
// is replaced whole only once the new content is complete (in place where the folder refuses a
// temporary file or the file has several hard links) and keeps its permission bits, owner and group
// where permitted; a file the user may not write is refused. Returns "" on success, else one line
// naming the file and the reason.
std::string writeUserFile(const std::string& path, std::string_view bytes);

// The in-place branch of writeUserFile on its own: overwrites the existing regular file at path
// (following a link) without replacing it, then cuts it to the new length and syncs it.
std::string writeUserFileInPlace(const std::string& path, std::string_view bytes);

// The path as shown in a one-line message: quoted and made safe (quotedName in io/ShownText.h).
std::string displayPath(const std::string& path);

}  // namespace orbisk
