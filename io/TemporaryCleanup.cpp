#include "io/TemporaryCleanup.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
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

// A command fills one folder of frames at a time; the desktop may make a few films at once.
constexpr int kFolderSlots = 4;

Slot slots[kSlots];
Slot folderSlots[kFolderSlots];

template <int N>
int listIn(Slot (&list)[N], const char* path) {
  const std::size_t length = std::strlen(path);
  if (length >= PATH_MAX) return -1;
  for (int i = 0; i < N; ++i) {
    if (list[i].taken.exchange(true, std::memory_order_acquire)) continue;
    std::memcpy(list[i].path, path, length + 1);
    list[i].listed.store(true, std::memory_order_release);
    return i;
  }
  return -1;
}

template <int N>
void unlistIn(Slot (&list)[N], int slot) {
  if (slot < 0 || slot >= N) return;
  list[slot].listed.store(false, std::memory_order_release);
  list[slot].taken.store(false, std::memory_order_release);
}

// Removes every file in folder, then the folder, with system calls only (a signal handler may
// not allocate, so no opendir). Removing names while the folder is read may make the reading
// skip some, and another thread may still add a file meanwhile: the folder is read again until
// it can be removed, a few times at most.
// Where the folder cannot be read this way (the page's WebAssembly build, which has no signals
// to clean up after), only an empty folder is removed.
void removeFolderOfFiles(const char* folder) {
#if defined(__EMSCRIPTEN__) || !defined(__linux__)
  ::rmdir(folder);
#else
  constexpr int kPasses = 8;
  alignas(struct dirent64) char entries[4096];
  for (int pass = 0; pass < kPasses; ++pass) {
    const int fd = ::open(folder, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return;
    ssize_t bytes = 0;
    while ((bytes = ::getdents64(fd, entries, sizeof entries)) > 0) {
      for (ssize_t at = 0; at < bytes;) {
        const auto* entry = reinterpret_cast<const struct dirent64*>(entries + at);
        at += entry->d_reclen;
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        ::unlinkat(fd, name, 0);
      }
    }
    ::close(fd);
    if (::rmdir(folder) == 0 || errno != ENOTEMPTY) return;
  }
#endif
}

extern "C" void removeAndReraise(int signal) {
  for (Slot& slot : slots) {
    if (slot.listed.load(std::memory_order_acquire)) ::unlink(slot.path);
  }
  for (Slot& slot : folderSlots) {
    if (slot.listed.load(std::memory_order_acquire)) removeFolderOfFiles(slot.path);
  }
  // The handler was reset to the default on entry; the signal, blocked until the handler
  // returns, then ends the process with the status the caller expects of it.
  ::raise(signal);
}

}  // namespace

int listTemporary(const char* path) {
  return listIn(slots, path);
}

void unlistTemporary(int slot) {
  unlistIn(slots, slot);
}

int listTemporaryFolder(const char* path) {
  return listIn(folderSlots, path);
}

void unlistTemporaryFolder(int slot) {
  unlistIn(folderSlots, slot);
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

TerminatingSignalsHeld::TerminatingSignalsHeld() {
  sigset_t held;
  sigemptyset(&held);
  addTerminatingSignals(held);
  ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
}

TerminatingSignalsHeld::~TerminatingSignalsHeld() {
  const int error = errno;
  ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  errno = error;
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
