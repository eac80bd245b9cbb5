// A film as a folder of numbered PNG frames (frame-NNNNNN.png), each carrying its record when it
// is exactly what that record draws, with index.tsv (io/FilmIndex.h) and film.txt (the film's
// text, session/FilmText.h). The frames are written into a temporary folder beside the output
// and the folder takes the output's name only once complete, so a failure leaves no folder of
// that name half-written.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "io/FilmIndex.h"
#include "render/surfaces/RasterCanvas.h"
#include "session/DrawnPicture.h"

namespace orbisk {

inline constexpr const char* kFilmIndexFile = "index.tsv";
inline constexpr const char* kFilmTextFile = "film.txt";

class FilmFolderWriter {
 public:
  // Prepares folder, which must not exist or be an empty folder. nullptr and a one-line error
  // when it cannot be written.
  static std::unique_ptr<FilmFolderWriter> open(const std::string& folder, std::string& error);
  // Removes the temporary folder and what it holds unless finish() put it in place.
  ~FilmFolderWriter();
  FilmFolderWriter(const FilmFolderWriter&) = delete;
  FilmFolderWriter& operator=(const FilmFolderWriter&) = delete;

  // Writes frame line.frame; record, when given, is what drew exactly this canvas.
  bool addFrame(const FilmIndexLine& line, const RasterCanvas& canvas,
                const std::optional<DrawnPicture>& record, std::string& error);
  // Writes index.tsv and film.txt and gives the folder its name.
  bool finish(const std::string& filmText, std::string& error);

 private:
  FilmFolderWriter(std::string folder, std::string temporary, int listedSlot)
      : folder_(std::move(folder)), temporary_(std::move(temporary)), listedSlot_(listedSlot) {}
  std::string folder_;     // the name the user gave
  std::string temporary_;  // the folder written into until finish
  int listedSlot_;         // the temporary folder's slot in the signal cleanup (-1: not listed)
  std::string index_ = std::string(kFilmIndexHeader) + "\n";  // index.tsv so far
  bool placed_ = false;                                       // finish put the folder in place
};

// What --join reads from one folder: its film text and its frames.
struct FilmFolderRead {
  bool ok = false;
  std::string filmText;               // film.txt's bytes
  std::vector<FilmIndexLine> frames;  // index.tsv's lines
  std::string error;                  // one line naming the folder and the reason when !ok
};

FilmFolderRead readFilmFolder(const std::string& folder);

}  // namespace orbisk
