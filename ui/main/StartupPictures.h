// The two pictures the main window shows before anything is drawn: the canvas's start-up
// picture and the window's own picture behind a canvas smaller than the view.
#pragma once

#include <QImage>

#include "model/PictureParams.h"

namespace orbisk {

// The canvas's start-up picture: the start-up parameter set, so the first CREATE draws the
// same picture again.
PictureParams startupPictureParams();
QImage renderStartupPicture(int width, int height);

// The window's own picture: another parameter set, drawn dimmed so it reads as a backdrop.
PictureParams windowPictureParams();
QImage renderWindowPicture(int width, int height);

}  // namespace orbisk
