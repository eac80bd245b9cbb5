#include "cli/RenderProcess.h"

#include <signal.h>

#include <QString>
#include <QtGlobal>
#include <cstdio>

#include "io/ShownText.h"
#include "io/TemporaryCleanup.h"

namespace orbisk {

namespace {

// Qt's own messages, and those it passes on from libpng and the other decoders, describe what
// the command then reports itself in one line (or what it could read anyway). A fatal one still
// says why the process ends.
void keepLibraryMessagesOffStderr(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtFatalMsg)
    std::fprintf(stderr, "orbisk-render: %s\n", shownText(text.toStdString()).c_str());
}

}  // namespace

void prepareRenderProcess() {
  ::signal(SIGPIPE, SIG_IGN);
  // A file larger than ulimit -f then fails its write with EFBIG, reported as any other failed
  // write, instead of ending the process and leaving its temporary files.
  ::signal(SIGXFSZ, SIG_IGN);
  removeTemporariesOnSignals();
  qInstallMessageHandler(keepLibraryMessagesOffStderr);
}

}  // namespace orbisk
