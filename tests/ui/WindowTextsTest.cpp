// The fixed-size windows show every text whole, whatever font and scale the desktop gives: each
// label's text fits inside it, inside the window, and apart from every other label. CTest runs
// these once more with QT_SCALE_FACTOR=2.
#include <QFontMetrics>

#include "model/DataFile.h"
#include "tests/ui/GuiTestSupport.h"
#include "ui/editors/AboutForm.h"
#include "ui/editors/HintsForm.h"
#include "ui/editors/OriginForm.h"
#include "ui/editors/ViewDataForm.h"

namespace orbisk::guitest {
namespace {

QString nameOf(const QLabel* label) {
  return label->objectName().isEmpty() ? label->text() : label->objectName();
}

void expectTextsShowWhole(const QWidget& window) {
  SCOPED_TRACE(window.objectName().toStdString());
  QApplication::sendPostedEvents();  // a layout places changed texts when the loop comes round
  QList<QLabel*> shown;
  for (QLabel* label : window.findChildren<QLabel*>()) {
    if (label->isHidden()) continue;
    shown << label;
    SCOPED_TRACE(nameOf(label).toStdString());
    EXPECT_TRUE(window.rect().contains(label->geometry()));
    if (label->text().isEmpty()) continue;
    const QRect room = label->contentsRect();
    if (label->wordWrap()) {
      EXPECT_LE(label->heightForWidth(label->width()), label->height());
    } else {
      const QFontMetrics metrics = label->fontMetrics();
      EXPECT_LE(metrics.horizontalAdvance(label->text()), room.width());
      EXPECT_LE(metrics.height(), room.height());
    }
  }
  for (qsizetype i = 0; i < shown.size(); ++i) {
    for (qsizetype j = i + 1; j < shown.size(); ++j) {
      EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
          << nameOf(shown[i]).toStdString() << " runs into " << nameOf(shown[j]).toStdString();
    }
  }
}

TEST(WindowTexts, EditorsShowEveryCaptionWhole) {
  PictureParams params;
  ScriptedDialogs dialogs;
  OriginForm origin(params, dialogs);
  origin.setFunctionLists();
  XrayForm xray(params, dialogs);
  DriedForm dried(params, dialogs);
  for (QWidget* editor : std::initializer_list<QWidget*>{&origin, &xray, &dried}) {
    editor->show();
    expectTextsShowWhole(*editor);
  }
  // The widest values the origin editor's labels can show.
  for (Control c : {Control::hsbv2, Control::hsbv3, Control::hsbv4})
    origin.setControl(c, controlRange(c).min);
  origin.setControl(Control::hsbsize, controlRange(Control::hsbsize).max);
  expectTextsShowWhole(origin);
}

TEST(WindowTexts, InformationWindowsShowEveryTextWhole) {
  HintsForm hints;
  hints.show();
  expectTextsShowWhole(hints);
  AboutForm about;
  about.show();
  expectTextsShowWhole(about);

  // View data with the widest number in every field, then with the longest words.
  ViewDataForm view;
  view.show();
  DataRecord numbers;
  numbers.field.fill(-32768);
  numbers.count = kRecordFields;
  view.showRecord(numbers, "numbers.dat");
  expectTextsShowWhole(view);
  DataRecord words = numbers;
  words.field[3] = 2;   // direction "outward"
  words.field[5] = 5;   // v1a "-cos"
  words.field[6] = 5;   // v1b "-cos"
  words.field[20] = 1;  // colour "inverted"
  words.field[25] = 2;  // frame " thumbnail"
  view.showRecord(words, "words.dat");
  expectTextsShowWhole(view);
}

}  // namespace
}  // namespace orbisk::guitest
