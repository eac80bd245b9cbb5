// The history window: newest first, Star keeps an entry, Delete removes one, Enter brings the
// selected one back.
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFileInfo>
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
  form.show();
  QApplication::setActiveWindow(&form);
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

// The Delete key works wherever the focus is in the window: on the list, and on Star just
// clicked (the entry is starred then, so Delete asks first).
TEST(HistoryForm, TheDeleteKeyWorksWhereverTheFocusIsInTheWindow) {
  for (const char* focused : {"historylist", "historystar", "historysavedata"}) {
    SCOPED_TRACE(focused);
    QTemporaryDir folder;
    HistoryStore store(folder.path());
    const QDateTime start = QDateTime::fromSecsSinceEpoch(1'800'000'000, Qt::UTC);
    QImage thumbnail(30, 20, QImage::Format_RGB32);
    thumbnail.fill(Qt::green);
    for (int i = 0; i < 2; ++i) store.add(QString("record %1").arg(i), thumbnail, start.addSecs(i));
    ScriptedDialogs dialogs;
    dialogs.answerYes = true;
    HistoryForm form(store, dialogs);
    form.show();
    QApplication::setActiveWindow(&form);
    auto* target = child<QWidget>(form, focused);
    target->setFocus();
    if (target->objectName() == "historystar") press(form, "historystar");
    sendKey(target, Qt::Key_Delete);
    EXPECT_EQ(store.entries().size(), 1u);
    EXPECT_EQ(form.entryCount(), 1);
  }
}

// A history the program may not change: an entry that is a folder, or a read-only folder (which
// root writes all the same, so that case is tried for other users only). Delete and Star say
// what failed, and the window, and a window opened afresh, show what the folder holds.
TEST(HistoryForm, DeleteAndStarThatFailSayWhyAndTheWindowStaysTrueToTheDisk) {
  struct Case {
    const char* label;
    bool readOnlyFolder;  // else the entry is a folder
    const char* reason;   // the end of every message
  };
  const Case cases[] = {{"an entry that is a folder", false, "it is a folder, not a file"},
                        {"a read-only folder", true, "Permission denied"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    if (c.readOnlyFolder && ::geteuid() == 0) continue;
    QTemporaryDir folder;
    const QByteArray native = QFile::encodeName(folder.path());
    HistoryStore store(folder.path());
    const QDateTime time = QDateTime::fromSecsSinceEpoch(1'800'000'000, Qt::UTC);
    if (c.readOnlyFolder) {
      QImage thumbnail(30, 20, QImage::Format_RGB32);
      thumbnail.fill(Qt::red);
      ASSERT_TRUE(store.add("kept", thumbnail, time));
      ASSERT_EQ(::chmod(native.constData(), 0555), 0);
    } else {
      ASSERT_TRUE(
          QDir(folder.path()).mkdir(HistoryStore::fileNameOf(time.toMSecsSinceEpoch(), 1, false)));
    }
    ScriptedDialogs dialogs;
    dialogs.answerYes = true;
    HistoryForm form(store, dialogs);
    ASSERT_EQ(form.entryCount(), 1);
    const QString file = form.selectedEntry()->file;
    const QString path = folder.filePath(file);
    press(form, "historydelete");
    press(form, "historystar");
    ASSERT_EQ(dialogs.warnings.size(), 2u);
    int i = 0;
    for (const char* verb : {"deleted", "starred"}) {
      EXPECT_EQ(dialogs.warnings[i].title, "Orbisk - History");
      EXPECT_EQ(dialogs.warnings[i++].text,
                QString("The picture \"%1\" cannot be %2: %3.").arg(path, verb, c.reason));
    }
    ASSERT_EQ(form.entryCount(), 1);
    EXPECT_EQ(form.selectedEntry()->file, file);
    EXPECT_FALSE(form.selectedEntry()->starred);
    EXPECT_TRUE(QFileInfo::exists(path));
    HistoryStore reopened(folder.path());
    ASSERT_EQ(reopened.entries().size(), 1u);
    EXPECT_EQ(reopened.entries()[0].file, file);
    ::chmod(native.constData(), 0755);
  }
}

}  // namespace
}  // namespace orbisk::guitest
