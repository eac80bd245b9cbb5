#include "ui/editors/RenderedPicture.h"

#include "render/surfaces/RasterCanvas.h"
#include "render/run/RenderJob.h"
#include "render/run/RenderState.h"

namespace orbisk {

QImage renderPicture(const PictureParams& params, int width, int height) {
  RenderState state;  // fresh, so the picture is the same at every start
  RasterCanvas canvas(width, height);
  canvas.setPenWidth(params.detailstep == 4 ? 4 : 1);
  canvas.setPenMode(params.inverse == 1 ? PenMode::InvertedCopy : PenMode::Copy);
  RenderJob job(state, params, canvas);
  job.start();
  while (job.hasColumns()) job.stepColumn();
  // The canvas stores 0xffRRGGBB rows, the layout of Format_RGB32; copy so the image outlives
  // the canvas.
  const QImage view(reinterpret_cast<const uchar*>(canvas.bits()), canvas.width(), canvas.height(),
                    canvas.width() * 4, QImage::Format_RGB32);
  return view.copy();
}

// The start-up picture: the start-up origin as a wallpaper of tiles (shape 32). A small size
// fills the whole window with tiles and draws in a fraction of the time a large one would take.
PictureParams introPictureParams() {
  PictureParams params;
  params.size = 60;
  params.driedkeuze = 32;
  return params;
}

// The start-up origin at the icon's size: the picture the program greets its user with.
PictureParams aboutIconParams() {
  PictureParams params;
  params.size = 24;
  return params;
}

PictureParams aboutBadgeParams() {
  PictureParams params;
  params.size = 16;
  params.xraykleur = 4;
  return params;
}

// A size of 127 makes the picture 254 pixels wide.
PictureParams aboutLargePictureParams() {
  PictureParams params;
  params.size = 127;
  params.cat = 3;
  params.func1 = 4;  // cos
  params.func2 = 6;  // tan
  return params;
}

}  // namespace orbisk
