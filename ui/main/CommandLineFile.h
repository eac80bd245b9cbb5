// The file named on the program's command line.
#pragma once

#include <QStringList>

namespace orbisk {

class MainWindow;

// Opens the first argument after the program's name that is not an option, as a file dropped
// on the window would be. Returns whether there was one.
bool openCommandLineFile(MainWindow& window, const QStringList& arguments);

}  // namespace orbisk
