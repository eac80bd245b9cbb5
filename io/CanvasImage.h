// A canvas's pixels as a QImage: the canvas stores 0xffRRGGBB rows, the layout of
// QImage::Format_RGB32, so an image can show them where they lie or take a copy.
#pragma once

#include <QImage>

#include "render/run/WholePicture.h"
#include "render/surfaces/RasterCanvas.h"

namespace orbisk {

// An image of the canvas's own pixels, no copy: valid only while the canvas lives unchanged in
// size. The picture writers encode it row by row, so a large picture is never held twice.
QImage imageOnCanvas(RasterCanvas& canvas);

// A copy of the canvas's pixels that outlives the canvas and may go to another thread.
QImage imageOfCanvas(const RasterCanvas& canvas);

// The order rendered whole on a canvas of its own, as an image.
QImage renderedImage(const PictureOrder& order);

}  // namespace orbisk
