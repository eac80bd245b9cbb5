// What the picture-file, filter and help-window tests share: a dialogs stand-in whose answers
// the test sets beforehand and which records every request, a main window in a temporary
// folder, and pictures with a distinct colour in nearly every pixel.
#pragma once

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "ui/Dialogs.h"
#include "ui/main/CanvasView.h"
#include "ui/main/MainWindow.h"
#include "ui/main/RenderDriver.h"

namespace orbisk::picturetest {

class ScriptedDialogs : public Dialogs {
 public:
  struct Request {
    bool save;
    FileDialogRequest request;
  };
  struct Message {
    QString title;
    QString text;
  };

  QString openAnswer;                  // the file the next open dialog returns; empty cancels
  QString saveAnswer;                  // the file the next save dialog returns; empty cancels
  std::optional<QColor> colourAnswer;  // the colour picker's answer; nullopt cancels
  bool answerYes = false;              // the answer to every Yes/No question

  std::vector<Request> fileRequests;
  std::vector<Message> warnings;
  int colourRequests = 0;

  void askYesNo(QWidget*, const QString&, const QString&,
                std::function<void(bool)> answer) override {
    answer(answerYes);
  }
  void inform(QWidget*, const QString&, const QString&) override {}
  void warn(QWidget*, const QString& title, const QString& text) override {
    warnings.push_back({title, text});
  }
  void openFile(QWidget*, const FileDialogRequest& request,
                std::function<void(const QString&)> chosen) override {
    fileRequests.push_back({false, request});
    chosen(openAnswer);
  }
  void saveFile(QWidget*, const FileDialogRequest& request,
                std::function<void(const QString&)> chosen) override {
    fileRequests.push_back({true, request});
    chosen(saveAnswer);
  }
  void chooseColour(QWidget*, std::function<void(std::optional<QColor>)> chosen) override {
    ++colourRequests;
    chosen(colourAnswer);
  }
};

struct PictureFixture : ::testing::Test {
  ScriptedDialogs dialogs;
  std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>(dialogs);
  QTemporaryDir folder;

  PictureFixture() {
    window->setBeeper([] {});
  }

  QAction* action(const char* name) const {
    QAction* found = window->findChild<QAction*>(name);
    EXPECT_NE(found, nullptr) << "no action " << name;
    return found;
  }
  QMenu* menu(const char* name) const {
    QMenu* found = window->findChild<QMenu*>(name);
    EXPECT_NE(found, nullptr) << "no menu " << name;
    return found;
  }
  template <typename T>
  T* widget(const char* name) const {
    T* found = window->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << "no widget " << name;
    return found;
  }
  void trigger(const char* name) const { action(name)->trigger(); }

  // CREATE, run turn by turn to its end.
  void createAndFinish() const {
    trigger("createknopp");
    RenderDriver& driver = window->renderDriver();
    for (int turns = 0; driver.isRunning() && turns < 1000000; ++turns) driver.runOneTurn();
  }

  QString pathOf(const QString& name) const { return folder.filePath(name); }

  // Writes a picture file into the temporary folder and returns its path.
  QString writePicture(const QString& name, const QImage& picture, const char* format) const {
    const QString path = pathOf(name);
    EXPECT_TRUE(picture.save(path, format)) << name.toStdString();
    return path;
  }

  // "Load picture" answered with the given file.
  void loadPicture(const QString& path) {
    dialogs.openAnswer = path;
    trigger("fileopen");
  }
  // "Save picture as..." answered with the given file.
  void savePicture(const QString& path) {
    dialogs.saveAnswer = path;
    trigger("saveas");
  }

  // What the canvas shows now, as a picture of its own.
  QImage canvasImage() const { return window->canvasView()->canvasWidget()->image().copy(); }
};

// A picture whose neighbouring pixels all differ, so a shifted, cut or recoloured copy is caught.
inline QImage patternPicture(int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      picture.setPixel(x, y, qRgb(x % 256, y % 256, (x * 7 + y * 13) % 256));
    }
  }
  return picture;
}

// The part of a picture at the top-left corner, in the canvas's pixel format.
inline QImage topLeft(const QImage& picture, int width, int height) {
  return picture.copy(0, 0, width, height).convertToFormat(QImage::Format_RGB32);
}

}  // namespace orbisk::picturetest
