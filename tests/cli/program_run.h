// Runs a built program as a user or a script would: in a child process with
// its standard streams set up as asked, ended by SIGALRM after 30 s if it
// hangs (exit code 142).
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace zc::test {

struct ProgramRun {
  int exitCode = -1;
  std::string out;  // empty when standard output went to the caller's descriptor
  std::string err;
};

struct RunStreams {
  std::string inputPath = "/dev/null";  // opened as standard input (a file, a folder, a device)
  int output = -1;                      // standard output; -1: collected into ProgramRun::out
  rlim_t memoryLimit = RLIM_INFINITY;   // address space
  bool ignoreSigpipe = false;           // as a script's shell may have it: a closed pipe fails the write
  bool withoutDisplay = false;          // no X server, no Wayland compositor, no Qt platform chosen
};

inline std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline ProgramRun RunProgram(const char* path, const std::vector<std::string>& args, const RunStreams& streams = {}) {
  TempDir io;
  const pid_t child = fork();
  if (child == 0) {
    const int in = open(streams.inputPath.c_str(), O_RDONLY);
    const int out =
        streams.output >= 0 ? streams.output : open(io.File("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(io.File("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    if (streams.ignoreSigpipe) signal(SIGPIPE, SIG_IGN);
    const rlimit limit{streams.memoryLimit, streams.memoryLimit};
    setrlimit(RLIMIT_AS, &limit);
    if (streams.withoutDisplay) {
      unsetenv("DISPLAY");
      unsetenv("WAYLAND_DISPLAY");
      unsetenv("QT_QPA_PLATFORM");
    }
    alarm(30);
    std::vector<char*> argv{const_cast<char*>(path)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(path, argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ProgramRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  if (streams.output < 0) run.out = Slurp(io.File("out"));
  run.err = Slurp(io.File("err"));
  return run;
}

}  // namespace zc::test
