// Temporary files and folders that a signal must not leave behind: while a file is written under
// a temporary name, or a folder of files is filled under one, the name is listed here, and the
// handlers installed by removeTemporariesOnSignals remove every listed file, and every listed
// folder with the files in it, before the process ends.
#pragma once

#include <signal.h>

namespace orbisk {

// Lists a temporary file; returns its slot, or -1 when every slot is taken or the name is too
// long to list (the file is then still removed by its writer, only not on a signal).
int listTemporary(const char* path);

// Takes the file of slot (from listTemporary; -1 is ignored) off the list.
void unlistTemporary(int slot);

// Lists a temporary folder that only this program writes into (a folder of frames filled before
// it takes its name); on a signal every file in it is removed, then the folder. Returns its slot,
// or -1 as listTemporary does.
int listTemporaryFolder(const char* path);

// Takes the folder of slot (from listTemporaryFolder; -1 is ignored) off the list.
void unlistTemporaryFolder(int slot);

// The signals whose default action ends the process and that a user or a system sends on
// purpose (SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGVTALRM, SIGXCPU);
// count of them in *count.
const int* terminatingSignals(int* count);

// Adds every terminating signal to set.
void addTerminatingSignals(sigset_t& set);

// Holds the terminating signals back in the calling thread while it lives (they wait, and arrive
// once it ends): around making and listing a temporary, around giving it its final name, and
// around starting threads, which keep the mask, so that the signals reach the thread that lists.
class TerminatingSignalsHeld {
 public:
  TerminatingSignalsHeld();
  ~TerminatingSignalsHeld();
  TerminatingSignalsHeld(const TerminatingSignalsHeld&) = delete;
  TerminatingSignalsHeld& operator=(const TerminatingSignalsHeld&) = delete;

 private:
  sigset_t previous_;  // the mask to restore
};

// For a command-line program: each terminating signal removes every listed temporary file and
// folder and then ends the process as the signal would have (same exit status). A signal the
// process was started with ignored (nohup) stays ignored.
void removeTemporariesOnSignals();

}  // namespace orbisk
