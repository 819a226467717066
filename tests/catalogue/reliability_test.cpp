// What happens to tarqcom.dat when a launcher is killed in the middle of a
// save, and when two launchers save and delete at the same time. POSIX only:
// the tests fork and kill processes.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <set>
#include <thread>

#include "catalogue/comment_store.h"
#include "support/temp_dir.h"

namespace tarq::catalogue {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::string LargeStore(int records) {
  std::string bytes;
  for (int i = 0; i < records; ++i) {
    bytes += *EncodeRecord("m" + std::to_string(i) + ".bsp", "◎",
                           "a comment of some length " + std::to_string(i));
  }
  return bytes;
}

int Wait(pid_t child) {
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

TEST(CrashConsistency, AKilledSaveLeavesExactlyTheOldOrTheNewFile) {
  TempDir dir;
  const std::string path = dir / "tarqcom.dat";
  const std::string before = LargeStore(20000);  // some 800 KB
  // What the save makes, done once on a copy.
  WriteBytes(dir / "copy.dat", before);
  ASSERT_EQ(CommentStore(dir / "copy.dat").SaveComment("m7.bsp", "☆", "killed"), StoreStatus::kOk);
  const std::string after = ReadBytes(dir / "copy.dat");
  std::remove((dir / "copy.dat").c_str());

  WriteBytes(path, before);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(CommentStore(path).SaveComment("m7.bsp", "☆", "killed"), StoreStatus::kOk);
  const auto saveTime = std::chrono::steady_clock::now() - start;

  std::mt19937 random(20261207);
  int old = 0, replaced = 0;
  constexpr int kTrials = 200;
  for (int trial = 0; trial < kTrials; ++trial) {
    WriteBytes(path, before);
    const pid_t child = ::fork();
    if (child == 0) {
      CommentStore(path).SaveComment("m7.bsp", "☆", "killed");
      ::_exit(0);
    }
    std::uniform_int_distribution<long long> when(
        0, 2 * std::chrono::duration_cast<std::chrono::microseconds>(saveTime).count());
    std::this_thread::sleep_for(std::chrono::microseconds(when(random)));
    ::kill(child, SIGKILL);
    Wait(child);
    const std::string now = ReadBytes(path);
    const bool isOld = now == before, isNew = now == after;
    ASSERT_TRUE(isOld || isNew) << "trial " << trial << ": a file that is neither";
    old += isOld;
    replaced += isNew;
  }
  EXPECT_EQ(old + replaced, kTrials);
  RecordProperty("kills_old", old);
  RecordProperty("kills_new", replaced);
  std::printf("crash consistency: %d kills, %d left the old file, %d the new one\n", kTrials, old,
              replaced);
}

// Two launchers at once, each saving and deleting its own maps as fast as
// it can; the lock makes each save or delete a turn of its own.
TEST(TwoLaunchers, NeitherLosesTheOthersRecords) {
  TempDir dir;
  const std::string path = dir / "tarqcom.dat";
  WriteBytes(path, LargeStore(2000));
  constexpr int kOperations = 150;
  pid_t children[2];
  for (int k = 0; k < 2; ++k) {
    children[k] = ::fork();
    if (children[k] == 0) {
      const CommentStore store(path);
      for (int i = 0; i < kOperations; ++i) {
        const std::string name = "launcher" + std::to_string(k) + "-" + std::to_string(i) + ".bsp";
        if (store.SaveComment(name, "○", "from " + std::to_string(k)) != StoreStatus::kOk) _exit(1);
        if (i % 3 == 2 && store.DeleteComment("launcher" + std::to_string(k) + "-" +
                                              std::to_string(i - 1) + ".bsp") != StoreStatus::kOk) {
          _exit(2);
        }
      }
      _exit(0);
    }
  }
  // Meanwhile the file always reads whole.
  int reads = 0;
  for (bool running = true; running;) {
    EXPECT_EQ(CommentStore(path).ReadAllComments().status, StoreStatus::kOk);
    ++reads;
    int status = 0;
    running = false;
    for (pid_t c : children) running = running || ::waitpid(c, &status, WNOHANG) == 0;
  }
  for (pid_t c : children) Wait(c);

  std::set<std::string> expected;
  for (int k = 0; k < 2; ++k) {
    for (int i = 0; i < kOperations; ++i) {
      if (!(i % 3 == 1))
        expected.insert("launcher" + std::to_string(k) + "-" + std::to_string(i) + ".bsp");
    }
  }
  std::set<std::string> present;
  const auto all = CommentStore(path).ReadAllComments();
  ASSERT_EQ(all.status, StoreStatus::kOk);
  for (const auto& r : all.records) {
    if (r.sMapFile.rfind("launcher", 0) == 0) present.insert(std::string(r.sMapFile));
  }
  EXPECT_EQ(present, expected) << "a record reported saved is missing, or a deleted one is back";
  EXPECT_EQ(all.records.size(), 2000 + expected.size());
  EXPECT_GT(reads, 0);
}

}  // namespace
}  // namespace tarq::catalogue
#endif
