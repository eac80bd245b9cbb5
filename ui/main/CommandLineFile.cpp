#include "ui/main/CommandLineFile.h"

#include "ui/main/MainWindow.h"

namespace orbisk {

bool openCommandLineFile(MainWindow& window, const QStringList& arguments) {
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i].startsWith('-')) continue;
    window.openFile(arguments[i]);
    return true;
  }
  return false;
}

}  // namespace orbisk
