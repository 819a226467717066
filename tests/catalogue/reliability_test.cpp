// What happens to tarqcom.dat when a launcher is killed in the middle of a
// save, and when two launchers save and delete at the same time. `make soak`
// runs the same trials at length. Native only: the Windows suite runs the
// soak program briefly instead, since there the launchers are the program
// started anew, by its own main().

#include <gtest/gtest.h>

#ifndef _WIN32
#include "support/store_trials.h"
#include "support/temp_dir.h"

namespace tarq::catalogue {
namespace {

using testing::KillOutcomes;
using testing::RaceOutcomes;
using testing::StoreEdit;
using testing::TempDir;

TEST(CrashConsistency, AKilledSaveLeavesExactlyTheOldOrTheNewFile) {
  TempDir dir;
  constexpr int kTrials = 200;
  const KillOutcomes kills =
      testing::KillTrials(dir.Path(), testing::StoreFile(20000), StoreEdit::kSave, kTrials,
                          20261207);  // some 800 KB
  EXPECT_EQ(kills.other, 0) << "a file that is neither the old nor the new one";
  EXPECT_EQ(kills.oldWhole + kills.newWhole, kTrials);
  EXPECT_EQ(kills.leftAfterSave, 0) << "the next save left what killed saves left";
  RecordProperty("kills_old", kills.oldWhole);
  RecordProperty("kills_new", kills.newWhole);
  std::printf("crash consistency: %d kills, %d left the old file, %d the new one, %d a temporary\n",
              kTrials, kills.oldWhole, kills.newWhole, kills.leftBehind);
}

// Two launchers at once, each saving and deleting its own maps as fast as
// it can; the lock makes each save or delete a turn of its own.
TEST(TwoLaunchers, NeitherLosesTheOthersRecords) {
  TempDir dir;
  const RaceOutcomes race = testing::RaceLaunchers(dir.Path(), 2000, 1, 150);
  EXPECT_EQ(race.rounds, 1);
  EXPECT_EQ(race.failed, 0) << "a save or delete failed";
  EXPECT_EQ(race.lost, 0) << "a record reported saved, or there before, is missing";
  EXPECT_EQ(race.back, 0) << "a deleted record is back";
  // Meanwhile the file always reads whole.
  EXPECT_EQ(race.unreadable, 0);
  EXPECT_GT(race.reads, 0);
}

}  // namespace
}  // namespace tarq::catalogue
#endif
