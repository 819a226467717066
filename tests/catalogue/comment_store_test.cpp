#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <csignal>
#include <functional>

#include "catalogue/comment_store.h"
#include "platform/fs.h"
#include "support/debris.h"
#include "support/fault_stages.h"
#include "support/records.h"
#include "support/temp_dir.h"

namespace tarq::catalogue {
namespace {

using testing::Exists;
using testing::FolderEntries;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::string Line(std::string_view name, std::string_view mark, std::string_view comment) {
  return "\"" + std::string(name) + "\",\"" + std::string(mark) + "\",\"" + std::string(comment) +
         "\"\r\n";
}

const std::string kA = Line("a.bsp", "\x81\x9D", "one");
const std::string kB = Line("b.bsp", "\x81\x9B", "two");
const std::string kC = Line("c.bsp", "\x81\x40", "");

class CommentStoreTest : public ::testing::Test {
 protected:
  std::string Path() const { return dir_ / "tarqcom.dat"; }
  CommentStore Store() const { return CommentStore(Path()); }
  void Write(std::string_view bytes) const { WriteBytes(Path(), bytes); }
  std::string Bytes() const { return ReadBytes(Path()); }

  TempDir dir_;
};

TEST_F(CommentStoreTest, SavesTheSpecifiedTwentyFourBytes) {
  ASSERT_EQ(Store().SaveComment("c1a0.bsp", "◎", "test"), StoreStatus::kOk);
  EXPECT_EQ(Bytes(), std::string("\x22\x63\x31\x61\x30\x2E\x62\x73\x70\x22\x2C\x22\x81\x9D\x22"
                                 "\x2C\x22\x74\x65\x73\x74\x22\x0D\x0A"));
}

TEST_F(CommentStoreTest, WithoutAFileNothingIsFoundOrWritten) {
  const CommentSnapshot all = Store().ReadAllComments();
  EXPECT_EQ(all.status, StoreStatus::kOk);
  EXPECT_TRUE(all.records.empty());
  const FindResult found = Store().FindComment("a.bsp");
  EXPECT_EQ(found.status, StoreStatus::kOk);
  EXPECT_FALSE(found.found);
  EXPECT_EQ(Store().DeleteComment("a.bsp"), StoreStatus::kOk);
  EXPECT_FALSE(Exists(Path()));
}

struct EditCase {
  const char* name;
  bool save;  // false: delete
  const char* map;
  std::string expected;
  friend void PrintTo(const EditCase& c, std::ostream* os) { *os << c.name; }
};

class EditsOfABC : public CommentStoreTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(EditsOfABC, KeepTheOrderAndPutTheSavedRecordLast) {
  Write(kA + kB + kC);
  const EditCase& c = GetParam();
  const StoreStatus status =
      c.save ? Store().SaveComment(c.map, "×", "new") : Store().DeleteComment(c.map);
  EXPECT_EQ(status, StoreStatus::kOk);
  EXPECT_EQ(Bytes(), c.expected);
}

const std::string kNew(std::string_view map) {
  return Line(map, "\x81\x7E", "new");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditsOfABC,
    ::testing::Values(EditCase{"save_b", true, "b.bsp", kA + kC + kNew("b.bsp")},
                      EditCase{"save_d", true, "d.bsp", kA + kB + kC + kNew("d.bsp")},
                      EditCase{"delete_a", false, "a.bsp", kB + kC},
                      EditCase{"delete_missing_changes_nothing", false, "d.bsp", kA + kB + kC},
                      EditCase{"case_differs_no_match", false, "A.bsp", kA + kB + kC},
                      EditCase{"save_case_differs_adds", true, "B.bsp",
                               kA + kB + kC + kNew("B.bsp")}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(CommentStoreTest, TwoRecordsForOneMapUseTheLastOne) {
  const std::string first = Line("a.bsp", "\x81\x9D", "first");
  const std::string later = Line("a.bsp", "\x81\x9B", "later");
  Write(first + kB + later);
  const FindResult found = Store().FindComment("a.bsp");
  EXPECT_TRUE(found.found);
  EXPECT_EQ(found.sMark, "○");
  EXPECT_EQ(found.sComment, "later");

  ASSERT_EQ(Store().DeleteComment("a.bsp"), StoreStatus::kOk);
  EXPECT_EQ(Bytes(), first + kB);

  Write(first + kB + later);
  ASSERT_EQ(Store().SaveComment("a.bsp", "☆", "newest"), StoreStatus::kOk);
  EXPECT_EQ(Bytes(), first + kB + Line("a.bsp", "\x81\x99", "newest"));
  EXPECT_EQ(Store().FindComment("a.bsp").sComment, "newest");
}

TEST_F(CommentStoreTest, DeletingTheOnlyRecordLeavesAnEmptyFile) {
  Write(kA);
  ASSERT_EQ(Store().DeleteComment("a.bsp"), StoreStatus::kOk);
  EXPECT_TRUE(Exists(Path()));
  EXPECT_EQ(Bytes(), "");
  EXPECT_TRUE(Store().ReadAllComments().records.empty());
}

TEST_F(CommentStoreTest, TextsReadBackAsStored) {
  ASSERT_EQ(Store().SaveComment("a.bsp", "　", ""), StoreStatus::kOk);
  ASSERT_EQ(Store().SaveComment("b.bsp", "λ", "one, two,, three"), StoreStatus::kOk);
  ASSERT_EQ(Store().SaveComment("c.bsp", "？", "  spaced  "), StoreStatus::kOk);
  const CommentSnapshot all = Store().ReadAllComments();
  ASSERT_EQ(all.status, StoreStatus::kOk);
  EXPECT_EQ(testing::Records(all), (std::vector<CommentRecord>{{"a.bsp", "　", ""},
                                                               {"b.bsp", "λ", "one, two,, three"},
                                                               {"c.bsp", "？", "  spaced  "}}));
  EXPECT_EQ(Bytes().substr(0, Bytes().find('\n') + 1), "\"a.bsp\",\"\x81\x40\",\"\"\r\n");
}

TEST_F(CommentStoreTest, ASnapshotsViewsSurviveAMove) {
  Write("\"a\",\"b\",\"c\"\r\n");  // short enough to live inside a string object
  CommentSnapshot first = Store().ReadAllComments();
  CommentSnapshot moved = std::move(first);
  ASSERT_EQ(moved.records.size(), 1u);
  EXPECT_EQ(moved.records[0].sMapFile, "a");
  EXPECT_EQ(moved.records[0].sComment, "c");
}

TEST_F(CommentStoreTest, QuotesAndLineBreaksAreStoredSoTheyReadBack) {
  ASSERT_EQ(Store().SaveComment("a.bsp", "◎", "say \"hi\"\r\nnext\nline\rend"), StoreStatus::kOk);
  EXPECT_EQ(Store().FindComment("a.bsp").sComment, "say ＂hi＂ next line end");
}

TEST_F(CommentStoreTest, RefusesWhatTheFileCannotHoldAndWritesNothing) {
  Write(kA);
  EXPECT_EQ(Store().SaveComment("a.bsp", "◎", "smile \xF0\x9F\x98\x80"), StoreStatus::kUnstorable);
  EXPECT_EQ(Store().SaveComment("x\".bsp", "◎", ""), StoreStatus::kUnstorable);
  EXPECT_EQ(Store().SaveComment("x\n.bsp", "◎", ""), StoreStatus::kUnstorable);
  EXPECT_EQ(Bytes(), kA);
}

TEST_F(CommentStoreTest, HandWrittenFilesAreReadLeniently) {
  Write("a.bsp , \x81\x9D, one\n\r\n\"b.bsp\",\"\x81\x9B\",\"two\"\r\"c.bsp\",\"\",\"\"");
  const CommentSnapshot all = Store().ReadAllComments();
  ASSERT_EQ(all.status, StoreStatus::kOk);
  EXPECT_EQ(testing::Records(all),
            (std::vector<CommentRecord>{
                {"a.bsp", "◎", "one"}, {"b.bsp", "○", "two"}, {"c.bsp", "", ""}}));
  // A save normalises the line ends and keeps every record's own bytes.
  ASSERT_EQ(Store().SaveComment("d.bsp", "◎", "x"), StoreStatus::kOk);
  EXPECT_EQ(Bytes(),
            "a.bsp , \x81\x9D, one\r\n\"b.bsp\",\"\x81\x9B\",\"two\"\r\n"
            "\"c.bsp\",\"\",\"\"\r\n" +
                Line("d.bsp", "\x81\x9D", "x"));
}

std::string ManyRecords(int count) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes += Line("m" + std::to_string(i) + ".bsp", "\x81\x9D", "c");
  return bytes;
}

struct BadFile {
  const char* name;
  std::string bytes;
  StoreStatus status;
  friend void PrintTo(const BadFile& c, std::ostream* os) { *os << c.name; }
};

class UnreadableFiles : public CommentStoreTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(UnreadableFiles, AreReportedAndNeverRewritten) {
  const BadFile& c = GetParam();
  Write(c.bytes);
  EXPECT_EQ(Store().ReadAllComments().status, c.status);
  EXPECT_EQ(Store().FindComment("a.bsp").status, c.status);
  EXPECT_EQ(Store().SaveComment("a.bsp", "◎", "x"), c.status);
  EXPECT_TRUE(Bytes() == c.bytes) << "rewritten by the save";
  EXPECT_EQ(Store().DeleteComment("a.bsp"), c.status);
  EXPECT_TRUE(Bytes() == c.bytes) << "rewritten by the delete";
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableFiles,
    ::testing::Values(
        BadFile{"record_cut_short", kA + "\"b.bsp\",\"", StoreStatus::kMalformed},
        BadFile{"two_fields", kA + "\"b.bsp\",\"x\"\r\n", StoreStatus::kMalformed},
        BadFile{"four_fields", "\"a.bsp\",\"x\",\"y\",\"z\"\r\n", StoreStatus::kMalformed},
        BadFile{"field_spanning_lines", "\"a.bsp\",\"x\",\"one\r\ntwo\"\r\n",
                StoreStatus::kMalformed},
        BadFile{"text_after_quote", "\"a.bsp\"x,\"x\",\"y\"\r\n", StoreStatus::kMalformed},
        BadFile{"not_code_page_932", kA + "\"b.bsp\",\"\x85\x40\",\"\"\r\n",
                StoreStatus::kBadEncoding},
        BadFile{"utf8_with_bom", "\xEF\xBB\xBF\"a.bsp\",\"\xE2\x97\x8E\",\"\"\r\n",
                StoreStatus::kBadEncoding},
        // Large enough to be checked on a second thread while the new file syncs.
        BadFile{"large_with_a_bad_byte_last",
                ManyRecords(15000) + "\"z.bsp\",\"\x85\x40\",\"\"\r\n", StoreStatus::kBadEncoding},
        BadFile{"large_malformed_and_not_code_page_932",
                "\"z.bsp\",\"\x85\x40\"\r\n" + ManyRecords(15000), StoreStatus::kBadEncoding}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(CommentStoreTest, AFolderInThePlaceOfTheFileIsUnreadable) {
  testing::MakeFolders(Path());
  EXPECT_EQ(Store().ReadAllComments().status, StoreStatus::kUnreadable);
  EXPECT_EQ(Store().SaveComment("a.bsp", "◎", ""), StoreStatus::kUnreadable);
}

TEST_F(CommentStoreTest, ThirtyTwoThousandSevenHundredSixtySevenRecordsWork) {
  const std::string bytes = ManyRecords(kMaxRecords);
  Write(bytes);
  EXPECT_EQ(Store().ReadAllComments().records.size(), static_cast<std::size_t>(kMaxRecords));
  ASSERT_EQ(Store().SaveComment("m0.bsp", "○", "moved"), StoreStatus::kOk);
  const CommentSnapshot all = Store().ReadAllComments();
  ASSERT_EQ(all.records.size(), static_cast<std::size_t>(kMaxRecords));
  EXPECT_EQ(testing::Records(all).back(), (CommentRecord{"m0.bsp", "○", "moved"}));
  EXPECT_EQ(all.records.front().sMapFile, "m1.bsp");
}

TEST_F(CommentStoreTest, OneRecordMoreIsRefusedBeforeAnythingIsWritten) {
  const std::string bytes = ManyRecords(kMaxRecords + 1);
  Write(bytes);
  EXPECT_EQ(Store().ReadAllComments().status, StoreStatus::kTooMany);
  EXPECT_EQ(Store().SaveComment("x.bsp", "◎", ""), StoreStatus::kTooMany);
  EXPECT_EQ(Store().DeleteComment("m0.bsp"), StoreStatus::kTooMany);
  EXPECT_TRUE(Bytes() == bytes) << "the old file changed";
  // The lookup does not count.
  EXPECT_TRUE(Store().FindComment("m32767.bsp").found);
}

TEST_F(CommentStoreTest, AWriteThatFailsAtAnyStageLeavesTheOldFile) {
  const std::string bytes = ManyRecords(9000);  // some 200 KB: several writes
  const std::function<StoreStatus()> operations[] = {
      [this] { return Store().SaveComment("new.bsp", "◎", "x"); },
      [this] { return Store().DeleteComment("m5.bsp"); }};
  int faults = 0;
  for (const auto& operation : operations) {
    StoreStatus status = StoreStatus::kOk;
    const testing::FaultStages run =
        testing::FailEachStage([&] { Write(bytes); },
                               [&] {
                                 status = operation();
                                 return status == StoreStatus::kOk;
                               },
                               [&] {
                                 return status == StoreStatus::kWriteFailed && Bytes() == bytes &&
                                        FolderEntries(dir_.Path()).size() == 1u;
                               });
    for (const std::string& failure : run.failures) ADD_FAILURE() << failure;
    EXPECT_GE(run.stages, 7);  // open, three writes or more, flush, close, replace
    faults += run.stages;
  }
  EXPECT_GE(faults, 14);
}

TEST_F(CommentStoreTest, SaveAndDeleteRemoveTheLeftoversOfThisFileOnly) {
  const std::function<StoreStatus(const CommentStore&)> operations[] = {
      [](const CommentStore& s) { return s.SaveComment("new.bsp", "◎", "x"); },
      [](const CommentStore& s) { return s.DeleteComment("a.bsp"); },
      [](const CommentStore& s) { return s.DeleteComment("none.bsp"); }};  // writes nothing
  int run = 0;
  for (const auto& operation : operations) {
    const std::string folder = dir_ / std::to_string(run++);
    testing::MakeFolders(folder);
    WriteBytes(platform::JoinPath(folder, kCommentFileName), kA + kB);
    const auto mine = testing::LeaveDebris(folder, kCommentFileName);
    const auto other = testing::LeaveDebris(folder, "tarqcfg.dat");
    EXPECT_EQ(operation(CommentStore(platform::JoinPath(folder, kCommentFileName))),
              StoreStatus::kOk);
    EXPECT_EQ(testing::SortedEntries(folder),
              testing::WithoutLeftovers({std::string(kCommentFileName)}, mine, other))
        << "operation " << run - 1;
  }
}

#ifndef _WIN32
// Process limits and permissions, as POSIX systems have them.
TEST_F(CommentStoreTest, AFileSizeLimitLeavesTheOldFile) {
  const std::string bytes = ManyRecords(4000);  // about 90 KB
  const std::function<StoreStatus()> operations[] = {
      [this] { return Store().SaveComment("new.bsp", "◎", "x"); },
      [this] { return Store().DeleteComment("m5.bsp"); }};
  for (const auto& operation : operations) {
    Write(bytes);
    // A child process whose files may not grow past 64 KiB: the real write fails.
    const pid_t child = ::fork();
    if (child == 0) {
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{1 << 16, 1 << 16};
      ::setrlimit(RLIMIT_FSIZE, &limit);
      ::_exit(operation() == StoreStatus::kWriteFailed ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(Bytes() == bytes) << "the old file changed";
    EXPECT_EQ(FolderEntries(dir_.Path()).size(), 1u);
  }
}

TEST_F(CommentStoreTest, AReadOnlyFolderIsAWriteFailure) {
  Write(kA);
  ::chmod(dir_.Path().c_str(), 0555);
  // Root writes anywhere: the save runs in a child that is an ordinary user.
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && ::setuid(65534) != 0) ::_exit(2);
    ::_exit(Store().SaveComment("b.bsp", "◎", "") == StoreStatus::kWriteFailed ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ::chmod(dir_.Path().c_str(), 0755);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(Bytes(), kA);
}

#endif  // _WIN32

}  // namespace
}  // namespace tarq::catalogue
