// What the orbisk-render process sets up before it runs the command.
#pragma once

namespace orbisk {

// A closed pipe and a file past ulimit -f become write errors with a message instead of a
// silent death (SIGPIPE, SIGXFSZ); SIGINT, SIGTERM, SIGQUIT and the other terminating signals
// remove the temporary files of the outputs before the process ends as the signal says; the
// libraries' warnings (a damaged chunk the PNG decoder skips) stay off stderr, where the command's
// one-line message is all there is.
void prepareRenderProcess();

}  // namespace orbisk
