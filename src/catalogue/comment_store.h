#pragma once
// tarqcom.dat, the comment store: one record per line, three quoted fields,
// code page 932, CR LF after every record, no escape:
//
//   "c1a0.bsp","◎","test"<CR><LF>
//
// Nothing is kept in memory: every operation reads the file from its start
// and closes it before it returns. A save or delete writes a new file and
// puts it in place of the old one only when complete, so a failure at any
// point leaves the old file as it was; a file that cannot be read whole is
// never rewritten. Records other than the one saved or deleted are written
// back with their bytes unchanged. Launchers running at the same time take
// turns for a save or a delete, so neither loses the other's record; during
// its turn a save or delete also removes the new files that saves killed
// part-way left beside the file.
//
// Read leniently: line ends CR LF, LF or CR; blank lines skipped; unquoted
// fields taken as they stand (blanks around them trimmed). Refused as
// unreadable: a line with other than three fields, a quoted field without
// its closing quote on the line, bytes that are not code page 932, more than
// 32767 records (when records are counted), a file too large for 32-bit
// offsets (4 GiB).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/comment_record.h"

namespace tarq::catalogue {

inline constexpr std::string_view kCommentFileName = "tarqcom.dat";
inline constexpr int kMaxRecords = 32767;

enum class StoreStatus : std::uint8_t {
  kOk,
  kUnreadable,   // cannot be opened or read, or is a folder
  kMalformed,    // a record that is not three fields on one line
  kBadEncoding,  // bytes that are not code page 932
  kTooMany,      // more than 32767 records
  kTooLarge,     // 4 GiB less a byte or more: past the parse's 32-bit offsets
  kUnstorable,   // text the file cannot carry (see SaveComment)
  kBusy,         // another launcher held the folder's lock for all of its wait
  kWriteFailed,
};

struct FindResult {
  StoreStatus status = StoreStatus::kOk;
  bool found = false;
  std::string sMark;
  std::string sComment;
};

// The records of one reading of the file, as views into its decoded text.
// Move-only; the views live as long as the snapshot.
class CommentSnapshot final {
 public:
  CommentSnapshot() = default;
  CommentSnapshot(CommentSnapshot&&) = default;
  CommentSnapshot& operator=(CommentSnapshot&&) = default;
  CommentSnapshot(const CommentSnapshot&) = delete;
  CommentSnapshot& operator=(const CommentSnapshot&) = delete;

  StoreStatus status = StoreStatus::kOk;
  std::vector<RecordView> records;  // empty unless kOk

 private:
  friend CommentSnapshot ParseComments(std::string bytes);
  std::unique_ptr<std::string> text_;  // on the heap: moving keeps the views valid
};

// The records of a comment file's bytes, in file order, as ReadAllComments
// reads the file (32767 at most). The bytes go once decoded: the two are
// never held beside the records.
CommentSnapshot ParseComments(std::string bytes);

class CommentStore final {
 public:
  explicit CommentStore(std::string path) : path_(std::move(path)) {}

  // Every record in file order; none when the file does not exist.
  CommentSnapshot ReadAllComments() const;

  // The last record whose key equals name; no record limit.
  FindResult FindComment(std::string_view name) const;

  // Replaces the last record of that name, or adds one; the saved record is
  // always written last. A double quote in the mark or comment is stored as
  // "＂" (U+FF02) and a line break as a space, so that the record reads back
  // as stored; a name holding either, or text that code page 932 cannot
  // hold, is refused with kUnstorable and nothing is written.
  StoreStatus SaveComment(std::string_view name, std::string_view mark,
                          std::string_view comment) const;

  // Removes the last record of that name. No file, or no such record:
  // nothing is written.
  StoreStatus DeleteComment(std::string_view name) const;

 private:
  std::string path_;
};

// The text as SaveComment stores it: '"' as U+FF02, CR LF, CR and LF as a space.
std::string StorableText(std::string_view text);

// The bytes of one record with its line end; nullopt when a field cannot be
// written in code page 932.
std::optional<std::string> EncodeRecord(std::string_view name, std::string_view mark,
                                        std::string_view comment);

}  // namespace tarq::catalogue
