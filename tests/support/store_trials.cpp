#include "support/store_trials.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <random>
#include <set>
#include <thread>
#include <vector>

#include "catalogue/comment_store.h"
#include "platform/fs.h"
#include "support/temp_dir.h"

namespace tarq::testing {
namespace {

using catalogue::CommentStore;
using catalogue::StoreStatus;

int Wait(pid_t child) {
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

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

std::string MapName(int launcher, int i) {
  return "launcher" + std::to_string(launcher) + "-" + std::to_string(i) + ".bsp";
}

// The saves and deletes of one launcher in a race; its exit status tells
// how many of them failed.
[[noreturn]] void RunLauncher(const std::string& path, int launcher, int saves, int startFd) {
  char go;
  while (::read(startFd, &go, 1) < 0 && errno == EINTR) {
  }
  const CommentStore store(path);
  int failed = 0;
  for (int i = 0; i < saves; ++i) {
    failed += store.SaveComment(MapName(launcher, i), "○", "from " + std::to_string(launcher)) !=
              StoreStatus::kOk;
    if (i % 3 == 2) failed += store.DeleteComment(MapName(launcher, i - 1)) != StoreStatus::kOk;
  }
  ::_exit(failed > 100 ? 100 : failed);
}

}  // namespace

std::string StoreFile(int records) {
  std::string bytes;
  for (int i = 0; i < records; ++i) {
    bytes += *catalogue::EncodeRecord("m" + std::to_string(i) + ".bsp", "◎",
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
    const pid_t child = ::fork();
    if (child == 0) {
      Edit(CommentStore(path), edit);
      ::_exit(0);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(when(random)));
    ::kill(child, SIGKILL);
    Wait(child);
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

RaceOutcomes RaceLaunchers(const std::string& folder, int baseRecords, int rounds, int saves) {
  const std::string path = platform::JoinPath(folder, catalogue::kCommentFileName);
  const std::string base = StoreFile(baseRecords);
  RaceOutcomes outcomes;
  for (int round = 0; round < rounds; ++round) {
    WriteBytes(path, base);
    // Both launchers wait on one pipe and start when it closes.
    int start[2];
    if (::pipe(start) != 0) break;
    pid_t children[2];
    for (int k = 0; k < 2; ++k) {
      children[k] = ::fork();
      if (children[k] == 0) {
        ::close(start[1]);
        RunLauncher(path, k, saves, start[0]);
      }
    }
    ::close(start[0]);
    ::close(start[1]);
    int statuses[2] = {0, 0};
    bool done[2] = {false, false};
    while (!done[0] || !done[1]) {
      ++outcomes.reads;
      outcomes.unreadable += CommentStore(path).ReadAllComments().status != StoreStatus::kOk;
      for (int k = 0; k < 2; ++k) {
        if (!done[k]) done[k] = ::waitpid(children[k], &statuses[k], WNOHANG) == children[k];
      }
    }
    for (const int status : statuses) {
      outcomes.failed += WIFEXITED(status) ? WEXITSTATUS(status) : saves;
    }

    std::set<std::string> saved;
    std::set<std::string> deleted;
    for (int k = 0; k < 2; ++k) {
      for (int i = 0; i < saves; ++i) {
        saved.insert(MapName(k, i));
        if (i % 3 == 2) deleted.insert(MapName(k, i - 1));
      }
    }
    std::set<std::string> present;
    const auto all = CommentStore(path).ReadAllComments();
    for (const auto& r : all.records) present.emplace(r.sMapFile);
    for (int i = 0; i < baseRecords; ++i)
      outcomes.lost += present.count("m" + std::to_string(i) + ".bsp") == 0;
    for (const std::string& name : saved) {
      if (deleted.count(name) != 0) {
        outcomes.back += present.count(name);
      } else {
        outcomes.lost += present.count(name) == 0;
      }
    }
    ++outcomes.rounds;
  }
  return outcomes;
}

}  // namespace tarq::testing
