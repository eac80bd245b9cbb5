#include "io/FilmFolder.h"

#include <stdlib.h>

#include <QImage>
#include <QString>
#include <filesystem>
#include <system_error>

#include "io/CanvasImage.h"
#include "io/RecordedPicture.h"
#include "io/TemporaryCleanup.h"
#include "io/UserFile.h"
#include "session/FilmText.h"

namespace orbisk {

namespace fs = std::filesystem;

namespace {

// Makes the temporary folder from pattern (mkdtemp's) and lists it for removal on a signal, with
// the signals held back meanwhile, so that no signal finds a folder that is not listed yet.
// Returns the slot (-1 when not listed) and leaves pattern empty when no folder could be made.
int makeListedFolder(std::string& pattern) {
  const TerminatingSignalsHeld held;
  if (!::mkdtemp(pattern.data())) {
    pattern.clear();
    return -1;
  }
  return listTemporaryFolder(pattern.c_str());
}

}  // namespace

std::unique_ptr<FilmFolderWriter> FilmFolderWriter::open(const std::string& folder,
                                                         std::string& error) {
  std::error_code code;
  const fs::path target(folder);
  if (fs::exists(fs::symlink_status(target, code))) {
    if (!fs::is_directory(target, code) || fs::is_symlink(fs::symlink_status(target, code))) {
      error = "the output " + displayPath(folder) + " is not a folder";
      return nullptr;
    }
    if (!fs::is_empty(target, code) || code) {
      error =
          "the folder " + displayPath(folder) + " already holds files; name a new or empty folder";
      return nullptr;
    }
  }
  fs::path parent = target.parent_path();
  if (target.filename().empty()) parent = target.parent_path().parent_path();
  if (parent.empty()) parent = ".";
  std::string name = target.filename().empty() ? target.parent_path().filename().string()
                                               : target.filename().string();
  std::string pattern = (parent / ("." + name + ".partial-XXXXXX")).string();
  const int slot = makeListedFolder(pattern);
  if (pattern.empty()) {
    error = "cannot make a folder beside " + displayPath(folder) + ": " +
            std::error_code(errno, std::generic_category()).message();
    return nullptr;
  }
  return std::unique_ptr<FilmFolderWriter>(new FilmFolderWriter(folder, pattern, slot));
}

FilmFolderWriter::~FilmFolderWriter() {
  if (!placed_) {
    std::error_code ignored;
    fs::remove_all(temporary_, ignored);
  }
  // Only now: a signal meanwhile still removes what is left of it.
  unlistTemporaryFolder(listedSlot_);
}

bool FilmFolderWriter::addFrame(const FilmIndexLine& line, const RasterCanvas& canvas,
                                const std::optional<DrawnPicture>& record, std::string& error) {
  const std::string path = temporary_ + "/" + line.file;
  const QString failure = writeRecordedPicture(QString::fromLocal8Bit(path.c_str()),
                                               imageOfCanvas(canvas), "PNG", record);
  if (!failure.isEmpty()) {
    error = "cannot write frame " + std::to_string(line.frame) + " into " + displayPath(folder_) +
            ": " + failure.toLocal8Bit().toStdString();
    return false;
  }
  index_ += formatFilmIndexLine(line);
  return true;
}

bool FilmFolderWriter::finish(const std::string& filmText, std::string& error) {
  for (const auto& [file, text] :
       {std::pair<std::string, std::string>{kFilmIndexFile, index_}, {kFilmTextFile, filmText}}) {
    if (std::string failure = writeUserFile(temporary_ + "/" + file, text); !failure.empty()) {
      error = failure;
      return false;
    }
  }
  std::error_code code;
  fs::permissions(temporary_,
                  fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                      fs::perms::others_read | fs::perms::others_exec,
                  code);
  {
    // A signal waits until the folder has its name and is off the list: a handler emptying it
    // while it takes the name would leave a half-emptied folder under the user's name.
    const TerminatingSignalsHeld held;
    // An empty folder of that name is replaced; anything else there now is kept and refused.
    fs::rename(temporary_, folder_, code);
    if (!code) {
      placed_ = true;
      unlistTemporaryFolder(listedSlot_);
      listedSlot_ = -1;
    }
  }
  if (code) {
    error = "cannot put the frames in place as " + displayPath(folder_) + ": " + code.message();
    return false;
  }
  return true;
}

FilmFolderRead readFilmFolder(const std::string& folder) {
  FilmFolderRead read;
  const UserFileRead text = readUserFile(folder + "/" + kFilmTextFile, kMaxFilmTextChars);
  if (!text.ok) {
    read.error = text.error;
    return read;
  }
  const UserFileRead index = readUserFile(folder + "/" + kFilmIndexFile, kMaxFilmIndexBytes);
  if (!index.ok) {
    read.error = index.error;
    return read;
  }
  std::string why;
  std::optional<std::vector<FilmIndexLine>> lines = parseFilmIndex(index.bytes, &why);
  if (!lines) {
    read.error = displayPath(folder + "/" + kFilmIndexFile) + ": " + why;
    return read;
  }
  read.filmText = text.bytes;
  read.frames = std::move(*lines);
  read.ok = true;
  return read;
}

}  // namespace orbisk
