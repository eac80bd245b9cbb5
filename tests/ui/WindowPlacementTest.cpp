// Where the explore windows open, and Escape closing them and the other windows that show
// something to read. CTest runs the placement once more on
// a 1600 x 1200 desktop scaled to twice the size, where a window placed before its layout has
// sized it runs off the screen.
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>

#include "tests/ui/GuiTestSupport.h"
#include "ui/editors/HintsForm.h"
#include "ui/explore/GalleryForm.h"
#include "ui/explore/HistoryForm.h"

namespace orbisk::guitest {
namespace {

struct ExploreWindow {
  const char* item;        // the menu item that opens it
  const char* objectName;  // the window's
};

constexpr ExploreWindow kExploreWindows[] = {{"gallery", "galleryform"},
                                             {"history", "historyform"}};

struct WindowPlacement : MainFixture {
  std::unique_ptr<MainWindow> ready = readyWindow();

  QWidget* open(const char* item, const char* objectName) {
    trigger(*ready, item);
    auto* opened = ready->findChild<QWidget*>(objectName);
    if (opened) QApplication::setActiveWindow(opened);
    return opened;
  }
};

TEST_F(WindowPlacement, ExploreWindowsOpenCentredWhollyOnTheScreen) {
  for (const ExploreWindow& w : kExploreWindows) {
    SCOPED_TRACE(w.objectName);
    QWidget* opened = open(w.item, w.objectName);
    ASSERT_NE(opened, nullptr);
    const QRect screen = opened->screen()->availableGeometry();
    const QRect frame = opened->frameGeometry();
    EXPECT_TRUE(screen.contains(frame))
        << "frame " << frame.x() << "," << frame.y() << " " << frame.width() << "x"
        << frame.height() << " on " << screen.width() << "x" << screen.height();
    EXPECT_LE((frame.center() - screen.center()).manhattanLength(), 2);
    // Every button is on the screen too.
    for (QAbstractButton* button : opened->findChildren<QAbstractButton*>()) {
      const QRect placed(button->mapToGlobal(QPoint(0, 0)), button->size());
      EXPECT_TRUE(screen.contains(placed)) << button->objectName().toStdString();
    }
    opened->close();
  }
}

TEST_F(WindowPlacement, EscapeClosesEveryWindowOfTheHelpDataAndExploreMenus) {
  const ExploreWindow windows[] = {{"hints", "hintsform"},
                                   {"about", "aboutform"},
                                   {"viewdata", "viewdataform"},
                                   kExploreWindows[0],
                                   kExploreWindows[1]};
  QTemporaryDir folder;
  const QString data = folder.filePath("start.dat");
  QFile file(data);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray::fromStdString(formatRecord(PictureParams{})));
  file.close();
  for (const ExploreWindow& w : windows) {
    SCOPED_TRACE(w.objectName);
    dialogs.fileAnswers.push_back(data);  // View data asks for its file first
    QPointer<QWidget> opened = open(w.item, w.objectName);
    if (w.item != std::string("viewdata")) dialogs.fileAnswers.clear();
    ASSERT_FALSE(opened.isNull());
    ASSERT_TRUE(opened->isVisible());
    QWidget* focused = opened->focusWidget() ? opened->focusWidget() : opened.data();
    sendKey(focused, Qt::Key_Escape);
    flushDeletes();
    EXPECT_TRUE(opened.isNull() || !opened->isVisible());
  }
}

}  // namespace
}  // namespace orbisk::guitest
