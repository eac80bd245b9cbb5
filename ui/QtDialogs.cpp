#include "ui/QtDialogs.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace orbisk {

QStringList qtNameFilters(const QString& pairs) {
  QStringList filters;
  const QStringList parts = pairs.split('|');
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString patterns = parts[i + 1].split(';', Qt::SkipEmptyParts).join(' ');
    // A description that already shows its patterns, such as "(*.dat)", is not given them twice.
    const QString shown = "(" + patterns + ")";
    filters << (parts[i].contains(shown) ? parts[i] : parts[i] + " " + shown);
  }
  return filters;
}

namespace {

// A message box that deletes itself when answered.
QMessageBox* messageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                        const QString& text, QMessageBox::StandardButtons buttons) {
  auto* box = new QMessageBox(icon, title, text, buttons, parent);
  box->setAttribute(Qt::WA_DeleteOnClose);
  return box;
}

void openFileDialog(QWidget* parent, const FileDialogRequest& request, bool save,
                    std::function<void(const QString&)> chosen) {
  auto* dialog = new QFileDialog(parent, request.title);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog->setNameFilters(qtNameFilters(request.filter));
  if (save && !request.confirmOverwrite) dialog->setOption(QFileDialog::DontConfirmOverwrite);
  // finished arrives once, for OK and for Cancel alike, so the caller hears exactly one answer.
  QObject::connect(dialog, &QFileDialog::finished, dialog, [dialog, chosen](int result) {
    const QStringList files = dialog->selectedFiles();
    chosen(result == QDialog::Accepted && !files.isEmpty() ? files.first() : QString());
  });
  dialog->open();
}

}  // namespace

void QtDialogs::askYesNo(QWidget* parent, const QString& title, const QString& text,
                         std::function<void(bool)> answer) {
  QMessageBox* box =
      messageBox(parent, QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No);
  QObject::connect(box, &QMessageBox::finished, box, [box, answer](int) {
    answer(box->standardButton(box->clickedButton()) == QMessageBox::Yes);
  });
  box->open();
}

void QtDialogs::inform(QWidget* parent, const QString& title, const QString& text) {
  messageBox(parent, QMessageBox::Information, title, text, QMessageBox::Ok)->open();
}

void QtDialogs::warn(QWidget* parent, const QString& title, const QString& text) {
  messageBox(parent, QMessageBox::Warning, title, text, QMessageBox::Ok)->open();
}

void QtDialogs::openFile(QWidget* parent, const FileDialogRequest& request,
                         std::function<void(const QString&)> chosen) {
  openFileDialog(parent, request, false, std::move(chosen));
}

void QtDialogs::saveFile(QWidget* parent, const FileDialogRequest& request,
                         std::function<void(const QString&)> chosen) {
  openFileDialog(parent, request, true, std::move(chosen));
}

void QtDialogs::chooseColour(QWidget* parent, const QColor& initial,
                             std::function<void(std::optional<QColor>)> chosen) {
  auto* dialog = new QColorDialog(initial, parent);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(dialog, &QColorDialog::finished, dialog, [dialog, chosen](int result) {
    if (result == QDialog::Accepted) {
      chosen(dialog->selectedColor());
    } else {
      chosen(std::nullopt);
    }
  });
  dialog->open();
}

}  // namespace orbisk
