#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <random>

#include "platform/file_lock.h"
#include "platform/fs.h"
#include "support/debris.h"
#include "support/temp_dir.h"
#include "support/writer_calls_guard.h"
#ifndef _WIN32
#include "support/env_guard.h"
#endif

namespace tarq::platform {
namespace {

using testing::Exists;
using testing::FolderEntries;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using testing::WriterCallsGuard;

TEST(JoinPath, AddsOneSeparatorWithoutLooking) {
  const std::string sep(1, kSeparator);
  EXPECT_EQ(JoinPath("a", "b"), "a" + sep + "b");
  EXPECT_EQ(JoinPath("a" + sep, "b"), "a" + sep + sep + "b");
  EXPECT_EQ(JoinPath("", "valve"), sep + "valve");
}

TEST(ParentFolder, KeepsTheSeparatorOfARoot) {
  struct Case {
    const char* path;
    const char* parent;
  };
#ifdef _WIN32
  const Case cases[] = {{"C:\\Games\\tarq.exe", "C:\\Games"},
                        {"C:\\tarq.exe", "C:\\"},
                        {"D:/a/b", "D:/a"},
                        {"tarq.exe", "."}};
#else
  const Case cases[] = {
      {"/opt/tarq/tarq", "/opt/tarq"}, {"/tarq", "/"}, {"tarq", "."}, {"a/b", "a"}};
#endif
  for (const Case& c : cases) EXPECT_EQ(ParentFolder(c.path), c.parent) << c.path;
}

// Names sharing their first eight letters, equal but for case, shorter
// than eight, or with bytes above ASCII come out in the order of the
// comparison, as a list sorted by it.
TEST(SortNamesIgnoringCase, GivesTheComparisonsOrder) {
  std::mt19937 random(7);
  const std::string letters = "aAbB_z0\x7f\xc3\xa9";
  std::vector<std::string> names;
  for (int i = 0; i < 3000; ++i) {
    std::string name = i % 2 == 0 ? "c1a0" : "";
    for (std::size_t n = random() % 12; n > 0; --n) name += letters[random() % letters.size()];
    names.push_back(name);
  }
  std::vector<std::string> expected = names;
  std::stable_sort(expected.begin(), expected.end(), NameLessIgnoringCase);
  SortNamesIgnoringCase(names);
  EXPECT_EQ(names, expected);
}

TEST(ReadWholeFile, TellsMissingFromFailed) {
  TempDir dir;
  EXPECT_EQ(ReadWholeFile(dir / "none").status, ReadStatus::kMissing);
  EXPECT_EQ(ReadWholeFile(dir.Path()).status, ReadStatus::kFailed);
  WriteBytes(dir / "f", std::string("a\0b", 3));
  const ReadResult r = ReadWholeFile(dir / "f");
  EXPECT_EQ(r.status, ReadStatus::kOk);
  EXPECT_EQ(r.bytes, std::string("a\0b", 3));
}

TEST(AtomicFileWriter, ReplacesWholeAndLeavesNoTemporaryFile) {
  TempDir dir;
  WriteBytes(dir / "f", "old");
  ASSERT_TRUE(ReplaceFileContents(dir / "f", "new content"));
  EXPECT_EQ(ReadBytes(dir / "f"), "new content");
  EXPECT_EQ(FolderEntries(dir.Path()).size(), 1u);
}

#ifndef _WIN32
TEST(AtomicFileWriter, KeepsThePermissionsOfTheOldFile) {
  TempDir dir;
  WriteBytes(dir / "f", "old");
  ::chmod((dir / "f").c_str(), 0640);
  ASSERT_TRUE(ReplaceFileContents(dir / "f", "new"));
  struct stat st {};
  ASSERT_EQ(::stat((dir / "f").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}
#endif

TEST(AtomicFileWriter, AFailureAtAnyStageLeavesTheOldFile) {
  const IoStage stages[] = {IoStage::kOpen, IoStage::kWrite, IoStage::kFlush,
                            IoStage::kSync, IoStage::kClose, IoStage::kReplace};
  for (const IoStage failing : stages) {
    TempDir dir;
    WriteBytes(dir / "f", "old bytes");
    {
      WriterCallsGuard guard([failing](IoStage stage, int) { return stage != failing; });
      EXPECT_FALSE(ReplaceFileContents(dir / "f", "new"));
    }
    EXPECT_EQ(ReadBytes(dir / "f"), "old bytes");
    EXPECT_EQ(FolderEntries(dir.Path()).size(), 1u) << "temporary file left behind";
  }
}

TEST(AtomicFileWriter, TheNewFileIsOnDiskBeforeItReplacesTheOldOne) {
  TempDir dir;
  WriteBytes(dir / "f", "old bytes");
  std::vector<IoStage> seen;
  {
    WriterCallsGuard guard([&seen](IoStage stage, int) {
      seen.push_back(stage);
      return true;
    });
    ASSERT_TRUE(ReplaceFileContents(dir / "f", "new bytes"));
  }
  // The buffered bytes are written out at the flush; the sync comes after
  // the last write and before the replace.
  EXPECT_EQ(seen, (std::vector<IoStage>{IoStage::kOpen, IoStage::kFlush, IoStage::kWrite,
                                        IoStage::kSync, IoStage::kClose, IoStage::kReplace}));
}

// `call`, noting `name` in `log` before each call.
template <typename Call>
auto Noted(std::vector<std::string>& log, const char* name, Call call) {
  return [&log, name, call](const auto&... args) { return log.emplace_back(name), call(args...); };
}

TEST(AtomicFileWriter, SyncsTheNewFileBeforeTheRenameAndTheFolderAfterIt) {
  TempDir dir;
  const WriterCalls& system = SystemWriterCalls();
  std::vector<std::string> log;
  WriterCalls watched = system;
  watched.write = Noted(log, "write", system.write);
  watched.sync = Noted(log, "sync", system.sync);
  watched.close = Noted(log, "close", system.close);
  watched.rename = Noted(log, "rename", system.rename);
  std::vector<std::string> expected = {"write", "sync", "close", "rename"};
  if (system.syncFolder) {  // POSIX
    watched.syncFolder = [&](const std::string& folder) { log.push_back("sync " + folder); };
    expected.push_back("sync " + dir.Path());
  }
  {
    const WriterCallsGuard guard(watched);
    ASSERT_TRUE(ReplaceFileContents(dir / "f", "new bytes"));
  }
  EXPECT_EQ(log, expected);
}

TEST(AtomicFileWriter, AskedBeforeReplacingOnceTheNewFileIsWhole) {
  for (const bool go : {true, false}) {
    TempDir dir;
    WriteBytes(dir / "f", "old bytes");
    int asked = 0;
    {
      AtomicFileWriter writer(dir / "f");
      ASSERT_TRUE(writer.Open());
      ASSERT_TRUE(writer.Write("new bytes"));
      EXPECT_EQ(writer.Commit([&] {
        ++asked;
        EXPECT_EQ(ReadBytes(dir / "f"), "old bytes");  // not yet replaced
        return go;
      }),
                go);
    }
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(ReadBytes(dir / "f"), go ? "new bytes" : "old bytes");
    EXPECT_EQ(FolderEntries(dir.Path()).size(), 1u) << "temporary file left behind";
  }
}

TEST(AtomicFileWriter, AFolderInThePlaceOfTheFileIsAFailure) {
  TempDir dir;
  testing::MakeFolders(dir / "f");
  EXPECT_FALSE(ReplaceFileContents(dir / "f", "x"));
  EXPECT_EQ(FolderEntries(dir.Path()).size(), 1u);
}

TEST(AtomicFileWriter, AMissingFolderIsAFailure) {
  TempDir dir;
  EXPECT_FALSE(ReplaceFileContents(dir / "no/f", "x"));
  EXPECT_FALSE(Exists(dir / "no"));
}

TEST(AtomicFileWriter, NamesItsNewFileAsItsLeftoversAreKnown) {
  TempDir dir;
  AtomicFileWriter writer(dir / "tarqcom.dat");
  ASSERT_TRUE(writer.Open());
  const std::vector<std::string> entries = FolderEntries(dir.Path());
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_TRUE(IsWriterTemporaryName(entries[0], "tarqcom.dat")) << entries[0];
  EXPECT_FALSE(IsWriterTemporaryName(entries[0], "tarqcfg.dat"));
}

struct NameCase {
  const char* name;
  bool temporary;
};

TEST(IsWriterTemporaryName, IsTheWritersPatternExactly) {
#ifdef _WIN32
  const NameCase cases[] = {
      {"f.dat.004711.tmp", true},
      {"f.dat.000000.tmp", true},
      {"f.dat.999999.tmp", true},
      {"f.dat.04711.tmp", false},
      {"f.dat.0047110.tmp", false},
      {"f.dat.00471a.tmp", false},
      {"f.dat.004711.TMP", false},
      {"f.dat.004711", false},
      {"f.dat.004711.tmpx", false},
      {"f.dat_004711.tmp", false},
      {"g.dat.004711.tmp", false},
      {"xf.dat.004711.tmp", false},
      {"f.dat.a8Zk3Q", false},
      {"f.dat", false},
      {"", false},
  };
#else
  const NameCase cases[] = {
      {"f.dat.a8Zk3Q", true},
      {"f.dat.000000", true},
      {"f.dat.ZZZZZZ", true},
      {"f.dat.q1w2e3", true},
      {"f.dat.abcdeF", true},
      {"f.dat.backup", false},
      {"f.dat.a8Zk3", false},
      {"f.dat.a8Zk3Q7", false},
      {"f.dat.a8Zk-Q", false},
      {"f.dat.a8Zk Q", false},
      {"f.dat.a8Zk3Q.tmp", false},
      {"f.dat_a8Zk3Q", false},
      {"g.dat.a8Zk3Q", false},
      {"xf.dat.a8Zk3Q", false},
      {"f.da.a8Zk3Q", false},
      {"f.dat.004711.tmp", false},
      {"f.dat", false},
      {"", false},
  };
#endif
  for (const NameCase& c : cases) {
    EXPECT_EQ(IsWriterTemporaryName(c.name, "f.dat"), c.temporary) << c.name;
  }
}

TEST(RemoveWriterLeftovers, RemovesTheFilesNamedAsTheWritersOnly) {
  TempDir dir;
  WriteBytes(dir / "f.dat", "data");
  const testing::Debris mine = testing::LeaveDebris(dir.Path(), "f.dat");
  const testing::Debris other = testing::LeaveDebris(dir.Path(), "g.dat");
  RemoveWriterLeftovers(dir / "f.dat");
  EXPECT_EQ(testing::SortedEntries(dir.Path()), testing::WithoutLeftovers({"f.dat"}, mine, other));
}

TEST(FileLock, OneThatCannotHaveTheLockRemovesNoLeftovers) {
  TempDir dir;
  testing::LeaveDebris(dir.Path(), "f.dat");
  const std::vector<std::string> before = testing::SortedEntries(dir.Path());
  // The lock belongs to each open of the folder: a second FileLock, in this
  // thread too, contends with the holder as another launcher's would.
  const FileLock holder(dir / "f.dat");
  const FileLock busy(dir / "f.dat", std::chrono::milliseconds(0));
  ASSERT_EQ(busy.state(), FileLock::State::kBusy);
  busy.RemoveLeftovers();
  EXPECT_EQ(testing::SortedEntries(dir.Path()), before);
}

TEST(ListPlainFiles, LeavesOutFoldersHiddenFilesAndRejectedNames) {
  TempDir dir;
  WriteBytes(dir / "a.bsp", "");
  WriteBytes(dir / ".hidden.bsp", "");
  testing::Hide(dir / ".hidden.bsp");
  WriteBytes(dir / "skip.txt", "");
  testing::MakeFolders(dir / "x.bsp");
  auto names = ListPlainFiles(dir.Path(), [](std::string_view n) { return n != "skip.txt"; });
  ASSERT_TRUE(names.has_value());
  EXPECT_EQ(*names, std::vector<std::string>{"a.bsp"});
  EXPECT_FALSE(ListPlainFiles(dir / "missing", [](std::string_view) { return true; }));
}

TEST(DataFolder, IsTheProgramFolderWhenItCanBeWritten) {
  TempDir dir;
  EXPECT_EQ(DataFolder(dir.Path()), dir.Path());
}

#ifndef _WIN32
using testing::EnvGuard;

TEST(DataFolder, AnInstalledProgramKeepsItsFilesInTheUsersDataFolder) {
  TempDir dir;
  {
    const EnvGuard xdg("XDG_DATA_HOME", dir / "xdg");
    EXPECT_EQ(DataFolder("/usr/bin"), dir / "xdg/tarq");
    EXPECT_TRUE(IsFolder(dir / "xdg/tarq"));
  }
  {
    const EnvGuard noXdg("XDG_DATA_HOME", "");
    const EnvGuard home("HOME", dir / "home");
    EXPECT_EQ(DataFolder("/usr/games"), dir / "home/.local/share/tarq");
  }
}
#endif

TEST(FileSize, IsTheSizeOfAFileAndNothingElse) {
  TempDir dir;
  WriteBytes(dir / "f", std::string(70000, 'x'));
  WriteBytes(dir / "empty", "");
  EXPECT_EQ(FileSize(dir / "f"), 70000u);
  EXPECT_EQ(FileSize(dir / "empty"), 0u);
  EXPECT_EQ(FileSize(dir / "missing"), std::nullopt);
  EXPECT_EQ(FileSize(dir.Path()), std::nullopt);
}

TEST(CanOpenForReading, IsTrueOnlyForAFileThatOpens) {
  TempDir dir;
  WriteBytes(dir / "hl.exe", "");
  EXPECT_TRUE(CanOpenForReading(dir / "hl.exe"));
  EXPECT_FALSE(CanOpenForReading(dir / "none.exe"));
  EXPECT_FALSE(CanOpenForReading(dir.Path()));
}

}  // namespace
}  // namespace tarq::platform
