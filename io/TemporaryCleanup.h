// Temporary files that a signal must not leave behind: while a file is written under a
// temporary name, the name is listed here, and the handlers installed by
// removeTemporariesOnSignals remove every listed file before the process ends.
#pragma once

#include <signal.h>

namespace orbisk {

// Lists a temporary file; returns its slot, or -1 when every slot is taken or the name is too
// long to list (the file is then still removed by its writer, only not on a signal).
int listTemporary(const char* path);

// Takes the file of slot (from listTemporary; -1 is ignored) off the list.
void unlistTemporary(int slot);

// The signals whose default action ends the process and that a user or a system sends on
// purpose (SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGVTALRM, SIGXCPU);
// count of them in *count.
const int* terminatingSignals(int* count);

// Adds every terminating signal to set.
void addTerminatingSignals(sigset_t& set);

// For a command-line program: each terminating signal removes every listed temporary file and
// then ends the process as the signal would have (same exit status). A signal the process was
// started with ignored (nohup) stays ignored.
void removeTemporariesOnSignals();

}  // namespace orbisk
