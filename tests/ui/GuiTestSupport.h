// What the GUI tests share: a dialogs stand-in that answers from what the test set beforehand
// and records every request, main-window fixtures (one with a temporary folder for files),
// helpers that run a render turn by turn, and helpers that find widgets by objectName and send
// them mouse clicks.
#pragma once

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "model/DataFile.h"
#include "model/PictureParams.h"
#include "render/surfaces/RasterCanvas.h"
#include "ui/Dialogs.h"
#include "ui/editors/DriedForm.h"
#include "ui/editors/XrayForm.h"
#include "ui/main/CanvasView.h"
#include "ui/main/MainWindow.h"
#include "ui/main/RenderDriver.h"

namespace orbisk::guitest {

// ---------------------------------------------------------------------------------------------
// Dialogs

// Answers every dialog at once with what the test has set beforehand, and records what was
// asked. Each file dialog takes the next queued answer; one nobody queued an answer for fails
// the test.
class ScriptedDialogs : public Dialogs {
 public:
  struct Message {
    QString title;
    QString text;
  };
  struct FileRequest {
    bool save;  // a save dialog, not an open dialog
    FileDialogRequest request;
  };

  bool answerYes = false;              // the answer to every Yes/No question
  std::deque<QString> fileAnswers;     // the files the next file dialogs return; empty cancels
  std::deque<int> filterAnswers;       // the filter entries save dialogs report; none: the first
  std::optional<QColor> colourAnswer;  // the colour picker's answer; nullopt cancels
  int itemAnswer = -1;                 // the index every list choice returns; -1 cancels

  std::vector<Message> questions;
  std::vector<Message> informed;
  std::vector<Message> warnings;
  std::vector<FileRequest> fileRequests;
  int colourRequests = 0;
  QColor colourOpenedAt;                  // the colour the last colour picker was opened at
  std::vector<QStringList> itemRequests;  // the items of every list choice asked

  void askYesNo(QWidget*, const QString& title, const QString& text,
                std::function<void(bool)> answer) override {
    questions.push_back({title, text});
    answer(answerYes);
  }
  void inform(QWidget*, const QString& title, const QString& text) override {
    informed.push_back({title, text});
  }
  void warn(QWidget*, const QString& title, const QString& text) override {
    warnings.push_back({title, text});
  }
  void openFile(QWidget*, const FileDialogRequest& request,
                std::function<void(const QString&)> chosen) override {
    answerFile(false, request, chosen);
  }
  void saveFile(QWidget*, const FileDialogRequest& request,
                std::function<void(const QString&)> chosen) override {
    answerFile(true, request, chosen);
  }
  void saveFileWithFilter(QWidget*, const FileDialogRequest& request,
                          std::function<void(const QString&, int)> chosen) override {
    int filter = 0;
    if (!filterAnswers.empty()) {
      filter = filterAnswers.front();
      filterAnswers.pop_front();
    }
    answerFile(true, request, [&](const QString& path) { chosen(path, filter); });
  }
  void chooseColour(QWidget*, const QColor& initial,
                    std::function<void(std::optional<QColor>)> chosen) override {
    ++colourRequests;
    colourOpenedAt = initial;
    chosen(colourAnswer);
  }
  void chooseItem(QWidget*, const QString&, const QString&, const QStringList& items,
                  std::function<void(int)> chosen) override {
    itemRequests.push_back(items);
    chosen(itemAnswer);
  }

 private:
  void answerFile(bool save, const FileDialogRequest& request,
                  const std::function<void(const QString&)>& chosen) {
    fileRequests.push_back({save, request});
    if (fileAnswers.empty()) {
      ADD_FAILURE() << "an unexpected file dialog: " << request.title.toStdString();
      return;
    }
    const QString path = fileAnswers.front();
    fileAnswers.pop_front();
    chosen(path);
  }
};

// The editors show information boxes and nothing else.
inline void expectOnlyInformation(const ScriptedDialogs& dialogs) {
  EXPECT_TRUE(dialogs.questions.empty()) << "an editor asked a question";
  for (const ScriptedDialogs::Message& warning : dialogs.warnings)
    ADD_FAILURE() << "an editor warned: " << warning.title.toStdString();
  EXPECT_TRUE(dialogs.fileRequests.empty()) << "an editor opened a file dialog";
  EXPECT_EQ(dialogs.colourRequests, 0) << "an editor opened a colour picker";
}

// ---------------------------------------------------------------------------------------------
// Widgets by objectName, mouse clicks

// Thrown by child() when a widget, window or action is missing. The test framework reports it as
// a failure of the running test, which ends there: a missing object never takes the rest of the
// suite down by a null dereference.
struct MissingChild : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The child of the given type and objectName; fails and ends the test when there is none.
template <typename T>
T* child(const QObject& parent, const char* name) {
  T* found = parent.findChild<T*>(name);
  if (found == nullptr) throw MissingChild(std::string("no ") + name);
  return found;
}

inline QScrollBar* bar(const QObject& parent, const char* name) {
  return child<QScrollBar>(parent, name);
}

inline int barValue(const QObject& parent, const char* name) {
  QScrollBar* found = bar(parent, name);
  return found ? found->value() : -99999;
}

inline QString labelText(const QObject& parent, const char* name) {
  QLabel* label = child<QLabel>(parent, name);
  return label ? label->text() : QString("<missing %1>").arg(name);
}

// Clicks the button with this objectName.
inline void press(const QObject& parent, const char* name) {
  if (QAbstractButton* button = child<QAbstractButton>(parent, name)) button->click();
}

// The button that shows this text, or nullptr.
inline QAbstractButton* buttonWithText(const QWidget* window, const QString& text) {
  for (auto* button : window->findChildren<QAbstractButton*>()) {
    if (button->text() == text) return button;
  }
  return nullptr;
}

inline void sendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
  QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

// A left click (press and release) at a point of the widget.
inline void click(QWidget* target, QPoint at) {
  sendMouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton);
  sendMouse(target, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

// A left click in the middle of the widget.
inline void click(QWidget* target) {
  click(target, target->rect().center());
}

inline void doubleClick(QWidget* target) {
  const QPoint at = target->rect().center();
  click(target, at);
  sendMouse(target, QEvent::MouseButtonDblClick, at, Qt::LeftButton);
  sendMouse(target, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

// A key pressed and released on the widget; text is what the key types, if anything.
inline void sendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                    const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(target, &release);
}

// Types the text into the widget, one key per character.
inline void typeText(QWidget* target, const QString& text) {
  for (const QChar c : text) sendKey(target, QKeySequence(QString(c))[0].key(), Qt::NoModifier, c);
}

// Runs the deletions that deleteLater() and WA_DeleteOnClose have scheduled.
inline void flushDeletes() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// ---------------------------------------------------------------------------------------------
// Editors on their own

// An editor window has a title and a close button but can be neither minimised nor maximised.
inline void expectEditorFrame(const QWidget& window, const char* name, const char* title,
                              QSize size) {
  EXPECT_EQ(window.objectName(), name);
  EXPECT_EQ(window.windowTitle(), title);
  EXPECT_TRUE(window.isWindow());
  EXPECT_EQ(window.minimumSize(), size);
  EXPECT_EQ(window.maximumSize(), size);
  const Qt::WindowFlags flags = window.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(window.isVisible());
}

// One editor window on a record of its own, without a main window.
template <typename Form>
struct EditorFixture : ::testing::Test {
  PictureParams params;
  ScriptedDialogs dialogs;
  Form form{params, dialogs};

  void TearDown() override { expectOnlyInformation(dialogs); }
};

// ---------------------------------------------------------------------------------------------
// Main windows and their render runs

inline void trigger(const MainWindow& window, const char* name) {
  if (QAction* item = child<QAction>(window, name)) item->trigger();
}

// Runs turns until the window's traversal has ended; returns the number of turns.
inline int finishRun(MainWindow& window) {
  RenderDriver& driver = window.renderDriver();
  int turns = 0;
  while (driver.isRunning() && turns < 1000000) {
    driver.runOneTurn();
    ++turns;
  }
  return turns;
}

// CREATE, run turn by turn to its end.
inline void createAndFinish(MainWindow& window) {
  trigger(window, "createknopp");
  finishRun(window);
}

// The canvas's pixels, for comparing pictures.
inline std::vector<uint32_t> pixelsOf(const RasterCanvas& canvas) {
  return std::vector<uint32_t>(canvas.bits(), canvas.bits() + canvas.width() * canvas.height());
}

// A main window on scripted dialogs, with a beep that is counted instead of sounded.
struct MainFixture : ::testing::Test {
  ScriptedDialogs dialogs;
  int beeps = 0;  // of every window the fixture made
  std::unique_ptr<MainWindow> window = makeWindow();

  // Another main window on the same dialogs.
  std::unique_ptr<MainWindow> makeWindow() {
    auto made = std::make_unique<MainWindow>(dialogs);
    made->setBeeper([this] { ++beeps; });
    return made;
  }
  // A window after its first render, when every menu can be used.
  std::unique_ptr<MainWindow> readyWindow() {
    auto made = makeWindow();
    guitest::createAndFinish(*made);
    return made;
  }

  QAction* action(const char* name) const { return child<QAction>(*window, name); }
  QMenu* menu(const char* name) const { return child<QMenu>(*window, name); }
  template <typename T>
  T* widget(const char* name) const {
    return child<T>(*window, name);
  }
  void trigger(const char* name) const { guitest::trigger(*window, name); }
  static void trigger(const MainWindow& target, const char* name) {
    guitest::trigger(target, name);
  }
  // The menu item, its file dialog answered with the given path (empty cancels).
  void chooseFile(MainWindow& target, const char* item, const QString& path) {
    dialogs.fileAnswers.push_back(path);
    guitest::trigger(target, item);
  }

  XrayForm* xray() const { return widget<XrayForm>("xrayform"); }
  DriedForm* dried() const { return widget<DriedForm>("driedform"); }

  RenderDriver& driver() const { return window->renderDriver(); }
  int finishRun() const { return guitest::finishRun(*window); }
  static int finishRun(MainWindow& target) { return guitest::finishRun(target); }
  void createAndFinish() const { guitest::createAndFinish(*window); }

  // What the canvas shows now, as a picture of its own.
  QImage canvasImage() const { return window->canvasView()->canvasWidget()->image().copy(); }
};

// A main window whose files live in a temporary folder of their own.
struct FileFixture : MainFixture {
  QTemporaryDir folder;

  QString pathOf(const QString& name) const { return folder.filePath(name); }
  // Writes a file into the folder and returns its path.
  QString writeFile(const QString& name, const QByteArray& bytes) const {
    QFile file(pathOf(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    file.write(bytes);
    return file.fileName();
  }
  static QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
  }
  // Writes a picture file into the folder and returns its path.
  QString writePicture(const QString& name, const QImage& picture, const char* format) const {
    const QString path = pathOf(name);
    EXPECT_TRUE(picture.save(path, format)) << name.toStdString();
    return path;
  }

  // "Load picture" and "Save picture as..." answered with the given file.
  void loadPicture(const QString& path) { chooseFile(*window, "fileopen", path); }
  void savePicture(const QString& path) { chooseFile(*window, "saveas", path); }
};

// ---------------------------------------------------------------------------------------------
// Pictures and records

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

// The 32 fields of the data file for the parameter set the program starts with.
constexpr std::array<int, kRecordFields> kStartupFields = {
    110, 1,    6, 2, 1, 3, 2, 3, 11, 2, 4, 13, 1001, 1001, 40, 40,
    48,  1001, 2, 1, 0, 0, 0, 0, 0,  1, 1, 1,  25,   25,   0,  0};

// What the view-data window shows for the start-up parameter set.
constexpr std::pair<const char*, const char*> kStartupViewLabels[] = {
    {"lblgalaxy", "6"},      {"lblsolarsystem", "4"}, {"lblworld", "2"},
    {"lbllab", "13"},        {"lbllevel", "11"},      {"lblv1a", "-sin"},
    {"lblv1b", "sin"},       {"lblv2", "40"},         {"lblv3", "40"},
    {"lblv4", "48"},         {"lblcategory", "1"},    {"lbltype", "3"},
    {"lbleffect", "1"},      {"lblxray", "2"},        {"lblkl1", "0"},
    {"lblkl2", "0"},         {"lblkl3", "0"},         {"lbldirection", "outward"},
    {"lbldried", "1"},       {"lbllenght", "1"},      {"lblwidth", "1"},
    {"lblcolor", "regular"}, {"lblsize", "110"},      {"lblthumb", " regular"}};

}  // namespace orbisk::guitest
