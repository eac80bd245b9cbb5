// The part of a picture its run drew on, as the gallery's cells and the contact sheet of
// orbisk-render --random show it.
#pragma once

#include <QImage>
#include <QSize>

#include "render/run/PictureContent.h"

namespace orbisk {

// The content of a 32-bit picture (QImage::Format_RGB32 or a format converted to it) on the
// given background colour (24 bits, red in the low byte).
PictureContent measureImage(const QImage& picture, uint32_t background);

// The rectangle of content cut out of picture and scaled to fill room, up or down, with its
// proportions kept; the whole picture so scaled when nothing was drawn.
QImage drawnPart(const QImage& picture, const PictureContent& content, QSize room);

}  // namespace orbisk
