// "Hints and tips" and "About..." opened from the main window's Help menu.
#include <QAbstractButton>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>

#include "tests/ui/GuiTestSupport.h"
#include "ui/editors/AboutForm.h"
#include "ui/editors/HintsForm.h"

namespace orbisk::guitest {
namespace {

using HelpWindows = MainFixture;

TEST_F(HelpWindows, HintsOpenOnceAndShowTheirTextOnceAfterReopening) {
  for (int opening = 0; opening < 2; ++opening) {
    SCOPED_TRACE(opening);
    trigger("hints");
    // A second choice of the item while the window is open brings the same window forward.
    trigger("hints");
    const auto open = window->findChildren<HintsForm*>();
    ASSERT_EQ(open.size(), 1);
    QPointer<HintsForm> hints = open.first();
    EXPECT_TRUE(hints->isVisible());
    EXPECT_TRUE(hints->isWindow());
    auto* text = hints->findChild<QPlainTextEdit*>("hintstext");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->toPlainText(), HintsForm::helpText());
    EXPECT_EQ(text->toPlainText().count("1. HOW TO"), 1);

    QAbstractButton* close = buttonWithText(hints, "&Close");
    ASSERT_NE(close, nullptr);
    close->click();
    flushDeletes();
    EXPECT_TRUE(hints.isNull());
  }
}

TEST_F(HelpWindows, HintsReopenedBeforeTheOldWindowIsGoneAreBuiltAfresh) {
  trigger("hints");
  QPointer<HintsForm> first = window->findChild<HintsForm*>();
  ASSERT_FALSE(first.isNull());
  first->close();  // deleted only once control returns to the event loop
  trigger("hints");
  flushDeletes();
  EXPECT_TRUE(first.isNull());
  const auto open = window->findChildren<HintsForm*>();
  ASSERT_EQ(open.size(), 1);
  EXPECT_TRUE(open.first()->isVisible());
}

TEST_F(HelpWindows, AboutWidensTwiceThroughTheMenuAndReopensNarrow) {
  trigger("about");
  QPointer<AboutForm> about = window->findChild<AboutForm*>();
  ASSERT_FALSE(about.isNull());
  EXPECT_TRUE(about->isVisible());
  EXPECT_EQ(about->width(), AboutForm::kNarrowWidth);
  auto* icon = about->findChild<QLabel*>("iconpicture");
  ASSERT_NE(icon, nullptr);
  const int screenWidth = about->screen()->geometry().width();
  for (int clicks = 1; clicks <= 2; ++clicks) {
    click(icon);
    EXPECT_EQ(about->frameGeometry().width(), 529) << "after click " << clicks;
    EXPECT_EQ(about->frameGeometry().x(), (screenWidth - 529) / 2) << "after click " << clicks;
  }
  trigger("about");  // already open: brought forward as it is
  EXPECT_EQ(window->findChildren<AboutForm*>().size(), 1);
  EXPECT_EQ(about->frameGeometry().width(), 529);

  QAbstractButton* ok = buttonWithText(about, "&OK");
  ASSERT_NE(ok, nullptr);
  ok->click();
  flushDeletes();
  EXPECT_TRUE(about.isNull());

  trigger("about");
  auto* reopened = window->findChild<AboutForm*>();
  ASSERT_NE(reopened, nullptr);
  EXPECT_EQ(reopened->width(), AboutForm::kNarrowWidth);
}

TEST_F(HelpWindows, ExitClosesBothWindows) {
  trigger("hints");
  trigger("about");
  QPointer<HintsForm> hints = window->findChild<HintsForm*>();
  QPointer<AboutForm> about = window->findChild<AboutForm*>();
  ASSERT_TRUE(hints && about);
  dialogs.answerYes = true;
  trigger("exit");
  flushDeletes();
  EXPECT_TRUE(hints.isNull());
  EXPECT_TRUE(about.isNull());
}

}  // namespace
}  // namespace orbisk::guitest
