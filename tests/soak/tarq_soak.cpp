// The store and settings checks of `make soak`, at length: kill trials of a
// saving launcher, two launchers racing, and every fault stage of the
// store's save and delete and of the settings write. Prints one table row
// per check (scripts/soak prints the heading and the fuzz rows); exits 1
// when any check saw a fault. Built for Windows too, whose rows say so;
// there a quarter of the race rounds have tarqcom.dat held open by a third
// program for a while, as antivirus does.
// Usage: tarq_soak <kill trials> <race rounds>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "catalogue/comment_store.h"
#include "core/settings_file.h"
#include "platform/fs.h"
#include "support/fault_stages.h"
#include "support/store_trials.h"
#include "support/temp_dir.h"

using namespace tarq;

namespace {

constexpr int kSmallStore = 12;
constexpr int kLargeStore = catalogue::kMaxRecords;

bool healthy = true;

// A row's check: its kind, which system's build ran it, what it did.
std::string Check(const char* kind, const std::string& what) {
#ifdef _WIN32
  return std::string(kind) + " (Windows): " + what;
#else
  return std::string(kind) + ": " + what;
#endif
}

void Row(const std::string& check, long long runs, const std::string& result, bool good) {
  std::printf("%-56s %12lld  %s\n", check.c_str(), runs, result.c_str());
  std::fflush(stdout);
  healthy = healthy && good;
}

// Wine fails to start a process now and then; the trials start it again.
std::string Restarts(int restarts) {
  return restarts == 0 ? "" : "; children started again " + std::to_string(restarts);
}

std::string StoreName(int records) {
  return std::to_string(records) + " records";
}

void Kills(int trials) {
  int kind = 0;
  for (const testing::StoreEdit edit : {testing::StoreEdit::kSave, testing::StoreEdit::kDelete}) {
    for (const int records : {kSmallStore, kLargeStore}) {
      // The trials spread over the four kinds, the first ones taking the rest.
      const int share = trials / 4 + (kind < trials % 4 ? 1 : 0);
      const testing::TempDir dir;
      const testing::KillOutcomes k = testing::KillTrials(dir.Path(), testing::StoreFile(records),
                                                          edit, share, 20261207u + kind++);
      Row(Check("kills", std::string(testing::EditName(edit)) + ", " + StoreName(records)), share,
          "old whole " + std::to_string(k.oldWhole) + ", new whole " + std::to_string(k.newWhole) +
              ", other " + std::to_string(k.other) + "; temporaries left " +
              std::to_string(k.leftBehind) + ", after a save " + std::to_string(k.leftAfterSave) +
              Restarts(k.restarts),
          k.other == 0 && k.leftAfterSave == 0);
    }
  }
}

// With the store held, saves and deletes may fail, but none of them may
// change the store when it does; without, none may fail.
void RaceRow(const std::string& what, int rounds, bool holdStore) {
  const testing::TempDir dir;
  const testing::RaceOutcomes r = testing::RaceLaunchers(dir.Path(), 200, rounds, 6, holdStore);
  std::string result =
      "records lost " + std::to_string(r.lost) + ", back " + std::to_string(r.back) + ", failed " +
      std::to_string(r.failed) + ", unreadable reads " + std::to_string(r.unreadable) + " of " +
      std::to_string(r.reads) + "; temporaries left " + std::to_string(r.leftBehind);
  if (holdStore) result += "; store held in " + std::to_string(r.held);
  result += Restarts(r.restarts);
  Row(Check("races", what), r.rounds, result,
      r.rounds == rounds && r.lost == 0 && r.back == 0 && (holdStore || r.failed == 0) &&
          r.unreadable == 0 && r.leftBehind == 0 && (!holdStore || r.held == rounds));
}

void Races(int rounds) {
#ifdef _WIN32
  const int held = rounds / 4;
#else
  const int held = 0;
#endif
  RaceRow("two launchers, 6 saves 2 deletes each", rounds - held, false);
  if (held > 0) RaceRow("the same, tarqcom.dat held open", held, true);
}

void StageRow(const std::string& check, const testing::FaultStages& run) {
  std::string result = "old file kept " +
                       std::to_string(run.stages - static_cast<int>(run.failures.size())) +
                       ", other " + std::to_string(run.failures.size());
  for (const std::string& failure : run.failures) result += "; " + failure;
  Row(check, run.stages, result, run.failures.empty() && run.stages > 0);
}

void FaultStages() {
  for (const testing::StoreEdit edit : {testing::StoreEdit::kSave, testing::StoreEdit::kDelete}) {
    for (const int records : {kSmallStore, kLargeStore}) {
      const testing::TempDir dir;
      const std::string path = dir / std::string(catalogue::kCommentFileName);
      const std::string before = testing::StoreFile(records);
      const catalogue::CommentStore store(path);
      catalogue::StoreStatus status = catalogue::StoreStatus::kOk;
      StageRow(
          Check("fault stages", std::string(testing::EditName(edit)) + ", " + StoreName(records)),
          testing::FailEachStage([&] { testing::WriteBytes(path, before); },
                                 [&] {
                                   status = edit == testing::StoreEdit::kSave
                                                ? store.SaveComment("new.bsp", "☆", "x")
                                                : store.DeleteComment("m7.bsp");
                                   return status == catalogue::StoreStatus::kOk;
                                 },
                                 [&] {
                                   return status == catalogue::StoreStatus::kWriteFailed &&
                                          testing::ReadBytes(path) == before &&
                                          testing::FolderEntries(dir.Path()).size() == 1u;
                                 }));
    }
  }
  const testing::TempDir dir;
  const std::string path = dir / std::string(core::kSettingsFileName);
  const std::string before = "/old/folder\r\n 1 \r\n 2 \r\n 1 \r\n";
  core::SettingsValues values;
  values.gameFolder = "/new/folder";
  StageRow(Check("fault stages", "settings write"),
           testing::FailEachStage([&] { testing::WriteBytes(path, before); },
                                  [&] { return core::WriteSettingsFile(path, values); },
                                  [&] {
                                    return testing::ReadBytes(path) == before &&
                                           testing::FolderEntries(dir.Path()).size() == 1u;
                                  }));
}

}  // namespace

int main(int argc, char* argv[]) {
  testing::ServeStoreTrialChild();
  if (argc != 3) {
    std::fprintf(stderr, "usage: tarq_soak <kill trials> <race rounds>\n");
    return 2;
  }
  Kills(std::atoi(argv[1]));
  Races(std::atoi(argv[2]));
  FaultStages();
  return healthy ? 0 : 1;
}
