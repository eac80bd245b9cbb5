// A label showing a picture that reports a left click.
#pragma once

#include <QLabel>

namespace orbisk {

class ClickablePicture : public QLabel {
  Q_OBJECT

 public:
  explicit ClickablePicture(QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace orbisk
