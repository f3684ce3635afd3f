#pragma once
// Child processes of the test: the X server, the program under test and the
// input tool. Each is ended when its owner goes.

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

class TChildProcess {
 public:
  TChildProcess() = default;
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;
  ~TChildProcess();

  // Starts argv[0] (looked up in PATH) in the test's environment; its
  // standard output and error go to outputPath (or nowhere when empty), and
  // the descriptor keepOpen, when not -1, stays open in the child.
  bool Start(std::vector<std::string> argv, const std::string& outputPath, int keepOpen = -1);

  bool Running();
  // The exit status once the child has ended within the timeout: the exit
  // code, or 128 + signal number.
  std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
  void Kill();

 private:
  bool Reap(bool block);

  pid_t pid = -1;
  std::optional<int> status;
};
