// What "Save large picture..." offers and shows around its worker: the sizes to choose from, the
// format a name asks for, and the progress window with its Cancel.
#pragma once

#include <QByteArray>
#include <QProgressDialog>
#include <QString>
#include <QStringList>
#include <array>

#include "io/LargePictureJob.h"
#include "model/FrameSize.h"

namespace orbisk {

// The scales offered, in the order of the choices.
inline constexpr std::array<int, 5> kLargePictureScales = {2, 3, 4, 6, 8};

// One choice per scale: "2 times: 234 x 180 pixels" for a Thumbnail frame.
QStringList largePictureScaleChoices(CanvasSize frame);

// The name decides the format; anything but ".bmp" is written as PNG, the first choice.
QByteArray largePictureFormatFor(const QString& path);

// The progress window of job: not modal, so the window stays usable; Cancel stops the job.
QProgressDialog* makeLargePictureProgress(QWidget* parent, LargePictureJob* job);

}  // namespace orbisk
