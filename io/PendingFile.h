// A file being written: its content goes to a temporary file first and takes the file's place
// only once complete, so a failure, a cancel or a signal leaves an existing file as it was and
// no new file behind. Plain C++ on POSIX calls.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orbisk {

// How PendingFile::open treats a symbolic link at the name it is given.
enum class LinkRule {
  // Names the user gives: a link is followed to its target, unless it lies in a shared (sticky
  // or world-writable) folder and belongs neither to the user nor to the folder's owner.
  FollowOwn,
  // Names the program chooses itself in a folder others may write: a link is refused, and the
  // file is only ever replaced whole by renaming (never written in place, never streamed).
  Refuse,
};

class PendingFile {
 public:
  // Prepares path to be written. A symbolic link is treated as links says. The content goes
  // to a temporary file beside the target; where the folder cannot take one, the file has
  // several hard links, or a sticky folder lets the user write the file but not replace it, to
  // a nameless file elsewhere that is copied over the existing file in place at the end. A FIFO
  // or a character device (a pipe, a terminal) takes the content as it comes. An existing file
  // the user may not write is refused. Returns nullptr and one line naming the file and the
  // reason in error when the file cannot be written.
  static std::unique_ptr<PendingFile> open(const std::string& path, std::string& error,
                                           LinkRule links = LinkRule::FollowOwn);

  // Removes the temporary file unless the content was put in place.
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // Appends bytes. Returns false once any write failed; later writes then do nothing and
  // finish reports the first failure.
  bool write(std::string_view bytes);
  // A buffered stdio stream that writes through write(); finish closes it. nullptr when it
  // cannot be had (finish then reports it).
  std::FILE* stream();
  // Whether a write has failed so far.
  bool failed() const { return error_ != 0; }

  // Completes the content (flushed, synced, closed). Returns "" or one line naming the file and
  // the reason.
  std::string finish();
  // Puts the finished content in place of the file. Returns "" or one line.
  std::string place();

  // The name the user gave, as messages show it.
  std::string shownPath() const;
  // Whether place() copies over an existing file in place (and so may still fail on a full
  // disk) rather than renaming or streaming.
  bool copiesInPlace() const { return kind_ == Kind::InPlace; }

 private:
  enum class Kind {
    Replace,  // a temporary file beside the target, renamed over it
    InPlace,  // a nameless file elsewhere, copied over the existing target
    Stream,   // a FIFO or device written directly
  };
  PendingFile(std::string path, Kind kind) : path_(std::move(path)), kind_(kind) {}
  std::string failure(int error) const;
  std::string copyIntoTarget();

  std::string path_;             // the name the user gave
  Kind kind_;                    // how the content reaches the file
  std::string target_;           // the file replaced or overwritten: path_ with links followed
  std::string temporary_;        // Replace: the temporary file's name while it exists
  int temporarySlot_ = -1;       // Replace: its slot in the list signals clean up
  int fd_ = -1;                  // where write() goes: the temporary, nameless file or stream
  int targetFd_ = -1;            // InPlace: the existing file, opened for writing at the start
  std::FILE* stream_ = nullptr;  // stream() once asked for
  int error_ = 0;                // the first write's errno, 0 while every write succeeded
  bool finished_ = false;        // finish() succeeded
};

// Finishes every file, then puts them all in place: when any of them cannot be completed, none
// is placed and every existing file stays as it was. Returns "" or the first failure's line.
std::string commitTogether(const std::vector<PendingFile*>& files);

}  // namespace orbisk
