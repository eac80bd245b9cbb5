// Preferences, options, frames and scrolling of the main window.
#include <QProgressBar>
#include <QScrollBar>

#include "tests/ui/GuiTestSupport.h"
#include "ui/main/CanvasView.h"

namespace orbisk::guitest {
namespace {

using MainPreferences = MainFixture;

// The names of the checked items among `names`.
QStringList checkedAmong(const MainFixture& f, std::initializer_list<const char*> names) {
  QStringList checked;
  for (const char* name : names)
    if (f.action(name)->isChecked()) checked << name;
  return checked;
}

TEST_F(MainPreferences, EachPairKeepsExactlyOneCheckMark) {
  struct Pair {
    const char* on;
    const char* off;
    int16_t PictureParams::*field;
  };
  const Pair pairs[] = {{"alwayscl", "useclearbutton", &PictureParams::alwaysclear},
                        {"showpro", "hidepro", &PictureParams::showprogress},
                        {"onn", "offf", &PictureParams::beepon}};
  for (const Pair& pair : pairs) {
    SCOPED_TRACE(pair.on);
    for (const char* chosen : {pair.off, pair.off, pair.on, pair.on, pair.off}) {
      trigger(chosen);
      EXPECT_EQ(checkedAmong(*this, {pair.on, pair.off}), QStringList({chosen}));
      EXPECT_EQ(window->params().*pair.field, chosen == pair.on ? -1 : 0);
    }
  }
}

TEST_F(MainPreferences, OptionGroupsSetTheirFieldsWithOneCheckMark) {
  struct Choice {
    const char* name;
    int16_t PictureParams::*field;
    int16_t value;
  };
  const Choice choices[] = {
      {"inward", &PictureParams::direction, 1},      {"outward", &PictureParams::direction, 2},
      {"yesborder", &PictureParams::borderlen, 10},  {"fiveborder", &PictureParams::borderlen, 5},
      {"threeborder", &PictureParams::borderlen, 3}, {"noborder", &PictureParams::borderlen, 1},
      {"borytien", &PictureParams::widthfac, 10},    {"boryvijf", &PictureParams::widthfac, 5},
      {"borydrie", &PictureParams::widthfac, 3},     {"boryeen", &PictureParams::widthfac, 1},
      {"detaillow", &PictureParams::detailstep, 4},  {"detailhigh", &PictureParams::detailstep, 1},
  };
  for (const Choice& choice : choices) {
    SCOPED_TRACE(choice.name);
    trigger(choice.name);
    EXPECT_EQ(window->params().*choice.field, choice.value);
    EXPECT_TRUE(action(choice.name)->isChecked());
  }
  EXPECT_EQ(checkedAmong(*this, {"inward", "outward"}).size(), 1);
  EXPECT_EQ(checkedAmong(*this, {"noborder", "threeborder", "fiveborder", "yesborder"}).size(), 1);
  EXPECT_EQ(checkedAmong(*this, {"boryeen", "borydrie", "boryvijf", "borytien"}).size(), 1);
  EXPECT_EQ(checkedAmong(*this, {"detailhigh", "detaillow"}).size(), 1);
}

TEST_F(MainPreferences, DetailSetsThePenWidth) {
  trigger("detaillow");
  EXPECT_EQ(window->canvas().penWidth(), 4);
  trigger("detailhigh");
  EXPECT_EQ(window->canvas().penWidth(), 1);
}

// ---------------------------------------------------------------------------------------------
// Frames

using MainFrames = MainFixture;

QStringList frameChecks(const MainFixture& f) {
  return checkedAmong(f, {"thumbnail", "maximum", "supermaximum"});
}

TEST_F(MainFrames, ThumbnailThenRegularLeavesSize54) {
  auto* pct1 = widget<QWidget>("Pct1");
  trigger("thumbnail");
  EXPECT_EQ(pct1->geometry(), QRect(0, 0, 117, 90));
  EXPECT_EQ(window->canvas().width(), 117);
  EXPECT_EQ(window->canvas().height(), 90);
  EXPECT_EQ(widget<QScrollBar>("hsbsize")->value(), 54);
  EXPECT_EQ(window->params().size, 54);
  EXPECT_EQ(window->params().framesize, 2);
  EXPECT_EQ(frameChecks(*this), QStringList({"thumbnail"}));
  EXPECT_FALSE(menu("scrolls")->menuAction()->isEnabled());
  EXPECT_TRUE(action("scrollhide")->isChecked());
  EXPECT_FALSE(action("scrollshow")->isChecked());

  trigger("maximum");
  EXPECT_EQ(pct1->geometry(), QRect(0, 0, 632, 434));
  EXPECT_EQ(window->params().size, 54);
  EXPECT_EQ(window->params().framesize, 1);
  EXPECT_EQ(frameChecks(*this), QStringList({"maximum"}));
}

TEST_F(MainFrames, MaximumCentresTheCanvasAndReCentresAfterScrolling) {
  auto* pct1 = widget<QWidget>("Pct1");
  auto* hbar = widget<QScrollBar>("HScroll1");
  auto* vbar = widget<QScrollBar>("VScroll1");
  trigger("supermaximum");
  EXPECT_EQ(pct1->geometry(), QRect(-158, -108, 948, 651));
  EXPECT_EQ(window->params().framesize, 3);
  EXPECT_FALSE(hbar->isHidden());
  EXPECT_FALSE(vbar->isHidden());
  EXPECT_TRUE(menu("scrolls")->menuAction()->isEnabled());
  EXPECT_TRUE(action("scrollshow")->isChecked());
  EXPECT_EQ(frameChecks(*this), QStringList({"supermaximum"}));

  // A bar at 0 puts that edge at the view's edge; at its maximum the far edges meet.
  hbar->setValue(0);
  vbar->setValue(217);
  EXPECT_EQ(pct1->pos(), QPoint(0, -217));
  EXPECT_EQ(pct1->geometry().bottom() + 1, 434);
  hbar->setValue(316);
  EXPECT_EQ(pct1->geometry().right() + 1, 632);

  trigger("supermaximum");
  EXPECT_EQ(pct1->pos(), QPoint(-158, -108));
  EXPECT_EQ(hbar->value(), 158);
  EXPECT_EQ(vbar->value(), 108);
}

TEST_F(MainFrames, ScrollbarsHideAndShowKeepTheCanvasWhereItIs) {
  auto* pct1 = widget<QWidget>("Pct1");
  auto* hbar = widget<QScrollBar>("HScroll1");
  trigger("supermaximum");
  hbar->setValue(40);
  trigger("scrollhide");
  EXPECT_TRUE(hbar->isHidden());
  EXPECT_TRUE(action("scrollhide")->isChecked());
  EXPECT_FALSE(action("scrollshow")->isChecked());
  EXPECT_EQ(pct1->pos(), QPoint(-40, -108));
  trigger("scrollshow");
  EXPECT_FALSE(hbar->isHidden());
  EXPECT_EQ(hbar->value(), 40);
  EXPECT_EQ(pct1->pos(), QPoint(-40, -108));

  trigger("maximum");
  EXPECT_TRUE(hbar->isHidden());
  EXPECT_FALSE(menu("scrolls")->menuAction()->isEnabled());
  EXPECT_EQ(pct1->pos(), QPoint(0, 0));
}

TEST_F(MainFrames, AFrameChangeKeepsTheTopLeftContent) {
  const QImage before = window->canvasView()->canvasWidget()->image().copy();
  trigger("thumbnail");
  EXPECT_EQ(window->canvasView()->canvasWidget()->image(), before.copy(0, 0, 117, 90));
  trigger("supermaximum");
  const QImage big = window->canvasView()->canvasWidget()->image();
  ASSERT_EQ(big.size(), QSize(948, 651));
  EXPECT_EQ(big.copy(0, 0, 117, 90), before.copy(0, 0, 117, 90));
  EXPECT_EQ(big.pixel(500, 300) & 0xffffffu, 0u);  // new area: the background colour
  EXPECT_EQ(widget<QProgressBar>("PB")->width(), 117);
}

TEST_F(MainFrames, ARunFillsTheThumbnailCanvas) {
  trigger("thumbnail");
  createAndFinish();
  EXPECT_EQ(window->renderState().N1, 54);
  EXPECT_EQ(driver().columnsDone(), 55);  // Outward: columns 0 to 54
}

}  // namespace
}  // namespace orbisk::guitest
