#include "support/store_trials.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <chrono>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <thread>
#include <vector>

#include "catalogue/comment_store.h"
#include "platform/fs.h"
#include "support/temp_dir.h"
#include "support/trial_child.h"

#ifdef _WIN32
#include "platform/win32/wide.h"
#endif

namespace tarq::testing {
namespace {

using catalogue::CommentStore;
using catalogue::StoreStatus;

StoreStatus Edit(const CommentStore& store, StoreEdit edit) {
  return edit == StoreEdit::kSave ? store.SaveComment("m7.bsp", "☆", "killed")
                                  : store.DeleteComment("m7.bsp");
}

int Temporaries(const std::string& folder) {
  int count = 0;
  for (const std::string& name : FolderEntries(folder)) {
    count += platform::IsWriterTemporaryName(name, catalogue::kCommentFileName);
  }
  return count;
}

// The maps of StoreFile's records, and those the launchers of a race save.
std::string StoreMapName(int i) {
  return "m" + std::to_string(i) + ".bsp";
}

std::string MapName(int launcher, int i) {
  return "launcher" + std::to_string(launcher) + "-" + std::to_string(i) + ".bsp";
}

// One save or delete of a launcher in a race: each saves its maps in turn
// and, after every third save, deletes the map saved before it.
struct Step {
  bool save = true;
  int map = 0;
};

std::vector<Step> LauncherSteps(int saves) {
  std::vector<Step> steps;
  for (int i = 0; i < saves; ++i) {
    steps.push_back({true, i});
    if (i % 3 == 2) steps.push_back({false, i - 1});
  }
  return steps;
}

// Where a launcher of a race writes down which of its steps succeeded, a
// '1' or a '0' each in order.
std::string ReportPath(const std::string& folder, int launcher) {
  return platform::JoinPath(folder, "launcher" + std::to_string(launcher) + ".report");
}

int RunLauncher(const std::string& path, int launcher, int saves, const std::string& report) {
  const CommentStore store(path);
  std::string outcomes;
  for (const Step& step : LauncherSteps(saves)) {
    const std::string name = MapName(launcher, step.map);
    const StoreStatus status =
        step.save ? store.SaveComment(name, "○", "from " + std::to_string(launcher))
                  : store.DeleteComment(name);
    outcomes += status == StoreStatus::kOk ? '1' : '0';
  }
  WriteBytes(report, outcomes);
  return 0;
}

#ifdef _WIN32
// Opens the store as antivirus and search indexers open a file they look
// at, for reading without delete sharing: it cannot be replaced until it is
// closed again. 0 when it was held.
int HoldStore(const std::string& path, int delay, int hold) {
  Sleep(static_cast<DWORD>(delay));
  const std::wstring name = platform::win32::Wide(path);
  // A launcher's move has the file open for a moment, longer when the
  // machine is busy: tried again for up to two seconds.
  const ULONGLONG deadline = GetTickCount64() + 2000;
  for (;;) {
    const HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      Sleep(static_cast<DWORD>(hold));
      CloseHandle(file);
      return 0;
    }
    if (GetTickCount64() >= deadline) return 1;
    Sleep(1);
  }
}
#endif

// The children's jobs:
//   edit save|delete <path>
//   launcher <path> <launcher> <saves> <report>
//   hold <path> <delay ms> <hold ms>           (Windows)
int RunJob(const TrialJob& job) {
  if (job.size() == 3 && job[0] == "edit") {
    Edit(CommentStore(job[2]),
         job[1] == EditName(StoreEdit::kSave) ? StoreEdit::kSave : StoreEdit::kDelete);
    return 0;
  }
  if (job.size() == 5 && job[0] == "launcher") {
    return RunLauncher(job[1], std::stoi(job[2]), std::stoi(job[3]), job[4]);
  }
#ifdef _WIN32
  if (job.size() == 4 && job[0] == "hold") {
    return HoldStore(job[1], std::stoi(job[2]), std::stoi(job[3]));
  }
#endif
  return 2;
}

// Whether a read of the store in a race reads whole: the records it started
// with, which no launcher touches, stay first and in order.
bool ReadsWhole(const std::string& path, int baseRecords) {
  const catalogue::CommentSnapshot snapshot = CommentStore(path).ReadAllComments();
  if (snapshot.status != StoreStatus::kOk ||
      snapshot.records.size() < static_cast<std::size_t>(baseRecords)) {
    return false;
  }
  for (int i = 0; i < baseRecords; ++i) {
    if (snapshot.records[static_cast<std::size_t>(i)].sMapFile != StoreMapName(i)) return false;
  }
  return true;
}

// The children of a trial or a round, started side by side, each standing
// at its gate; one that never got there is started again, three times at
// most. None when one of them could not be started.
std::vector<std::unique_ptr<TrialChild>> AtGates(const std::vector<TrialJob>& jobs, int& restarts) {
  std::vector<std::unique_ptr<TrialChild>> children;
  for (const TrialJob& job : jobs) children.push_back(std::make_unique<TrialChild>(job, RunJob));
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    for (int start = 1; !children[i]->AtGate(); ++start) {
      ++restarts;
      if (start == 3) return {};
      children[i] = std::make_unique<TrialChild>(jobs[i], RunJob);
    }
  }
  return children;
}

// One round's tally: which records the store must hold now, and which not,
// from what the launchers report.
void Tally(const std::string& folder, int baseRecords, int saves, RaceOutcomes& outcomes) {
  std::map<std::string, bool> expected;  // present or not, for each record the round can tell
  for (int i = 0; i < baseRecords; ++i) expected[StoreMapName(i)] = true;
  const std::vector<Step> steps = LauncherSteps(saves);
  for (int k = 0; k < 2; ++k) {
    const std::string report = ReadBytes(ReportPath(folder, k));
    for (std::size_t s = 0; s < steps.size(); ++s) {
      const std::string name = MapName(k, steps[s].map);
      if (s >= report.size()) {  // no report: what the launcher did is unknown
        ++outcomes.failed;
        expected.erase(name);
        continue;
      }
      const bool ok = report[s] == '1';
      outcomes.failed += !ok;
      // A save that failed left the store as it was, without the record; a
      // delete that failed left the record there.
      if (steps[s].save) {
        expected[name] = ok;
      } else if (ok) {
        expected[name] = false;
      }
    }
  }
  const auto all =
      CommentStore(platform::JoinPath(folder, catalogue::kCommentFileName)).ReadAllComments();
  std::set<std::string> present;
  for (const auto& r : all.records) present.emplace(r.sMapFile);
  for (const auto& [name, there] : expected) {
    if (there) {
      outcomes.lost += present.count(name) == 0;
    } else {
      outcomes.back += present.count(name);
    }
  }
}

}  // namespace

const char* EditName(StoreEdit edit) {
  return edit == StoreEdit::kSave ? "save" : "delete";
}

void ServeStoreTrialChild() {
  ServeTrialChild(RunJob);
}

std::string StoreFile(int records) {
  std::string bytes;
  for (int i = 0; i < records; ++i) {
    bytes += *catalogue::EncodeRecord(StoreMapName(i), "◎",
                                      "a comment of some length " + std::to_string(i));
  }
  return bytes;
}

KillOutcomes KillTrials(const std::string& folder, const std::string& before, StoreEdit edit,
                        int trials, std::uint32_t seed) {
  const std::string path = platform::JoinPath(folder, catalogue::kCommentFileName);
  // What the edit makes, and how long it takes, done once.
  WriteBytes(path, before);
  const auto start = std::chrono::steady_clock::now();
  Edit(CommentStore(path), edit);
  const auto editTime = std::chrono::steady_clock::now() - start;
  const std::string after = ReadBytes(path);

  KillOutcomes outcomes;
  std::mt19937 random(seed);
  std::uniform_int_distribution<long long> when(
      0, 2 * std::chrono::duration_cast<std::chrono::microseconds>(editTime).count());
  for (int trial = 0; trial < trials; ++trial) {
    WriteBytes(path, before);
    const auto children = AtGates({{"edit", EditName(edit), path}}, outcomes.restarts);
    if (children.empty()) {
      ++outcomes.other;
      continue;
    }
    TrialChild& child = *children.front();
    child.Go();
    std::this_thread::sleep_for(std::chrono::microseconds(when(random)));
    child.Kill();
    child.Wait();
    const std::string now = ReadBytes(path);
    if (now == before) {
      ++outcomes.oldWhole;
    } else if (now == after) {
      ++outcomes.newWhole;
    } else {
      ++outcomes.other;
    }
    outcomes.leftBehind += Temporaries(folder) > 0;
  }
  CommentStore(path).SaveComment("m8.bsp", "○", "after the kills");
  outcomes.leftAfterSave = Temporaries(folder);
  return outcomes;
}

RaceOutcomes RaceLaunchers(const std::string& folder, int baseRecords, int rounds, int saves,
                           bool holdStore) {
  const std::string path = platform::JoinPath(folder, catalogue::kCommentFileName);
  const std::string base = StoreFile(baseRecords);
  std::mt19937 random(20261208u);
  // The holder starts within the launchers' first saves and holds for a few
  // hundred milliseconds, about as long as a save waits for a held file:
  // some saves outlast the hold, some do not.
  std::uniform_int_distribution<int> delay(0, 40);
  std::uniform_int_distribution<int> hold(150, 450);
  RaceOutcomes outcomes;
  for (int round = 0; round < rounds; ++round) {
    WriteBytes(path, base);
    for (int k = 0; k < 2; ++k) WriteBytes(ReportPath(folder, k), "");
    std::vector<TrialJob> jobs;
    for (int k = 0; k < 2; ++k) {
      jobs.push_back(
          {"launcher", path, std::to_string(k), std::to_string(saves), ReportPath(folder, k)});
    }
    if (holdStore) {
      jobs.push_back({"hold", path, std::to_string(delay(random)), std::to_string(hold(random))});
    }
    const auto children = AtGates(jobs, outcomes.restarts);
    if (children.empty()) continue;
    for (const auto& child : children) child->Go();
    TrialChild& first = *children[0];
    TrialChild& second = *children[1];
    while (!first.Ended() || !second.Ended()) {
      ++outcomes.reads;
      outcomes.unreadable += !ReadsWhole(path, baseRecords);
    }
    if (holdStore) outcomes.held += children[2]->Wait() == 0;
    Tally(folder, baseRecords, saves, outcomes);
    outcomes.leftBehind += Temporaries(folder) > 0;
    ++outcomes.rounds;
  }
  return outcomes;
}

}  // namespace tarq::testing
