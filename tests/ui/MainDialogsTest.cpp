// The real dialogs: filter lists in Qt's form, and answers that arrive through the callbacks
// once the user closes a dialog, never by blocking.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>

#include "ui/QtDialogs.h"

namespace orbisk {
namespace {

TEST(MainDialogsFilters, TurnsDescriptionPatternPairsIntoQtNameFilters) {
  // A description that already shows its pattern keeps it once.
  EXPECT_EQ(qtNameFilters("(*.dat)|*.dat"), QStringList({"(*.dat)"}));
  EXPECT_EQ(qtNameFilters("Bitmap (*.bmp)|*.bmp|All files|*"),
            QStringList({"Bitmap (*.bmp)", "All files (*)"}));
  // Several patterns of one pair are separated by blanks in Qt's form.
  EXPECT_EQ(qtNameFilters("Pictures|*.bmp;*.jpg;*.gif"),
            QStringList({"Pictures (*.bmp *.jpg *.gif)"}));
  // A description without its pattern, or nothing at all, gives no filter.
  EXPECT_EQ(qtNameFilters("(*.dat)|*.dat|Lonely"), QStringList({"(*.dat)"}));
  EXPECT_TRUE(qtNameFilters("").isEmpty());
}

TEST(MainDialogsQt, AskYesNoOpensAQuestionAndAnswersWhenAButtonIsPressed) {
  QWidget parent;
  QtDialogs dialogs;
  for (QMessageBox::StandardButton pressed : {QMessageBox::Yes, QMessageBox::No}) {
    std::vector<bool> answers;
    dialogs.askYesNo(&parent, "Orbisk - Exit", "Quit Orbisk?",
                     [&](bool yes) { answers.push_back(yes); });
    auto* box = parent.findChild<QMessageBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(answers.empty());  // nothing is answered before the user does
    EXPECT_EQ(box->windowTitle(), "Orbisk - Exit");
    EXPECT_EQ(box->text(), "Quit Orbisk?");
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    box->button(pressed)->click();
    EXPECT_EQ(answers, std::vector<bool>({pressed == QMessageBox::Yes}));
    delete box;  // closed boxes delete themselves later; do it now for the next round
  }
}

TEST(MainDialogsQt, FileDialogsAnswerOnceWithThePathOrEmptyOnCancel) {
  QWidget parent;
  QtDialogs dialogs;
  std::vector<QString> answers;
  dialogs.saveFile(&parent, {"Save datafile", "(*.dat)|*.dat", true},
                   [&](const QString& path) { answers.push_back(path); });
  auto* dialog = parent.findChild<QFileDialog*>();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->windowTitle(), "Save datafile");
  EXPECT_EQ(dialog->nameFilters(), QStringList({"(*.dat)"}));
  EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
  EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
  dialog->reject();
  EXPECT_EQ(answers, std::vector<QString>({QString()}));
  delete dialog;
}

TEST(MainDialogsQt, ColourPickerAnswersTheColourOrNothing) {
  QWidget parent;
  QtDialogs dialogs;
  std::vector<std::optional<QColor>> answers;
  auto record = [&](std::optional<QColor> colour) { answers.push_back(colour); };

  dialogs.chooseColour(&parent, QColor(1, 2, 3), record);
  auto* picker = parent.findChild<QColorDialog*>();
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(picker->currentColor(), QColor(1, 2, 3));
  picker->setCurrentColor(QColor(10, 20, 30));
  picker->accept();
  delete picker;

  dialogs.chooseColour(&parent, QColor(1, 2, 3), record);
  picker = parent.findChild<QColorDialog*>();
  ASSERT_NE(picker, nullptr);
  picker->reject();
  delete picker;

  ASSERT_EQ(answers.size(), 2u);
  EXPECT_EQ(answers[0], QColor(10, 20, 30));
  EXPECT_EQ(answers[1], std::nullopt);
}

}  // namespace
}  // namespace orbisk
