// libpng reports a failed write on stderr itself ("libpng error: Write Error") before the
// encoder gives up, and the command then says what failed in its own line. While an encoder
// runs, stderr is pointed at /dev/null, so that one line is all the user sees.
#pragma once

namespace orbisk {

class LibraryChatterMuted {
 public:
  // Points file descriptor 2 at /dev/null, keeping the old one to put back.
  LibraryChatterMuted();
  // Puts the old stderr back.
  ~LibraryChatterMuted();
  LibraryChatterMuted(const LibraryChatterMuted&) = delete;
  LibraryChatterMuted& operator=(const LibraryChatterMuted&) = delete;

 private:
  int saved_ = -1;  // a duplicate of the real stderr, -1 when nothing was changed
};

}  // namespace orbisk
