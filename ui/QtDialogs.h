// The real dialogs: Qt's message boxes, file dialogs and colour picker, opened window-modal with
// open() so the event loop keeps running and no nested loop is ever entered.
#pragma once

#include <QStringList>

#include "ui/Dialogs.h"

namespace orbisk {

// Turns "description|pattern" pairs such as "(*.dat)|*.dat" into Qt's name filters such as
// "(*.dat)" (a description that already shows its patterns keeps them once, others get them
// added); several patterns of one pair ("*.bmp;*.jpg") become "(*.bmp *.jpg)".
// A trailing description without its pattern is dropped.
QStringList qtNameFilters(const QString& pairs);

class QtDialogs : public Dialogs {
 public:
  void askYesNo(QWidget* parent, const QString& title, const QString& text,
                std::function<void(bool)> answer) override;
  void inform(QWidget* parent, const QString& title, const QString& text) override;
  void warn(QWidget* parent, const QString& title, const QString& text) override;
  void openFile(QWidget* parent, const FileDialogRequest& request,
                std::function<void(const QString&)> chosen) override;
  void saveFile(QWidget* parent, const FileDialogRequest& request,
                std::function<void(const QString&)> chosen) override;
  void chooseColour(QWidget* parent, const QColor& initial,
                    std::function<void(std::optional<QColor>)> chosen) override;
};

}  // namespace orbisk
