// One picture drawn for the page, column by column: the page (its worker) asks for a few columns
// at a time and shows the canvas between, so a Stop is heard within a handful of columns.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "render/run/PictureContent.h"
#include "render/run/WholePicture.h"
#include "render/surfaces/RasterCanvas.h"
#include "session/DrawnPicture.h"

namespace orbisk::web {

class WebRender {
 public:
  // Starts the picture's run on its blank canvas (frame size, background, pen of the detail and
  // of the pen mode), from the working values it carries. "" or why the picture cannot be read.
  std::string begin(std::string_view picture);

  // Computes up to columns columns; true while columns are left.
  bool step(int columns);
  bool running() const { return picture_ && !picture_->finished(); }
  double progress() const;  // 0..1

  int width() const { return canvas_ ? canvas_->width() : 0; }
  int height() const { return canvas_ ? canvas_->height() : 0; }
  // The canvas as RGBA bytes, row by row (what an ImageData holds), brought up to date.
  const uint8_t* rgba();

  // Values changed while the picture is drawing: those a column reads (see the field table),
  // the pen mode of Inverse and the pen width of the detail take effect from the next column,
  // as on the desktop; the rest wait for the next run. A picture that cannot be read changes
  // nothing.
  void takeValues(std::string_view picture);
  // True while every column was drawn with the values the run started from: the canvas is
  // then the picture of its record.
  bool exact() const { return exact_; }

  // The same picture's values with the working values as the run has left them: what the next
  // run starts from, as the desktop carries them over from run to run.
  std::string following() const;

  // What the canvas holds beside its background (render/run/PictureContent.h): the gallery's
  // order and the part of the canvas a cell shows.
  PictureContent content() const;

 private:
  DrawnPicture drawn_;                     // the picture being drawn, at scale 1
  std::unique_ptr<RasterCanvas> canvas_;   // its canvas, set up by the whole-picture render
  std::unique_ptr<WholePicture> picture_;  // the run over it
  std::vector<uint8_t> rgba_;              // the canvas as the page reads it
  bool exact_ = false;                     // every column drew the record the run started with
};

}  // namespace orbisk::web
