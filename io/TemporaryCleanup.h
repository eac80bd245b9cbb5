// Temporary files that a signal must not leave behind: while a file is written under a
// temporary name, the name is listed here, and the handlers installed by
// removeTemporariesOnSignals remove every listed file before the process ends.
#pragma once

namespace orbisk {

// Lists a temporary file; returns its slot, or -1 when every slot is taken or the name is too
// long to list (the file is then still removed by its writer, only not on a signal).
int listTemporary(const char* path);

// Takes the file of slot (from listTemporary; -1 is ignored) off the list.
void unlistTemporary(int slot);

// For a command-line program: SIGINT, SIGTERM and SIGHUP remove every listed temporary file and
// then end the process as the signal would have (same exit status).
void removeTemporariesOnSignals();

}  // namespace orbisk
