#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

extern char** environ;

TChildProcess::~TChildProcess() { Kill(); }

bool TChildProcess::Start(std::vector<std::string> argv, const std::string& outputPath, int keepOpen) {
  const std::string output = outputPath.empty() ? "/dev/null" : outputPath;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  // The descriptor to keep must survive the exec; everything else the test
  // opens is close-on-exec.
  if (keepOpen >= 0) fcntl(keepOpen, F_SETFD, 0);

  std::vector<char*> args;
  for (std::string& arg : argv) args.push_back(arg.data());
  args.push_back(nullptr);
  const int error = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (keepOpen >= 0) fcntl(keepOpen, F_SETFD, FD_CLOEXEC);
  status.reset();
  if (error != 0) pid = -1;
  return pid > 0;
}

bool TChildProcess::Reap(bool block) {
  if (pid <= 0 || status) return true;
  int raw = 0;
  if (waitpid(pid, &raw, block ? 0 : WNOHANG) != pid) return false;
  status = WIFEXITED(raw) ? WEXITSTATUS(raw) : WIFSIGNALED(raw) ? 128 + WTERMSIG(raw) : -1;
  return true;
}

bool TChildProcess::Running() { return pid > 0 && !Reap(false); }

std::optional<int> TChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!Reap(false)) {
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return status;
}

void TChildProcess::Kill() {
  if (pid <= 0) return;
  if (!status) {
    kill(pid, SIGKILL);
    Reap(true);
  }
  pid = -1;
}
