#include "ui/main/LargePictureChoices.h"

namespace orbisk {

QStringList largePictureScaleChoices(CanvasSize frame) {
  QStringList choices;
  for (int scale : kLargePictureScales) {
    choices << QString("%1 times: %2 x %3 pixels")
                   .arg(scale)
                   .arg(frame.width * scale)
                   .arg(frame.height * scale);
  }
  return choices;
}

QByteArray largePictureFormatFor(const QString& path) {
  return path.endsWith(".bmp", Qt::CaseInsensitive) ? QByteArray("BMP") : QByteArray("PNG");
}

QProgressDialog* makeLargePictureProgress(QWidget* parent, LargePictureJob* job) {
  auto* progress = new QProgressDialog("Drawing the large picture...", "Cancel", 0, 100, parent);
  progress->setObjectName("largeprogress");
  progress->setWindowModality(Qt::NonModal);  // the window stays usable
  progress->setAutoClose(false);
  progress->setAutoReset(false);
  progress->setMinimumDuration(0);
  QObject::connect(job, &LargePictureJob::progressed, progress, &QProgressDialog::setValue);
  QObject::connect(progress, &QProgressDialog::canceled, job, &LargePictureJob::cancel);
  return progress;
}

}  // namespace orbisk
