// Runs the GUI tests inside one QApplication on Qt's offscreen platform: no display needed.
#include <gtest/gtest.h>
#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  // ORBISK_GUI_TEST_PLATFORM=xcb runs them on an X server instead, for the few checks of what
  // the window manager is given; they are skipped offscreen.
  qputenv("QT_QPA_PLATFORM", qgetenv("ORBISK_GUI_TEST_PLATFORM").isEmpty()
                                 ? QByteArray("offscreen")
                                 : qgetenv("ORBISK_GUI_TEST_PLATFORM"));
  // Every window keeps its history of pictures under the user's data folder: here a temporary
  // one, so no test ever writes to the real one.
  QTemporaryDir dataHome;
  if (!dataHome.isValid()) return 2;
  qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
