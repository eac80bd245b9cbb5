// The history window: newest first, Star keeps an entry, Delete removes one, Enter brings the
// selected one back.
#include <QKeyEvent>
#include <QListView>
#include <QTemporaryDir>

#include "GuiTestSupport.h"
#include "ui/explore/HistoryForm.h"

namespace orbisk::guitest {
namespace {

TEST(HistoryForm, ListsNewestFirstStarsDeletesAndBringsBack) {
  QTemporaryDir folder;
  HistoryStore store(folder.path());
  QImage thumbnail(30, 20, QImage::Format_RGB32);
  thumbnail.fill(Qt::red);
  const QDateTime start = QDateTime::fromSecsSinceEpoch(1'800'000'000, Qt::UTC);
  for (int i = 0; i < 3; ++i) store.add(QString("record %1").arg(i), thumbnail, start.addSecs(i));

  ScriptedDialogs dialogs;
  HistoryForm form(store, dialogs);
  EXPECT_EQ(form.windowTitle(), "Orbisk - History");
  ASSERT_EQ(form.entryCount(), 3);
  EXPECT_EQ(store.record(*form.selectedEntry()), QString("record 2"));

  form.select(2);
  press(form, "historystar");
  ASSERT_TRUE(form.selectedEntry()->starred);
  EXPECT_EQ(store.record(*form.selectedEntry()), QString("record 0"));
  EXPECT_TRUE(HistoryForm(store, dialogs)
                  .list()
                  ->model()
                  ->index(2, 0)
                  .data()
                  .toString()
                  .startsWith(QStringLiteral("\u2605")));

  form.select(1);
  QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QApplication::sendEvent(form.list(), &del);
  ASSERT_EQ(store.entries().size(), 2u);
  EXPECT_TRUE(dialogs.questions.empty());  // an entry not starred goes at once

  std::vector<HistoryStore::Entry> broughtBack;
  QObject::connect(&form, &HistoryForm::bringBack,
                   [&](const HistoryStore::Entry& entry) { broughtBack.push_back(entry); });
  form.select(0);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(form.list(), &enter);
  ASSERT_EQ(broughtBack.size(), 1u);
  EXPECT_EQ(store.record(broughtBack[0]), QString("record 2"));
}

TEST(HistoryForm, StarTogglesAndSaysWhatItWillDoAndAStarredDeleteAsksFirst) {
  QTemporaryDir folder;
  HistoryStore store(folder.path());
  QImage thumbnail(30, 20, QImage::Format_RGB32);
  thumbnail.fill(Qt::blue);
  store.add("the one", thumbnail, QDateTime::fromSecsSinceEpoch(1'800'000'000, Qt::UTC));
  ScriptedDialogs dialogs;
  HistoryForm form(store, dialogs);
  auto* star = child<QAbstractButton>(form, "historystar");
  EXPECT_EQ(star->text(), "&Star");
  star->click();
  EXPECT_TRUE(form.selectedEntry()->starred);
  EXPECT_EQ(star->text(), "Un&star");
  star->click();
  EXPECT_FALSE(form.selectedEntry()->starred);
  EXPECT_EQ(star->text(), "&Star");
  star->click();

  // The starred entry goes only when the user says Yes.
  for (const bool yes : {false, true}) {
    SCOPED_TRACE(yes);
    dialogs.answerYes = yes;
    dialogs.questions.clear();
    press(form, "historydelete");
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].title, "Orbisk - History");
    EXPECT_EQ(dialogs.questions[0].text, "Delete this starred picture from the history?");
    EXPECT_EQ(store.entries().size(), yes ? 0u : 1u);
  }
  EXPECT_EQ(form.entryCount(), 0);
  EXPECT_FALSE(star->isEnabled());
}

}  // namespace
}  // namespace orbisk::guitest
