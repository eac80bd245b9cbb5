#include "ui/main/StartupPictures.h"

#include "ui/editors/RenderedPicture.h"

namespace orbisk {

PictureParams startupPictureParams() {
  return PictureParams{};
}

QImage renderStartupPicture(int width, int height) {
  return renderPicture(startupPictureParams(), width, height);
}

PictureParams windowPictureParams() {
  PictureParams params;
  params.ali = 9;
  params.eff = 4;
  params.w = 20;
  params.xraykleur = 7;  // grey, so the backdrop never competes with a picture's colours
  return params;
}

QImage renderWindowPicture(int width, int height) {
  QImage picture = renderPicture(windowPictureParams(), width, height);
  // A quarter of the brightness in every channel: a dark echo of the picture.
  for (int y = 0; y < picture.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < picture.width(); ++x) line[x] = 0xff000000u | ((line[x] >> 2) & 0x3f3f3fu);
  }
  return picture;
}

}  // namespace orbisk
