// The origin editor driven through its real widgets, found by objectName.
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QWheelEvent>
#include <array>

#include "model/RecordFields.h"
#include "tests/ui/GuiTestSupport.h"
#include "ui/editors/OriginForm.h"

namespace orbisk::guitest {
namespace {

// A bar of the editor, its value label and the record field that mirrors it.
struct OriginBar {
  Control control;
  const char* bar;
  const char* label;
  int16_t PictureParams::*field;
  int start;
};

const std::array<OriginBar, 12> kOriginBars = {{
    {Control::hsbgalaxy, "hsbgalaxy", "lblgalaxy", &PictureParams::ali, 6},
    {Control::hsbsolarsystem, "hsbsolarsystem", "lblsolarsystem", &PictureParams::sols, 4},
    {Control::hsbworld, "hsbworld", "lblworld", &PictureParams::worldw, 2},
    {Control::hsblab, "hsblab", "lbllab", &PictureParams::cit, 13},
    {Control::hsblevel, "hsblevel", "lbllevel", &PictureParams::w, 11},
    {Control::hsbcat, "hsbcat", "textcat", &PictureParams::cat, 1},
    {Control::hsbtype, "hsbtype", "texttype", &PictureParams::t1, 3},
    {Control::hsbeffect, "hsbeffect", "texteffect", &PictureParams::eff, 1},
    {Control::hsbv2, "hsbv2", "textv2", &PictureParams::v2, 40},
    {Control::hsbv3, "hsbv3", "textv3", &PictureParams::v3, 40},
    {Control::hsbv4, "hsbv4", "textv4", &PictureParams::v4, 48},
    {Control::hsbsize, "hsbsize", "textsize", &PictureParams::size, 110},
}};

class OriginFormTest : public EditorFixture<OriginForm> {
 protected:
  OriginFormTest() { form.setFunctionLists(); }

  QListWidget* list(const char* name) { return child<QListWidget>(form, name); }
  QString selectedEntry(const char* name) {
    QListWidget* l = list(name);
    return l && l->currentItem() ? l->currentItem()->text() : QString("<none>");
  }
};

TEST_F(OriginFormTest, FreshStartShowsTheStartValuesAndTheRecordAgrees) {
  expectEditorFrame(form, "originform", "Orbisk - Origin", QSize(302, 247));
  for (const OriginBar& b : kOriginBars) {
    SCOPED_TRACE(b.bar);
    QScrollBar* bar = child<QScrollBar>(form, b.bar);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->value(), b.start);
    EXPECT_EQ(bar->orientation(), Qt::Horizontal);
    EXPECT_EQ(bar->minimum(), controlRange(b.control).min);
    EXPECT_EQ(bar->maximum(), controlRange(b.control).max);
    EXPECT_EQ(bar->singleStep(), 1);
    EXPECT_EQ(bar->pageStep(), 1);
    EXPECT_FALSE(bar->hasTracking());
    EXPECT_EQ(labelText(form, b.label), QString::number(b.start));
    EXPECT_EQ(form.controlValue(b.control), b.start);
  }
  EXPECT_EQ(selectedEntry("listv1a"), "-Sin");
  EXPECT_EQ(selectedEntry("listv1b"), " Sin");
  EXPECT_EQ(form.controlValue(Control::listv1a), 3);
  EXPECT_EQ(form.controlValue(Control::listv1b), 2);
  EXPECT_EQ(params, PictureParams{});
}

TEST_F(OriginFormTest, FunctionListsHoldTheElevenFunctionsWithTheirBlanks) {
  const QStringList expected = {"None", " Sin", "-Sin", " Cos", "-Cos", " Tan",
                                "-Tan", " Atn", "-Atn", " Int", "-Int"};
  for (const char* name : {"listv1a", "listv1b"}) {
    QListWidget* l = list(name);
    ASSERT_NE(l, nullptr);
    QStringList entries;
    for (int i = 0; i < l->count(); ++i) entries << l->item(i)->text();
    EXPECT_EQ(entries, expected) << name;
  }
  // Filling again starts afresh rather than appending a second set.
  form.setControl(Control::listv1a, 11);
  form.setFunctionLists();
  EXPECT_EQ(list("listv1a")->count(), 11);
  EXPECT_EQ(params.func1, 3);
  EXPECT_EQ(params.func2, 2);
}

TEST_F(OriginFormTest, EveryBarWritesItsLabelAndFieldAtOnce) {
  for (const OriginBar& b : kOriginBars) {
    SCOPED_TRACE(b.bar);
    const int lowest = controlRange(b.control).min;
    ASSERT_TRUE(form.setControl(b.control, lowest));
    EXPECT_EQ(barValue(form, b.bar), lowest);
    EXPECT_EQ(labelText(form, b.label), QString::number(lowest));
    EXPECT_EQ(params.*b.field, lowest);
  }
  // Negative values are plain decimals with a minus sign.
  EXPECT_EQ(labelText(form, "textv2"), "-900");
}

TEST_F(OriginFormTest, MovingLevelWritesItAtOnceAndOkOnlyHides) {
  form.show();
  child<QScrollBar>(form, "hsblevel")->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(params.w, 35);
  EXPECT_EQ(labelText(form, "lbllevel"), "35");
  const PictureParams before = params;
  child<QPushButton>(form, "okbutton")->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(params, before);
  EXPECT_EQ(barValue(form, "hsblevel"), 35);  // hiding keeps the values
}

TEST_F(OriginFormTest, DraggingChangesNothingUntilTheThumbIsReleased) {
  QScrollBar* bar = child<QScrollBar>(form, "hsbv4");
  bar->setSliderDown(true);
  bar->setSliderPosition(-300);
  EXPECT_EQ(params.v4, 48);
  EXPECT_EQ(labelText(form, "textv4"), "48");
  bar->setSliderDown(false);
  EXPECT_EQ(params.v4, -300);
  EXPECT_EQ(labelText(form, "textv4"), "-300");
}

TEST_F(OriginFormTest, ListSelectionStoresPositionPlusOne) {
  list("listv1b")->setCurrentRow(0);  // "None"
  EXPECT_EQ(params.func2, 1);
  list("listv1b")->setCurrentRow(10);  // "-Int"
  EXPECT_EQ(params.func2, 11);
  ASSERT_TRUE(form.setControl(Control::listv1a, 8));
  EXPECT_EQ(selectedEntry("listv1a"), " Atn");
  EXPECT_EQ(params.func1, 8);
  EXPECT_EQ(params.func2, 11);
}

TEST_F(OriginFormTest, ListNeverEndsUpShowingNoFunction) {
  QListWidget* l = list("listv1a");
  l->clearSelection();  // what Ctrl+click on the selected entry does
  EXPECT_EQ(l->selectedItems().size(), 1);
  EXPECT_EQ(selectedEntry("listv1a"), "-Sin");
  EXPECT_EQ(params.func1, 3);
}

TEST_F(OriginFormTest, ValuesOutsideARangeAreRefusedAndChangeNothing) {
  for (const OriginBar& b : kOriginBars) {
    SCOPED_TRACE(b.bar);
    const ControlRange& r = controlRange(b.control);
    EXPECT_FALSE(form.setControl(b.control, r.min - 1));
    EXPECT_FALSE(form.setControl(b.control, r.max + 1));
    EXPECT_EQ(barValue(form, b.bar), b.start);
    EXPECT_EQ(labelText(form, b.label), QString::number(b.start));
  }
  for (int outside : {0, 12, -1, 32767}) {
    EXPECT_FALSE(form.setControl(Control::listv1a, outside));
    EXPECT_FALSE(form.setControl(Control::listv1b, outside));
  }
  EXPECT_EQ(selectedEntry("listv1a"), "-Sin");
  EXPECT_EQ(selectedEntry("listv1b"), " Sin");
  // Controls of the other editors are not this editor's to set.
  EXPECT_FALSE(form.setControl(Control::hsbxray, 3));
  EXPECT_FALSE(form.setControl(Control::glij, 3));
  EXPECT_EQ(params, PictureParams{});
}

TEST_F(OriginFormTest, TheCurrentValueAgainIsAcceptedWithoutAChange) {
  params.ali = 99;  // a change handler running now would overwrite this
  EXPECT_TRUE(form.setControl(Control::hsbgalaxy, 6));
  EXPECT_TRUE(form.setControl(Control::listv1a, 3));
  params.func1 = 99;
  EXPECT_TRUE(form.setControl(Control::listv1a, 3));
  EXPECT_EQ(params.ali, 99);
  EXPECT_EQ(params.func1, 99);
}

TEST(OriginFormLists, RefuseFunctionsUntilTheyAreFilled) {
  PictureParams params;
  ScriptedDialogs dialogs;
  OriginForm form(params, dialogs);
  EXPECT_FALSE(form.setControl(Control::listv1a, 1));
  EXPECT_EQ(form.controlValue(Control::listv1a), 0);
  EXPECT_EQ(params.func1, 3);
  expectOnlyInformation(dialogs);
}

TEST_F(OriginFormTest, RandomDrawSetsExactlyTheTenDrawnValues) {
  for (uint64_t seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE(seed);
    const RandomCombination draw = drawRandomCombination(seed);
    PictureParams expected = params;
    expected.cat = draw.of(Field::cat);
    expected.ali = draw.of(Field::ali);
    expected.eff = draw.of(Field::eff);
    expected.func1 = draw.of(Field::func1);
    expected.func2 = draw.of(Field::func2);
    expected.t1 = draw.of(Field::t1);
    expected.w = draw.of(Field::w);
    expected.worldw = draw.of(Field::worldw);
    expected.sols = draw.of(Field::sols);
    expected.cit = draw.of(Field::cit);
    form.applyRandom(draw);
    ASSERT_EQ(params, expected);
    EXPECT_EQ(form.controlValue(Control::hsbcat), draw.of(Field::cat));
    EXPECT_EQ(form.controlValue(Control::hsbgalaxy), draw.of(Field::ali));
    EXPECT_EQ(form.controlValue(Control::listv1a), draw.of(Field::func1));
    EXPECT_EQ(form.controlValue(Control::listv1b), draw.of(Field::func2));
    EXPECT_EQ(form.controlValue(Control::hsblab), draw.of(Field::cit));
    EXPECT_EQ(labelText(form, "lblworld"), QString::number(draw.of(Field::worldw)));
  }
  // Size, v2, v3 and v4 are left where they were.
  EXPECT_EQ(barValue(form, "hsbsize"), 110);
  EXPECT_EQ(barValue(form, "hsbv2"), 40);
  EXPECT_EQ(barValue(form, "hsbv3"), 40);
  EXPECT_EQ(barValue(form, "hsbv4"), 48);
}

TEST_F(OriginFormTest, GalaxyCaptionShowsTheDedication) {
  doubleClick(child<QLabel>(form, "captiongalaxy"));
  ASSERT_EQ(dialogs.informed.size(), 1u);
  EXPECT_EQ(dialogs.informed[0].title, "Dedicated to...");
  EXPECT_FALSE(dialogs.informed[0].text.isEmpty());
}

TEST_F(OriginFormTest, SizeCaptionShowsTheCreditsOnlyAtTheFixedCombination) {
  QLabel* size = child<QLabel>(form, "captionsize");
  ASSERT_NE(size, nullptr);
  EXPECT_EQ(size->text(), "Size");
  doubleClick(size);
  EXPECT_TRUE(dialogs.informed.empty());

  form.setControl(Control::hsbv2, kCreditV2);
  form.setControl(Control::hsbv3, kCreditV3);
  doubleClick(size);  // v4 still off
  EXPECT_TRUE(dialogs.informed.empty());

  form.setControl(Control::hsbv4, kCreditV4);
  doubleClick(size);
  ASSERT_EQ(dialogs.informed.size(), 1u);
  EXPECT_EQ(dialogs.informed[0].title, "Programmed by...");
  // A plain click does nothing.
  click(size, size->rect().center());
  EXPECT_EQ(dialogs.informed.size(), 1u);
}

TEST_F(OriginFormTest, BarsStepByKeyAndWheelLikeTheirArrows) {
  QScrollBar* v2 = child<QScrollBar>(form, "hsbv2");
  ASSERT_NE(v2, nullptr);
  EXPECT_TRUE(v2->focusPolicy() & Qt::TabFocus);
  const std::pair<int, int> steps[] = {{Qt::Key_Right, 41}, {Qt::Key_PageUp, 42},
                                       {Qt::Key_Left, 41},  {Qt::Key_PageDown, 40},
                                       {Qt::Key_Up, 41},    {Qt::Key_Down, 40}};
  for (const auto& [key, expected] : steps) {
    sendKey(v2, key);
    EXPECT_EQ(params.v2, expected);
    EXPECT_EQ(labelText(form, "textv2"), QString::number(expected));
  }
  // The wheel goes the way Up and Down go: turned away from the hand, up. Half notches add up,
  // and a wheel the system turned round (inverted) still follows the hand.
  const struct {
    QPoint delta;
    bool inverted;
    int expected;
  } turns[] = {{{0, 120}, false, 41},  {{0, -120}, false, 40}, {{0, -240}, false, 38},
               {{0, 60}, false, 38},   {{0, 60}, false, 39},   {{0, -120}, true, 40},
               {{-120, 0}, false, 41}, {{120, 0}, false, 40}};
  const QPointF at = v2->rect().center();
  for (const auto& turn : turns) {
    QWheelEvent wheel(at, v2->mapToGlobal(at), QPoint(), turn.delta, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, turn.inverted);
    QApplication::sendEvent(v2, &wheel);
    EXPECT_EQ(params.v2, turn.expected) << turn.delta.x() << "," << turn.delta.y();
    EXPECT_EQ(labelText(form, "textv2"), QString::number(params.v2));
  }
}

TEST_F(OriginFormTest, TabVisitsTheControlsRowByRow) {
  form.show();
  QApplication::setActiveWindow(&form);
  child<QScrollBar>(form, "hsbgalaxy")->setFocus();
  QStringList visited;
  for (int i = 0; i < 15; ++i) {
    visited << QApplication::focusWidget()->objectName();
    sendKey(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(visited, QStringList({"hsbgalaxy", "hsbsolarsystem", "hsbworld", "hsblab", "hsblevel",
                                  "hsbcat", "hsbtype", "listv1a", "listv1b", "hsbeffect", "hsbv2",
                                  "hsbv3", "hsbv4", "hsbsize", "okbutton"}));
}

TEST_F(OriginFormTest, TypedValueGoesThroughTheBarAndEscapeKeepsTheOld) {
  form.show();
  QApplication::setActiveWindow(&form);
  QLabel* label = child<QLabel>(form, "textv2");
  ASSERT_NE(label, nullptr);
  doubleClick(label);
  auto* entry = child<QLineEdit>(form, "textv2entry");
  EXPECT_EQ(entry->text(), "40");
  typeText(entry, "-250");
  EXPECT_EQ(params.v2, 40);  // nothing changes before Enter
  sendKey(entry, Qt::Key_Return);
  flushDeletes();
  EXPECT_EQ(form.findChild<QLineEdit*>(), nullptr);
  EXPECT_EQ(barValue(form, "hsbv2"), -250);
  EXPECT_EQ(labelText(form, "textv2"), "-250");
  EXPECT_EQ(params.v2, -250);

  // A bar that writes a field of the record writes it the same way; Escape changes nothing.
  doubleClick(child<QLabel>(form, "lblgalaxy"));
  typeText(child<QLineEdit>(form, "lblgalaxyentry"), "9");
  sendKey(child<QLineEdit>(form, "lblgalaxyentry"), Qt::Key_Escape);
  flushDeletes();
  EXPECT_EQ(form.findChild<QLineEdit*>(), nullptr);
  EXPECT_EQ(params.ali, 6);
  doubleClick(child<QLabel>(form, "lblgalaxy"));
  typeText(child<QLineEdit>(form, "lblgalaxyentry"), "9");
  sendKey(child<QLineEdit>(form, "lblgalaxyentry"), Qt::Key_Enter);
  EXPECT_EQ(params.ali, 9);
  EXPECT_EQ(labelText(form, "lblgalaxy"), "9");
  flushDeletes();
  EXPECT_TRUE(dialogs.informed.empty());
}

TEST_F(OriginFormTest, TypedValueOutsideTheRangeIsRefusedWithTheRange) {
  form.show();
  QApplication::setActiveWindow(&form);
  // Every keystroke is taken; only Enter judges the value.
  const struct {
    const char* label;
    const char* typed;
    const char* message;
  } cases[] = {
      {"lbllevel", "99", "Level takes a value from 1 to 35; 99 is not one. It stays 11."},
      {"textv2", "-901", "V2 takes a value from -900 to 900; -901 is not one. It stays 40."},
      {"textsize", "99999999999",
       "Size takes a value from 10 to 1000; 99999999999 is not one. "
       "It stays 110."},
      {"textsize", "", "Size takes a value from 10 to 1000. It stays 110."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    dialogs.informed.clear();
    doubleClick(child<QLabel>(form, c.label));
    auto* entry = child<QLineEdit>(form, (QString(c.label) + "entry").toLatin1().constData());
    typeText(entry, c.typed);
    if (!*c.typed) sendKey(entry, Qt::Key_Backspace);
    EXPECT_EQ(entry->text(), c.typed);
    sendKey(entry, Qt::Key_Return);
    flushDeletes();
    EXPECT_EQ(form.findChild<QLineEdit*>(), nullptr);
    ASSERT_EQ(dialogs.informed.size(), 1u);
    EXPECT_EQ(dialogs.informed[0].title, "Orbisk - Origin");
    EXPECT_EQ(dialogs.informed[0].text, c.message);
  }
  EXPECT_EQ(params, PictureParams{});
  EXPECT_EQ(labelText(form, "lbllevel"), "11");
  dialogs.informed.clear();
}

TEST_F(OriginFormTest, OpensCentredAndThenStaysWhereTheUserPutsIt) {
  form.show();
  const QRect screen = form.screen()->availableGeometry();
  EXPECT_LE((form.frameGeometry().center() - screen.center()).manhattanLength(), 2);
  form.hide();
  form.move(10, 20);
  form.show();
  EXPECT_EQ(form.pos(), QPoint(10, 20));
}

}  // namespace
}  // namespace orbisk::guitest
