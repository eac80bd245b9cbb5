// The start-up window: one picture, closed by a click or a typed key.
#pragma once

#include <QImage>
#include <QWidget>

namespace orbisk {

class IntroForm : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPictureWidth = 575;
  static constexpr int kPictureHeight = 298;

  // Draws the start-up picture right away, so the window is ready when it is shown.
  explicit IntroForm(QWidget* parent = nullptr);

  const QImage& picture() const { return picture_; }

 signals:
  // Emitted once, when the window has been hidden and before it deletes itself (deleteLater);
  // the program shows its main window on it.
  void closed();

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QImage picture_;
  bool finished_ = false;
};

}  // namespace orbisk
