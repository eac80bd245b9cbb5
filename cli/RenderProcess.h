// What the orbisk-render process sets up before it runs the command.
#pragma once

namespace orbisk {

// A closed pipe becomes a write error with a message instead of a silent death (SIGPIPE);
// SIGINT, SIGTERM and SIGHUP remove the temporary files of the outputs before the process ends
// as the signal says; the libraries' warnings (a damaged chunk the PNG decoder skips) stay off
// stderr, where the command's one-line message is all there is.
void prepareRenderProcess();

}  // namespace orbisk
