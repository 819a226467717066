#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/wide.h"
#include "support/trial_child.h"

namespace tarq::testing {
namespace {

using platform::win32::Narrow;
using platform::win32::Wide;

// The job reaches the new process in this variable, one line each: the
// name of the event it sets when it stands at its gate, the name of the
// gate's event, then the job's words.
constexpr wchar_t kJobVariable[] = L"TARQ_TRIAL_CHILD";

// How long a child may take to reach its gate: Wine, busy, is slow.
constexpr DWORD kStartWait = 60000;

HANDLE AsHandle(std::intptr_t h) {
  return reinterpret_cast<HANDLE>(h);
}

std::wstring ThisProgram() {
  std::wstring self(32768, L'\0');
  self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
  return self;
}

}  // namespace

void ServeTrialChild(TrialRunner run) {
  const auto value = platform::win32::FilledText([](wchar_t* buffer, DWORD size) {
    return GetEnvironmentVariableW(kJobVariable, buffer, size);
  });
  if (!value) return;
  std::vector<std::string> lines;
  const std::string text = Narrow(*value);
  for (std::size_t at = 0; at <= text.size();) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  if (lines.size() < 2) ExitProcess(127);
  const HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, Wide(lines[0]).c_str());
  const HANDLE gate = OpenEventW(SYNCHRONIZE, FALSE, Wide(lines[1]).c_str());
  if (ready == nullptr || gate == nullptr) ExitProcess(127);
  SetEvent(ready);
  WaitForSingleObject(gate, INFINITE);
  ExitProcess(static_cast<UINT>(run(TrialJob(lines.begin() + 2, lines.end()))));
}

// The gate is a named event of this process's own that the child waits
// on, and another the child sets when it stands there.
TrialChild::TrialChild(const TrialJob& job, TrialRunner /*run*/) {
  static int serial = 0;
  const std::string name =
      "Local\\tarq-trial-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(serial++);
  const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, Wide(name + "-ready").c_str());
  const HANDLE gate = CreateEventW(nullptr, TRUE, FALSE, Wide(name + "-go").c_str());
  std::string value = name + "-ready\n" + name + "-go";
  for (const std::string& word : job) value += "\n" + word;

  const std::wstring self = ThisProgram();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  SetEnvironmentVariableW(kJobVariable, Wide(value).c_str());
  const BOOL created = ready != nullptr && gate != nullptr &&
                       CreateProcessW(self.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                                      nullptr, &startup, &child);
  SetEnvironmentVariableW(kJobVariable, nullptr);
  if (!created) {
    if (ready != nullptr) CloseHandle(ready);
    if (gate != nullptr) CloseHandle(gate);
    return;
  }
  CloseHandle(child.hThread);
  process_ = reinterpret_cast<std::intptr_t>(child.hProcess);
  gate_ = reinterpret_cast<std::intptr_t>(gate);
  ready_ = reinterpret_cast<std::intptr_t>(ready);
}

TrialChild::~TrialChild() {
  if (Started() && !exitCode_) {
    Kill();
    Wait();
  }
  for (const std::intptr_t h : {gate_, ready_, process_}) {
    if (h != -1) CloseHandle(AsHandle(h));
  }
}

bool TrialChild::AtGate() {
  if (ready_ == -1) return false;
  const HANDLE readyOrEnded[] = {AsHandle(ready_), AsHandle(process_)};
  return WaitForMultipleObjects(2, readyOrEnded, FALSE, kStartWait) == WAIT_OBJECT_0;
}

void TrialChild::Go() {
  if (gate_ == -1) return;
  SetEvent(AsHandle(gate_));
  CloseHandle(AsHandle(gate_));
  gate_ = -1;
}

void TrialChild::Kill() {
  if (Started() && !exitCode_) killed_ = TerminateProcess(AsHandle(process_), 1) != 0;
}

bool TrialChild::Ended() {
  if (!Started() || exitCode_) return true;
  if (WaitForSingleObject(AsHandle(process_), 0) != WAIT_OBJECT_0) return false;
  Wait();
  return true;
}

int TrialChild::Wait() {
  if (!Started()) return -1;
  if (!exitCode_) {
    WaitForSingleObject(AsHandle(process_), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(AsHandle(process_), &code);
    exitCode_ = killed_ ? -1 : static_cast<int>(code);
  }
  return *exitCode_;
}

}  // namespace tarq::testing
