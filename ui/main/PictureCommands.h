// Picture files and the clipboard as the main window uses them: "Load picture", "Save picture
// as...", Copy and Paste.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>

#include "session/Session.h"

class QWidget;

namespace orbisk {

class Dialogs;

class PictureCommands {
 public:
  // The save dialog's entries: BMP first and preselected, then PNG.
  static constexpr const char* kSaveFilter =
      "(*.bmp)|*.bmp|(*.png)|*.png|Pictures|*.bmp;*.BMP;*.png;*.PNG|All files|*";

  // fitFrame switches to the frame (1 to 3) a loaded picture asks for; repaint shows the canvas.
  PictureCommands(Session& session, Dialogs& dialogs, QWidget& window,
                  std::function<void(int16_t)> fitFrame, std::function<void()> repaint);

  void askToLoad();
  // Loads a picture as the canvas's background and undo copy; false (after a message) when
  // nothing changed.
  bool load(const QString& path);
  void askToSave();
  void copy();
  void paste();

  // The canvas's pixels as an image (no copy: valid while the canvas is unchanged).
  static QImage imageOf(const RasterCanvas& canvas);
  // The name decides where it says .png or .bmp; otherwise the dialog's selected entry does.
  static QByteArray formatFor(const QString& path, int filterIndex);
  // A file the desktop hands over is a picture when its content says so or, for one that cannot
  // be looked into, when its name does.
  static bool isPictureFile(const QString& path);

 private:
  void save(const QString& path, int filterIndex);
  // Makes the picture the canvas's background, at its own size from the top-left corner.
  void show(const QImage& picture);

  Session& session_;
  Dialogs& dialogs_;
  QWidget& window_;
  std::function<void(int16_t)> fitFrame_;
  std::function<void()> repaint_;
};

}  // namespace orbisk
