#include "io/TemporaryCleanup.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace orbisk {

namespace {

// A command writes at most a few files at once (a picture and its trace); a program saving
// several pictures at a time still fits.
constexpr int kSlots = 16;

// One listed name. The handler reads it only while listed is set, and a writer fills the name
// before it sets listed, so the handler never sees half a name.
struct Slot {
  std::atomic<bool> taken{false};   // owned by a writer (the name may still be being filled)
  std::atomic<bool> listed{false};  // the name is complete and the file is to be removed
  char path[PATH_MAX] = {};
};

Slot slots[kSlots];

extern "C" void removeAndReraise(int signal) {
  for (Slot& slot : slots) {
    if (slot.listed.load(std::memory_order_acquire)) ::unlink(slot.path);
  }
  // The handler was reset to the default on entry; the signal, blocked until the handler
  // returns, then ends the process with the status the caller expects of it.
  ::raise(signal);
}

}  // namespace

int listTemporary(const char* path) {
  const std::size_t length = std::strlen(path);
  if (length >= PATH_MAX) return -1;
  for (int i = 0; i < kSlots; ++i) {
    if (slots[i].taken.exchange(true, std::memory_order_acquire)) continue;
    std::memcpy(slots[i].path, path, length + 1);
    slots[i].listed.store(true, std::memory_order_release);
    return i;
  }
  return -1;
}

void unlistTemporary(int slot) {
  if (slot < 0 || slot >= kSlots) return;
  slots[slot].listed.store(false, std::memory_order_release);
  slots[slot].taken.store(false, std::memory_order_release);
}

const int* terminatingSignals(int* count) {
  static const int kSignals[] = {SIGINT,  SIGTERM, SIGHUP,    SIGQUIT, SIGUSR1,
                                 SIGUSR2, SIGALRM, SIGVTALRM, SIGXCPU};
  *count = static_cast<int>(sizeof kSignals / sizeof kSignals[0]);
  return kSignals;
}

void addTerminatingSignals(sigset_t& set) {
  int count = 0;
  const int* signals = terminatingSignals(&count);
  for (int i = 0; i < count; ++i) sigaddset(&set, signals[i]);
}

void removeTemporariesOnSignals() {
  struct sigaction action {};
  action.sa_handler = removeAndReraise;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  // Any of them arriving while another is handled waits, so no file is removed twice while a
  // writer reuses its slot.
  addTerminatingSignals(action.sa_mask);
  int count = 0;
  const int* signals = terminatingSignals(&count);
  for (int i = 0; i < count; ++i) {
    struct sigaction previous {};
    if (::sigaction(signals[i], nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN)
      continue;
    ::sigaction(signals[i], &action, nullptr);
  }
}

}  // namespace orbisk
