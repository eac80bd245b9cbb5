// Runs the GUI tests inside one QApplication on Qt's offscreen platform: no display needed.
#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  // Every window keeps its history of pictures under the user's data folder: here a temporary
  // one, so no test ever writes to the real one.
  QTemporaryDir dataHome;
  if (!dataHome.isValid()) return 2;
  qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
  // ORBISK_GUI_TEST_PLATFORM=xcb runs them on an X server instead, for the few checks of what
  // the window manager is given; they are skipped offscreen.
  QByteArray platform = qgetenv("ORBISK_GUI_TEST_PLATFORM");
  if (platform.isEmpty()) {
    platform = "offscreen";
    // ORBISK_GUI_TEST_SCREEN=1600x1200 gives the offscreen desktop one screen of that many
    // device pixels instead of its usual 800 x 600.
    const QByteArray screen = qgetenv("ORBISK_GUI_TEST_SCREEN");
    const QList<QByteArray> size = screen.split('x');
    if (size.size() == 2 && size[0].toInt() > 0 && size[1].toInt() > 0) {
      QFile config(dataHome.filePath("screen.json"));
      if (!config.open(QIODevice::WriteOnly)) return 2;
      config.write(R"({"screens": [{"name": "OffscreenScreen", "x": 0, "y": 0, "width": )" +
                   size[0] + R"(, "height": )" + size[1] +
                   R"(, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
      config.close();
      platform += ":configfile=" + QFile::encodeName(config.fileName());
    }
  }
  qputenv("QT_QPA_PLATFORM", platform);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
