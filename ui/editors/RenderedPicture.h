// Pictures for the information windows, drawn by the program's own renderer at run time.
#pragma once

#include <QImage>

#include "model/PictureParams.h"

namespace orbisk {

// Runs a complete render of params on a fresh canvas of the given size with a fresh working
// state, so the picture never depends on what the main window drew before. Pen width and pen
// mode follow params (detail and inverse) as they do on the main canvas.
QImage renderPicture(const PictureParams& params, int width, int height);

// The parameter sets of the information windows' pictures.
PictureParams introPictureParams();       // start-up picture, 575 x 298
PictureParams aboutIconParams();          // the clickable icon of the about window
PictureParams aboutBadgeParams();         // the 32 x 32 picture of the about window
PictureParams aboutLargePictureParams();  // the 254 x 254 picture of the widened about window

}  // namespace orbisk
