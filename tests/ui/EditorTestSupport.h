// What the editor tests share: a dialogs stand-in that records every message box, and small
// helpers that find controls by objectName and press the mouse on them.
#pragma once

#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QString>
#include <QWidget>
#include <vector>

#include "ui/Dialogs.h"

namespace orbisk::editortest {

class RecordingDialogs : public Dialogs {
 public:
  struct Message {
    QString title;
    QString text;
  };
  std::vector<Message> informed;

  void askYesNo(QWidget*, const QString&, const QString&, std::function<void(bool)>) override {
    ADD_FAILURE() << "an editor asked a question";
  }
  void inform(QWidget*, const QString& title, const QString& text) override {
    informed.push_back({title, text});
  }
  void warn(QWidget*, const QString& title, const QString&) override {
    ADD_FAILURE() << "an editor warned: " << title.toStdString();
  }
  void openFile(QWidget*, const FileDialogRequest&, std::function<void(const QString&)>) override {
    ADD_FAILURE() << "an editor opened a file dialog";
  }
  void saveFile(QWidget*, const FileDialogRequest&, std::function<void(const QString&)>) override {
    ADD_FAILURE() << "an editor opened a file dialog";
  }
  void chooseColour(QWidget*, std::function<void(std::optional<QColor>)>) override {
    ADD_FAILURE() << "an editor opened a colour picker";
  }
};

// The child of the given type and objectName; fails the test when there is none.
template <typename T>
T* child(const QWidget& parent, const char* name) {
  T* found = parent.findChild<T*>(name);
  EXPECT_NE(found, nullptr) << "no " << name;
  return found;
}

inline QString labelText(const QWidget& parent, const char* name) {
  QLabel* label = child<QLabel>(parent, name);
  return label ? label->text() : QString("<missing>");
}

inline int barValue(const QWidget& parent, const char* name) {
  QScrollBar* bar = child<QScrollBar>(parent, name);
  return bar ? bar->value() : -99999;
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

inline void doubleClick(QWidget* target) {
  const QPoint at = target->rect().center();
  sendMouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton);
  sendMouse(target, QEvent::MouseButtonRelease, at, Qt::NoButton);
  sendMouse(target, QEvent::MouseButtonDblClick, at, Qt::LeftButton);
  sendMouse(target, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

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

}  // namespace orbisk::editortest
