// A catalogue of comment files that users or other programs may hand the
// launcher (tests/data/bad/comments), each with its expected outcome. For
// every one: no crash, the outcome below, nothing written by reading or by
// the map list, no record lost by a save, and a refused file never rewritten.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <optional>
#include <string_view>

#include "catalogue/comment_store.h"
#include "catalogue/record_index.h"
#include "platform/fs.h"
#include "support/records.h"
#include "support/temp_dir.h"

namespace tarq::catalogue {
namespace {

namespace fs = std::filesystem;
using namespace std::string_view_literals;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

struct Outcome {
  const char* file;
  StoreStatus status;
  int records;                              // when kOk
  std::optional<std::string_view> comment;  // what FindComment("c1a0.bsp") returns
  friend void PrintTo(const Outcome& o, std::ostream* os) { *os << o.file; }
};

constexpr StoreStatus kOk = StoreStatus::kOk;
constexpr StoreStatus kMalformed = StoreStatus::kMalformed;
constexpr StoreStatus kBadEncoding = StoreStatus::kBadEncoding;

const Outcome kCatalogue[] = {
    {"unquoted_fields.dat", kOk, 1, "boss"sv},
    {"unquoted_with_blanks.dat", kOk, 1, "boss fight"sv},
    {"two_fields.dat", kMalformed, 0, std::nullopt},
    {"four_fields.dat", kMalformed, 0, std::nullopt},
    {"field_spanning_lines.dat", kMalformed, 0, std::nullopt},
    {"missing_final_line_end.dat", kOk, 2, "boss"sv},
    {"lf_line_ends.dat", kOk, 2, "boss"sv},
    {"cr_line_ends.dat", kOk, 2, "boss"sv},
    {"empty_line.dat", kOk, 2, "boss"sv},
    {"blank_line_of_spaces.dat", kOk, 1, "boss"sv},
    {"nul_bytes.dat", kOk, 1, "a\0b"sv},
    {"not_code_page_932.dat", kBadEncoding, 0, std::nullopt},
    {"cut_double_byte.dat", kBadEncoding, 0, std::nullopt},
    {"utf8_with_bom.dat", kBadEncoding, 0, std::nullopt},
    {"utf8_without_bom.dat", kBadEncoding, 0, std::nullopt},
    {"record_cut_short.dat", kMalformed, 0, std::nullopt},
    {"unclosed_quote.dat", kMalformed, 0, std::nullopt},
    {"text_after_closing_quote.dat", kMalformed, 0, std::nullopt},
    {"quote_inside_unquoted.dat", kOk, 1, std::nullopt},
    {"empty_file.dat", kOk, 0, std::nullopt},
    {"only_line_ends.dat", kOk, 0, std::nullopt},
    {"duplicate_records.dat", kOk, 2, "second"sv},
    {"unknown_mark.dat", kOk, 1, "boss"sv},
    {"long_mark.dat", kOk, 1, "two marks"sv},
    {"case_different_key.dat", kOk, 1, std::nullopt},
    {"half_width_katakana.dat", kOk, 1, "ｷｬﾝｾﾙ"sv},
    {"vendor_single_byte.dat", kOk, 1, "\uF8F0"sv},  // 0xA0, as Windows reads it
};

std::string Catalogued(const char* name) {
  return (fs::u8path(TARQ_BAD_FILES) / "comments" / name).string();
}

class BadCommentFile : public ::testing::TestWithParam<Outcome> {
 protected:
  std::string Path() const { return dir_ / "tarqcom.dat"; }
  TempDir dir_;
};

TEST_P(BadCommentFile, HasItsOutcomeAndLosesNothing) {
  const Outcome& o = GetParam();
  const std::string original = ReadBytes(Catalogued(o.file));
  ASSERT_TRUE(testing::Exists(Catalogued(o.file)));
  WriteBytes(Path(), original);
  const CommentStore store(Path());

  const CommentSnapshot all = store.ReadAllComments();
  EXPECT_EQ(all.status, o.status);
  const FindResult found = store.FindComment("c1a0.bsp");
  EXPECT_EQ(found.status, o.status);
  if (o.status == kOk) {
    EXPECT_EQ(all.records.size(), static_cast<std::size_t>(o.records));
    EXPECT_EQ(found.found, o.comment.has_value());
    if (o.comment) {
      EXPECT_EQ(found.sComment, *o.comment);
    }
  }
  // The map rows are made from it without writing anything.
  RecordIndex index(all.records);  // views into `all`
  EXPECT_FALSE(index.ComposeMapRow("c1a0.bsp").empty());
  EXPECT_TRUE(ReadBytes(Path()) == original);

  const StoreStatus saved = store.SaveComment("new.bsp", "◎", "added");
  if (o.status != kOk) {
    EXPECT_EQ(saved, o.status);
    EXPECT_EQ(store.DeleteComment("c1a0.bsp"), o.status);
    EXPECT_TRUE(ReadBytes(Path()) == original) << "a refused file was rewritten";
    return;
  }
  ASSERT_EQ(saved, kOk);
  const CommentSnapshot after = store.ReadAllComments();
  ASSERT_EQ(after.status, kOk);
  std::vector<CommentRecord> expected = testing::Records(all);
  expected.push_back({"new.bsp", "◎", "added"});
  EXPECT_EQ(testing::Records(after), expected) << "a save lost or changed a record";
}

INSTANTIATE_TEST_SUITE_P(Catalogue, BadCommentFile, ::testing::ValuesIn(kCatalogue),
                         [](const auto& p) {
                           std::string name = p.param.file;
                           return name.substr(0, name.find('.'));
                         });

TEST(BadCommentFiles, EveryCataloguedFileHasAnOutcome) {
  std::size_t files = 0;
  for (const auto& entry : fs::directory_iterator(fs::u8path(TARQ_BAD_FILES) / "comments")) {
    const std::string name = entry.path().filename().string();
    bool listed = false;
    for (const Outcome& o : kCatalogue) listed = listed || name == o.file;
    EXPECT_TRUE(listed) << name;
    ++files;
  }
  EXPECT_EQ(files, std::size(kCatalogue));
}

// Made here rather than committed: large, or a situation rather than bytes.
class MadeBadFiles : public ::testing::Test {
 protected:
  std::string Path() const { return dir_ / "tarqcom.dat"; }
  TempDir dir_;
};

TEST_F(MadeBadFiles, AOneMebibyteCommentReadsAndSurvivesASave) {
  const std::string comment(1 << 20, 'x');
  WriteBytes(Path(), "\"c1a0.bsp\",\"\x81\x9d\",\"" + comment + "\"\r\n");
  const CommentStore store(Path());
  EXPECT_EQ(store.FindComment("c1a0.bsp").sComment.size(), comment.size());
  ASSERT_EQ(store.SaveComment("new.bsp", "○", ""), kOk);
  const auto all = store.ReadAllComments();
  ASSERT_EQ(all.records.size(), 2u);
  EXPECT_TRUE(all.records[0].sComment == comment);
}

TEST_F(MadeBadFiles, ThirtyTwoThousandSevenHundredSixtyEightRecordsAreRefused) {
  std::string bytes;
  for (int i = 0; i <= kMaxRecords; ++i)
    bytes += "\"m" + std::to_string(i) + ".bsp\",\"\",\"\"\r\n";
  WriteBytes(Path(), bytes);
  const CommentStore store(Path());
  EXPECT_EQ(store.ReadAllComments().status, StoreStatus::kTooMany);
  EXPECT_TRUE(store.FindComment("m32767.bsp").found);
  EXPECT_EQ(store.SaveComment("x.bsp", "◎", ""), StoreStatus::kTooMany);
  EXPECT_TRUE(ReadBytes(Path()) == bytes);
}

TEST_F(MadeBadFiles, AFolderWhereTheFileShouldBeIsUnreadable) {
  testing::MakeFolders(Path());
  const CommentStore store(Path());
  EXPECT_EQ(store.ReadAllComments().status, StoreStatus::kUnreadable);
  EXPECT_EQ(store.FindComment("c1a0.bsp").status, StoreStatus::kUnreadable);
  EXPECT_EQ(store.SaveComment("c1a0.bsp", "◎", ""), StoreStatus::kUnreadable);
  EXPECT_EQ(store.DeleteComment("c1a0.bsp"), StoreStatus::kUnreadable);
  EXPECT_TRUE(platform::IsFolder(Path()));
}

#ifndef _WIN32
TEST_F(MadeBadFiles, AFileWithoutReadPermissionIsUnreadableAndUntouched) {
  const std::string bytes = "\"c1a0.bsp\",\"\x81\x9d\",\"boss\"\r\n";
  WriteBytes(Path(), bytes);
  ::chmod(Path().c_str(), 0);
  ::chmod(dir_.Path().c_str(), 0777);
  // Root reads anything: the launcher runs in a child that is an ordinary user.
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && ::setuid(65534) != 0) ::_exit(9);
    const CommentStore store(Path());
    const bool ok = store.ReadAllComments().status == StoreStatus::kUnreadable &&
                    store.FindComment("c1a0.bsp").status == StoreStatus::kUnreadable &&
                    store.SaveComment("x.bsp", "◎", "") == StoreStatus::kUnreadable &&
                    store.DeleteComment("c1a0.bsp") == StoreStatus::kUnreadable;
    ::_exit(ok ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ::chmod(Path().c_str(), 0644);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_TRUE(ReadBytes(Path()) == bytes);
}
#endif

}  // namespace
}  // namespace tarq::catalogue
