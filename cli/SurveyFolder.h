// The folder orbisk-render --random writes into, held for one survey: made when missing, locked
// while the survey runs (a second survey into it is refused), marked with what the survey is,
// and refused when it holds another survey's pictures, whose names this one would reuse.
#pragma once

#include <memory>
#include <string>
#include <utility>

namespace orbisk {

class SurveyFolder {
 public:
  // The name of the mark a survey leaves in its folder: the lines of its identity.
  static constexpr const char* kMarkName = ".orbisk-survey";
  // The folder of the thumbnails inside it.
  static constexpr const char* kThumbnails = "thumbnails";

  // Takes folder for the survey whose mark is identity (cli/SurveyMark.h): makes it and its
  // thumbnails' folder when missing, locks it, and marks it unless it carries that mark already.
  // Refuses a folder that another survey is writing into, that is marked for another survey, that
  // holds a survey's files but no mark, or whose thumbnails' folder or mark is a symbolic link.
  // Returns nullptr and one line in error when refused.
  static std::unique_ptr<SurveyFolder> take(const std::string& folder, const std::string& identity,
                                            std::string& error);

  // Lets the folder go (the lock ends with the descriptor).
  ~SurveyFolder();
  SurveyFolder(const SurveyFolder&) = delete;
  SurveyFolder& operator=(const SurveyFolder&) = delete;

  // The path of name inside the folder.
  std::string path(const std::string& name) const { return folder_ + "/" + name; }

 private:
  SurveyFolder(std::string folder, int fd) : folder_(std::move(folder)), fd_(fd) {}

  std::string folder_;  // the folder as the user named it
  int fd_ = -1;         // the open folder, locked with flock while this object lives
};

}  // namespace orbisk
