// The built orbisk-render run as a child process, for what only a whole process shows: its exit
// status after a signal, a closed pipe or a memory limit, its stderr as the terminal sees it,
// and its peak memory.
#pragma once

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace orbisk {

// Size 1000 with the widest pen shape: a run of hours and a trace of gigabytes, for what must
// stop a run or cut it short.
inline const std::string kEndless =
    "1000,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,1,1,43,25,25,0,0\r\n";

// How the child is set up before it runs the command.
struct ChildSetup {
  rlim_t addressSpace = 0;          // RLIMIT_AS in bytes; 0: no limit
  bool stdoutIsClosedPipe = false;  // stdout is a pipe that nobody reads any more
  uid_t user = 0;                   // run as this user and group (needs root); 0: as we are
  rlim_t fileSize = 0;              // RLIMIT_FSIZE in bytes (ulimit -f); 0: no limit
};

// A finished child.
struct ChildResult {
  int status = -1;      // as waitpid gives it
  std::string stderr_;  // what the child wrote on stderr
  long maxRssKb = 0;    // its peak resident memory
};

// Starts orbisk-render with args; its stderr goes to errFile.
inline pid_t startRender(const std::vector<std::string>& args, const std::string& errFile,
                         const ChildSetup& setup = {}) {
  // Everything the child needs is made before the fork: a child of a threaded process may call
  // nothing but async-signal-safe functions until it runs the command.
  std::vector<std::string> words = args;
  words.insert(words.begin(), ORBISK_RENDER_EXE);
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  int pipeEnds[2] = {-1, -1};
  // The reading end is closed before the child exists: its first write finds no reader.
  if (setup.stdoutIsClosedPipe && ::pipe(pipeEnds) == 0) ::close(pipeEnds[0]);
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (setup.addressSpace != 0) {
      const rlimit limit{setup.addressSpace, setup.addressSpace};
      ::setrlimit(RLIMIT_AS, &limit);
    }
    // A signal that dumps core (SIGQUIT) leaves no core file behind the test.
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (setup.fileSize != 0) {
      const rlimit limit{setup.fileSize, setup.fileSize};
      ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ::dup2(err, 2);
    if (setup.user != 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(setup.user) != 0 || ::setuid(setup.user) != 0))
      ::_exit(126);
    if (setup.stdoutIsClosedPipe) ::dup2(pipeEnds[1], 1);
    ::execv(ORBISK_RENDER_EXE, argv.data());
    ::_exit(127);
  }
  if (setup.stdoutIsClosedPipe) ::close(pipeEnds[1]);
  return pid;
}

// Waits for the child started with errFile and collects what it left.
inline ChildResult finishRender(pid_t pid, const std::string& errFile) {
  ChildResult result;
  rusage usage{};
  ::wait4(pid, &result.status, 0, &usage);
  result.maxRssKb = usage.ru_maxrss;
  std::ifstream in(errFile, std::ios::binary);
  result.stderr_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return result;
}

inline ChildResult runRenderChild(const std::vector<std::string>& args, const std::string& errFile,
                                  const ChildSetup& setup = {}) {
  return finishRender(startRender(args, errFile, setup), errFile);
}

}  // namespace orbisk
