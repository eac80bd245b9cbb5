#include "ui/editors/RenderedPicture.h"

#include "io/CanvasImage.h"

namespace orbisk {

QImage renderPicture(const PictureParams& params, int width, int height) {
  PictureOrder order;  // fresh working values, so the picture is the same at every start
  order.params = params;
  order.canvas = canvasFor(params);
  order.canvas.width = width;
  order.canvas.height = height;
  return renderedImage(order);
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
