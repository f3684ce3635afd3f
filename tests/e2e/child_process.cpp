#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <thread>

extern char** environ;

namespace {

std::vector<std::string> MergedEnvironment(const TEnvironment& changes) {
  std::vector<std::string> merged;
  for (char** entry = environ; *entry; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('='));
    if (!changes.count(name)) merged.push_back(text);
  }
  for (const auto& [name, value] : changes) merged.push_back(name + "=" + value);
  return merged;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

int DecodeStatus(int raw) {
  if (WIFEXITED(raw)) return WEXITSTATUS(raw);
  if (WIFSIGNALED(raw)) return 128 + WTERMSIG(raw);
  return -1;
}

// Spawns with stdout and stderr sent to the descriptor output (or /dev/null).
pid_t Spawn(const std::vector<std::string>& argv, const TEnvironment& changes, int output, int keepOpen) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (output >= 0) {
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output, STDERR_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  }
  // The descriptor to keep must survive the exec; everything else the test
  // opens is close-on-exec.
  if (keepOpen >= 0) fcntl(keepOpen, F_SETFD, 0);

  std::vector<std::string> args = argv;
  std::vector<std::string> env = MergedEnvironment(changes);
  std::vector<char*> argp = Pointers(args);
  std::vector<char*> envp = Pointers(env);
  pid_t pid = -1;
  const int error = posix_spawnp(&pid, argp[0], &actions, nullptr, argp.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (keepOpen >= 0) fcntl(keepOpen, F_SETFD, FD_CLOEXEC);
  return error == 0 ? pid : -1;
}

}  // namespace

TChildProcess::~TChildProcess() { Kill(); }

bool TChildProcess::Start(const std::vector<std::string>& argv, const TEnvironment& changes,
                          const std::string& outputPath, int keepOpen) {
  int output = -1;
  if (!outputPath.empty()) {
    output = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (output < 0) return false;
  }
  pid = Spawn(argv, changes, output, keepOpen);
  if (output >= 0) close(output);
  status.reset();
  return pid > 0;
}

bool TChildProcess::Reap(bool block) {
  if (pid <= 0 || status) return true;
  int raw = 0;
  const pid_t done = waitpid(pid, &raw, block ? 0 : WNOHANG);
  if (done != pid) return false;
  status = DecodeStatus(raw);
  return true;
}

bool TChildProcess::Running() { return pid > 0 && !Reap(false); }

std::optional<int> TChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!Reap(false)) {
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
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

TCommandResult RunCommand(const std::vector<std::string>& argv, const TEnvironment& changes) {
  TCommandResult result;
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return result;
  const pid_t pid = Spawn(argv, changes, fds[1], -1);
  close(fds[1]);
  char buffer[4096];
  ssize_t n = 0;
  while ((n = read(fds[0], buffer, sizeof buffer)) > 0) result.output.append(buffer, static_cast<size_t>(n));
  close(fds[0]);
  if (pid <= 0) return result;
  int raw = 0;
  if (waitpid(pid, &raw, 0) == pid) result.status = DecodeStatus(raw);
  return result;
}
