#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "support/trial_child.h"

namespace tarq::testing {
namespace {

int ExitCode(int status, bool killed) {
  return !killed && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

// A fork runs its job from the fork itself.
void ServeTrialChild(TrialRunner /*run*/) {}

// The gate is a pipe: the child reads one byte from it before its job.
TrialChild::TrialChild(const TrialJob& job, TrialRunner run) {
  int gate[2];
  if (::pipe(gate) != 0) return;
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(gate[1]);
    char go = 0;
    ssize_t got = 0;
    while ((got = ::read(gate[0], &go, 1)) < 0 && errno == EINTR) {
    }
    ::_exit(got == 1 ? run(job) : 127);
  }
  ::close(gate[0]);
  if (child < 0) {
    ::close(gate[1]);
    return;
  }
  process_ = child;
  gate_ = gate[1];
}

TrialChild::~TrialChild() {
  if (Started() && !exitCode_) {
    Kill();
    Wait();
  }
  if (gate_ != -1) ::close(static_cast<int>(gate_));
}

// A fork stands at its gate from the start.
bool TrialChild::AtGate() {
  return Started();
}

void TrialChild::Go() {
  if (gate_ == -1) return;
  const char go = 1;
  while (::write(static_cast<int>(gate_), &go, 1) < 0 && errno == EINTR) {
  }
  ::close(static_cast<int>(gate_));
  gate_ = -1;
}

void TrialChild::Kill() {
  if (Started() && !exitCode_) killed_ = ::kill(static_cast<pid_t>(process_), SIGKILL) == 0;
}

bool TrialChild::Ended() {
  if (!Started() || exitCode_) return true;
  int status = 0;
  if (::waitpid(static_cast<pid_t>(process_), &status, WNOHANG) != process_) return false;
  exitCode_ = ExitCode(status, killed_);
  return true;
}

int TrialChild::Wait() {
  if (!Started()) return -1;
  if (!exitCode_) {
    int status = 0;
    while (::waitpid(static_cast<pid_t>(process_), &status, 0) < 0 && errno == EINTR) {
    }
    exitCode_ = ExitCode(status, killed_);
  }
  return *exitCode_;
}

}  // namespace tarq::testing
