#pragma once
// A child process of the store trials, started waiting at a gate so that
// the parent chooses the moment it begins its job, then killed or waited
// for. On POSIX systems a fork of this process. On Windows this program
// started again with CreateProcess, whose main() hands the new process to
// ServeTrialChild() before anything else; there a process takes tens of
// milliseconds to start (Wine's more), so the parent waits for the child to
// stand at its gate (AtGate) before it opens the gate, and children made
// one after another start side by side.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarq::testing {

// What a child does, in words, and what runs them: its result is the
// child's exit code.
using TrialJob = std::vector<std::string>;
using TrialRunner = int (*)(const TrialJob& job);

// In a process started as a TrialChild on Windows: waits at the gate, runs
// the job with `run` and exits with its result. Anywhere else it returns
// at once.
void ServeTrialChild(TrialRunner run);

class TrialChild final {
 public:
  // Starts a child that runs `job` with `run` once its gate opens.
  TrialChild(const TrialJob& job, TrialRunner run);
  ~TrialChild();  // a child still running is killed first
  TrialChild(const TrialChild&) = delete;
  TrialChild& operator=(const TrialChild&) = delete;

  // Waits for the child to stand at its gate; false when it never gets
  // there: it failed to start, or ended first (Wine now and then fails to
  // start a process: "failed to map the shared user data").
  bool AtGate();
  void Go();  // opens the gate
  // Ends it at once, where it stands: SIGKILL, TerminateProcess.
  void Kill();
  // Whether it has ended, without waiting.
  bool Ended();
  // Waits for it to end: its exit code, or -1 when it was killed or never
  // started.
  int Wait();

 private:
  bool Started() const { return process_ != -1; }

  std::intptr_t process_ = -1;  // the pid; the process handle
  std::intptr_t gate_ = -1;     // the pipe's end to write; the event to set
  std::intptr_t ready_ = -1;    // Windows: the event the child sets at its gate
  bool killed_ = false;
  std::optional<int> exitCode_;
};

}  // namespace tarq::testing
