// What the main-window tests share: a dialogs stand-in that answers at once, and helpers that
// find the window's actions, menus and widgets by objectName.
#pragma once

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <memory>
#include <vector>

#include "render/RasterCanvas.h"
#include "ui/Dialogs.h"
#include "ui/main/MainWindow.h"
#include "ui/main/RenderDriver.h"

namespace orbisk::maintest {

// Answers every Yes/No question with `answerYes` at once and records what was asked.
class AnsweringDialogs : public Dialogs {
 public:
  struct Question {
    QString title;
    QString text;
  };
  bool answerYes = false;
  std::vector<Question> questions;

  void askYesNo(QWidget*, const QString& title, const QString& text,
                std::function<void(bool)> answer) override {
    questions.push_back({title, text});
    answer(answerYes);
  }
  void inform(QWidget*, const QString&, const QString&) override {}
  void warn(QWidget*, const QString&, const QString&) override {}
  void openFile(QWidget*, const FileDialogRequest&,
                std::function<void(const QString&)> chosen) override {
    chosen(QString());
  }
  void saveFile(QWidget*, const FileDialogRequest&,
                std::function<void(const QString&)> chosen) override {
    chosen(QString());
  }
  void chooseColour(QWidget*, std::function<void(std::optional<QColor>)> chosen) override {
    chosen(std::nullopt);
  }
};

// A main window with answering dialogs and a beep that is counted instead of sounded.
struct MainFixture : ::testing::Test {
  AnsweringDialogs dialogs;
  std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>(dialogs);
  int beeps = 0;

  MainFixture() {
    window->setBeeper([this] { ++beeps; });
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

  RenderDriver& driver() const { return window->renderDriver(); }
  // Runs turns until the traversal has ended; returns the number of turns.
  int finishRun() const {
    int turns = 0;
    while (driver().isRunning() && turns < 1000000) {
      driver().runOneTurn();
      ++turns;
    }
    return turns;
  }
  void createAndFinish() const {
    trigger("createknopp");
    finishRun();
  }
};

// The canvas's pixels, for comparing pictures.
inline std::vector<uint32_t> pixelsOf(const RasterCanvas& canvas) {
  return std::vector<uint32_t>(canvas.bits(), canvas.bits() + canvas.width() * canvas.height());
}

}  // namespace orbisk::maintest
