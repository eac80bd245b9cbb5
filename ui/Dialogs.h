// Every message box, file dialog and colour picker of the program goes through this interface,
// so tests can answer them without ever blocking. Answers arrive through callbacks: the real
// implementation opens window-modal dialogs asynchronously and never runs a nested event loop.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace orbisk {

struct FileDialogRequest {
  QString title;          // window title, e.g. "Open datafile"
  QString filter;         // description|pattern pairs, e.g. "(*.dat)|*.dat"
  bool confirmOverwrite;  // save dialogs: ask before replacing an existing file
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Question with Yes/No buttons and the question icon; answer(true) for Yes.
  virtual void askYesNo(QWidget* parent, const QString& title, const QString& text,
                        std::function<void(bool)> answer) = 0;
  // Information box with an OK button.
  virtual void inform(QWidget* parent, const QString& title, const QString& text) = 0;
  // Error box with an OK button, for files that cannot be read or written.
  virtual void warn(QWidget* parent, const QString& title, const QString& text) = 0;
  // Open/save file dialogs; chosen receives the full path, or an empty string on cancel.
  virtual void openFile(QWidget* parent, const FileDialogRequest& request,
                        std::function<void(const QString&)> chosen) = 0;
  virtual void saveFile(QWidget* parent, const FileDialogRequest& request,
                        std::function<void(const QString&)> chosen) = 0;
  // A save dialog that also reports which filter entry (0 for the first) was selected when the
  // user chose; a cancel gives an empty path.
  virtual void saveFileWithFilter(QWidget* parent, const FileDialogRequest& request,
                                  std::function<void(const QString&, int)> chosen) {
    saveFile(parent, request, [chosen](const QString& path) { chosen(path, 0); });
  }
  // Colour picker, opened at the initial colour; chosen receives nullopt on cancel.
  virtual void chooseColour(QWidget* parent, const QColor& initial,
                            std::function<void(std::optional<QColor>)> chosen) = 0;
  // One of a few items, picked from a list; chosen receives the item's index, or -1 on cancel.
  // Every implementation that shows dialogs overrides it; this one cancels.
  virtual void chooseItem(QWidget* parent, const QString& title, const QString& label,
                          const QStringList& items, std::function<void(int)> chosen) {
    (void)parent, (void)title, (void)label, (void)items;
    chosen(-1);
  }
};

}  // namespace orbisk
