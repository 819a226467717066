#pragma once
// Launchers killed in the middle of an edit of tarqcom.dat, and two
// launchers editing it at the same time: for the reliability tests and the
// soak, on POSIX systems and on Windows alike. The launchers are child
// processes (support/trial_child.h): a program that runs the trials calls
// ServeStoreTrialChild() first thing in main().

#include <cstdint>
#include <string>

namespace tarq::testing {

// In a child process of the trials on Windows: does the child's part and
// exits. Anywhere else it returns at once.
void ServeStoreTrialChild();

// The bytes of a store of `records` records: "m<i>.bsp", "◎", a comment of
// some 25 characters.
std::string StoreFile(int records);

// What a trial does to the store: m7.bsp saved anew, or deleted.
enum class StoreEdit : std::uint8_t { kSave, kDelete };
const char* EditName(StoreEdit edit);  // "save", "delete"

struct KillOutcomes {
  int oldWhole = 0;       // the file exactly as before
  int newWhole = 0;       // the file exactly as the edit makes it
  int other = 0;          // anything else
  int leftBehind = 0;     // trials after which a temporary file lay beside the store
  int leftAfterSave = 0;  // temporary files still there after one more save
  int restarts = 0;       // children started again that never reached their gate
};

// `trials` times: the store in `folder` is put back to `before`, a child
// process makes the edit and is killed at a random moment within twice
// the time the edit takes. Then one more save, not killed. A child that
// never reaches its gate is started again, three times at most; after
// that the trial counts as `other`.
KillOutcomes KillTrials(const std::string& folder, const std::string& before, StoreEdit edit,
                        int trials, std::uint32_t seed);

struct RaceOutcomes {
  int rounds = 0;
  int lost = 0;        // records missing that were saved and not deleted, or were there before
  int back = 0;        // records present that were deleted, or whose save reported failure
  int failed = 0;      // saves and deletes that reported a failure
  int reads = 0;       // reads of the store while the launchers ran
  int unreadable = 0;  // of those, reads that failed or missed a record the store started with
  int leftBehind = 0;  // rounds after which a temporary file lay beside the store
  int held = 0;        // rounds in which another program held the store open
  int restarts = 0;    // children started again that never reached their gate
};

// `rounds` times: the store in `folder` starts with `baseRecords` records;
// two launchers (child processes) start at once, each saving `saves` maps
// of its own and deleting, after every third save, the map saved before
// it, while this process keeps reading the store. Children that never
// reach their gate are started again, as in KillTrials; a round that
// cannot start them is not counted in `rounds`.
//
// With `holdStore` (Windows), a third process meanwhile holds the store
// open for a few hundred milliseconds without delete sharing, as antivirus
// and search indexers do, so that it cannot be replaced: a save or delete
// may then fail, but must leave the store as it was.
RaceOutcomes RaceLaunchers(const std::string& folder, int baseRecords, int rounds, int saves,
                           bool holdStore = false);

}  // namespace tarq::testing
