// Where a film's frames go: a film encoded in memory and written whole at the end under a
// temporary name, or a folder of frames written under a temporary name; either takes the
// output's name only once complete, and a failure or a cancel leaves nothing behind.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "io/FilmEncoder.h"
#include "io/FilmFolder.h"
#include "io/PendingFile.h"
#include "session/FilmText.h"

namespace orbisk {

class FilmOutput {
 public:
  // Opens path before anything is drawn, so an output that cannot be written is reported at
  // once. Frames are width x height pixels.
  bool open(FilmFormat format, const std::string& path, const FilmDescription& film, int width,
            int height, std::string& error);

  // Adds the next frame. line names it in a folder; record, when given, is what drew exactly
  // this canvas (a folder's frame carries it).
  bool add(const FilmIndexLine& line, const RasterCanvas& canvas,
           const std::optional<DrawnPicture>& record, std::string& error);
  // Adds the next frame of a film file: rows of 0xffRRGGBB pixels, stride in pixels.
  bool add(const uint32_t* pixels, int stride, std::string& error);

  // Puts the whole output in place under its name.
  bool finish(std::string& error);

 private:
  std::string text_;                          // the film's text: its metadata
  std::unique_ptr<FilmFolderWriter> folder_;  // a folder of frames, or
  std::unique_ptr<PendingFile> file_;         // the film's file and
  std::unique_ptr<FilmEncoder> encoder_;      // its encoder
};

}  // namespace orbisk
