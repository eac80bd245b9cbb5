#include "ui/QtDialogs.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <algorithm>

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
                    const std::shared_ptr<QString>& folder,
                    std::function<void(const QString&, int)> chosen) {
  auto* dialog = new QFileDialog(parent, request.title);
  // Each dialog opens where the last one chose a file, with an empty file name.
  if (!folder->isEmpty()) dialog->setDirectory(*folder);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  const QStringList filters = qtNameFilters(request.filter);
  dialog->setNameFilters(filters);
  if (save && !request.confirmOverwrite) dialog->setOption(QFileDialog::DontConfirmOverwrite);
  // finished arrives once, for OK and for Cancel alike, so the caller hears exactly one answer.
  QObject::connect(
      dialog, &QFileDialog::finished, dialog, [dialog, chosen, folder, filters](int result) {
        const QStringList files = dialog->selectedFiles();
        if (result != QDialog::Accepted || files.isEmpty()) {
          chosen(QString(), 0);
          return;
        }
        *folder = QFileInfo(files.first()).absolutePath();
        chosen(files.first(),
               std::max(0, static_cast<int>(filters.indexOf(dialog->selectedNameFilter()))));
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
  openFileDialog(parent, request, false, folder_,
                 [chosen](const QString& path, int) { chosen(path); });
}

void QtDialogs::saveFile(QWidget* parent, const FileDialogRequest& request,
                         std::function<void(const QString&)> chosen) {
  openFileDialog(parent, request, true, folder_,
                 [chosen](const QString& path, int) { chosen(path); });
}

void QtDialogs::saveFileWithFilter(QWidget* parent, const FileDialogRequest& request,
                                   std::function<void(const QString&, int)> chosen) {
  openFileDialog(parent, request, true, folder_, std::move(chosen));
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

void QtDialogs::chooseItem(QWidget* parent, const QString& title, const QString& label,
                           const QStringList& items, std::function<void(int)> chosen) {
  auto* dialog = new QInputDialog(parent);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowTitle(title);
  dialog->setLabelText(label);
  dialog->setComboBoxItems(items);
  dialog->setComboBoxEditable(false);
  QObject::connect(dialog, &QInputDialog::finished, dialog, [dialog, items, chosen](int result) {
    chosen(result == QDialog::Accepted ? static_cast<int>(items.indexOf(dialog->textValue())) : -1);
  });
  dialog->open();
}

}  // namespace orbisk
