#include "catalogue/comment_store.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <system_error>
#include <thread>

#include "platform/file_lock.h"
#include "platform/fs.h"
#include "platform/text.h"
#include "platform/text_lines.h"

namespace tarq::catalogue {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Offsets into the file; a comment file is far below 4 GiB (ReadWholeFile
// refuses nothing, so the parser refuses larger files).
struct Span {
  std::uint32_t begin = 0;
  std::uint32_t end = 0;
  std::string_view In(std::string_view bytes) const { return bytes.substr(begin, end - begin); }
};

// One record as it stands in the file: the line without its line end, and
// its three field values (quotes and trimmed blanks excluded).
struct RawRecord {
  Span line;
  Span field[3];
};

// A comment file read and parsed. Its code page check runs when first asked
// for, which lets a rewrite make it while the disk syncs the new file: only
// Checked() gives the final status.
class ParsedFile {
 public:
  // The status, a failed code page check first: bytes that are not code
  // page 932 make even the parse's verdict meaningless.
  StoreStatus Checked() {
    if (!valid_) valid_ = platform::IsValidCp932(bytes);
    return *valid_ ? status : StoreStatus::kBadEncoding;
  }

  StoreStatus status = StoreStatus::kOk;
  std::string bytes;
  std::vector<RawRecord> records;

 private:
  std::optional<bool> valid_;
};

// Makes a file's code page check on a second thread while the caller goes
// on; Result() waits for it. A small file is checked in Result() itself:
// starting a thread can take most of a millisecond. What it buys: a save or
// a delete of a 32767-record file takes about 1.3 to 1.45 times a plain
// copy of it (make bench, rows 4a and 4b); checked before the sync, 1.5 to
// 1.55.
class CheckBeside {
 public:
  explicit CheckBeside(ParsedFile& parsed) : parsed_(parsed) {
    if (parsed.bytes.size() < kBesideFrom) return;
    try {
      thread_ = std::jthread([this] { status_ = parsed_.Checked(); });
    } catch (const std::system_error&) {
      // No thread to be had: Result() checks.
    }
  }
  CheckBeside(const CheckBeside&) = delete;
  CheckBeside& operator=(const CheckBeside&) = delete;
  ~CheckBeside() { Wait(); }

  StoreStatus Result() { return Wait() ? status_ : parsed_.Checked(); }

 private:
  static constexpr std::size_t kBesideFrom = 256 << 10;

  bool Wait() {
    if (!thread_.joinable()) return false;
    thread_.join();
    return true;
  }

  ParsedFile& parsed_;
  StoreStatus status_ = StoreStatus::kOk;
  std::jthread thread_;
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::size_t SkipBlanks(std::string_view line, std::size_t pos) {
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  return pos;
}

// Parses the three fields of one line, offsets from `base`. A field is
// quoted (the text up to the next quote, which may hold commas; blanks
// around it ignored) or bare (up to the next comma, blanks trimmed). False
// for other than three fields, a quote not closed on the line, or text
// after a closing quote. The structural bytes (quote, comma, blanks) are all
// below 0x40 and so never the second byte of a double-byte character:
// scanning bytes is safe once the file is valid code page 932.
bool ParseRecordLine(std::string_view line, std::size_t base, RawRecord& record) {
  const auto find = [line](std::size_t from, char c) {
    const void* hit = std::memchr(line.data() + from, c, line.size() - from);
    return hit != nullptr ? static_cast<std::size_t>(static_cast<const char*>(hit) - line.data())
                          : std::string_view::npos;
  };
  std::size_t pos = 0;
  for (int f = 0; f < 3; ++f) {
    pos = SkipBlanks(line, pos);
    std::size_t begin = pos;
    std::size_t end = 0;
    if (pos < line.size() && line[pos] == '"') {
      begin = pos + 1;
      end = find(begin, '"');
      if (end == std::string_view::npos) return false;
      pos = SkipBlanks(line, end + 1);
    } else {
      pos = std::min(find(pos, ','), line.size());
      end = pos;
      while (end > begin && IsBlank(line[end - 1])) --end;
    }
    record.field[f] = {static_cast<std::uint32_t>(base + begin),
                       static_cast<std::uint32_t>(base + end)};
    if (f < 2) {
      if (pos >= line.size() || line[pos] != ',') return false;
      ++pos;
    }
  }
  return pos == line.size();
}

// Calls take(record) for each record of text (file bytes, or their UTF-8
// decoding: the structure is the same ASCII bytes in both). Blank lines
// hold no record.
template <typename Take>
StoreStatus ForEachRecord(std::string_view text, bool countRecords, Take&& take) {
  if (text.size() >= 0xFFFFFFFFu) return StoreStatus::kTooLarge;
  StoreStatus status = StoreStatus::kOk;
  std::size_t count = 0;
  platform::ForEachLine(text, [&](std::string_view line) {
    if (SkipBlanks(line, 0) == line.size()) return true;
    if (countRecords && count >= static_cast<std::size_t>(kMaxRecords)) {
      status = StoreStatus::kTooMany;
      return false;
    }
    const auto start = static_cast<std::size_t>(line.data() - text.data());
    RawRecord record;
    record.line = {static_cast<std::uint32_t>(start),
                   static_cast<std::uint32_t>(start + line.size())};
    if (!ParseRecordLine(line, start, record)) {
      status = StoreStatus::kMalformed;
      return false;
    }
    take(record);
    ++count;
    return true;
  });
  return status;
}

// Reads and parses the file; its code page check is left to Checked().
ParsedFile ReadAndParse(const std::string& path, bool countRecords) {
  ParsedFile parsed;
  platform::ReadResult file = platform::ReadWholeFile(path);
  if (file.status == platform::ReadStatus::kMissing) return parsed;  // no records
  if (file.status != platform::ReadStatus::kOk) {
    parsed.status = StoreStatus::kUnreadable;
    return parsed;
  }
  parsed.bytes = std::move(file.bytes);
  // The parse only scans for ASCII bytes; its result counts only when the
  // bytes pass the check.
  parsed.records.reserve(parsed.bytes.size() / 32 + 16);
  parsed.status = ForEachRecord(parsed.bytes, countRecords,
                                [&parsed](const RawRecord& r) { parsed.records.push_back(r); });
  return parsed;
}

std::string Decode(std::string_view bytes) {
  // The whole file was validated, so decoding cannot fail here.
  return platform::DecodeCp932(bytes).value_or(std::string());
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Position of the last record whose key is `name`, -1 when there is none.
std::ptrdiff_t FindLast(const ParsedFile& parsed, std::string_view name) {
  // An ASCII name, the usual case, equals only a key of the same bytes: no
  // decoding. Otherwise keys are compared as text, since code page 932 has
  // characters with two codes.
  const bool asciiName = IsAscii(name);
  for (std::size_t i = parsed.records.size(); i-- > 0;) {
    const std::string_view key = parsed.records[i].field[0].In(parsed.bytes);
    const bool match = asciiName ? key == name : !IsAscii(key) && Decode(key) == name;
    if (match) return static_cast<std::ptrdiff_t>(i);
  }
  return -1;
}

// Writes every record but `skip` with its own bytes, then `extra`, and
// replaces the file only when the code page check, made meanwhile, passes.
StoreStatus Rewrite(const std::string& path, ParsedFile& parsed, std::ptrdiff_t skip,
                    std::string_view extra) {
  platform::AtomicFileWriter writer(path);
  if (!writer.Open()) return StoreStatus::kWriteFailed;
  const std::string_view bytes = parsed.bytes;
  // Records that follow each other with CR LF are written as one run of the
  // file's own bytes; any other line end becomes CR LF.
  std::size_t runBegin = 0;
  std::size_t runEnd = 0;
  const auto flush = [&] {
    const bool ok = runEnd == runBegin || writer.Write(bytes.substr(runBegin, runEnd - runBegin));
    runBegin = runEnd = 0;
    return ok;
  };
  for (std::size_t i = 0; i < parsed.records.size(); ++i) {
    if (static_cast<std::ptrdiff_t>(i) == skip) continue;
    const Span line = parsed.records[i].line;
    if (runEnd != line.begin && !flush()) return StoreStatus::kWriteFailed;
    if (runEnd == runBegin) runBegin = line.begin;
    if (bytes.substr(line.end, 2) == kLineEnd) {
      runEnd = line.end + 2;
    } else {
      runEnd = line.end;
      if (!flush() || !writer.Write(kLineEnd)) return StoreStatus::kWriteFailed;
    }
  }
  if (!flush()) return StoreStatus::kWriteFailed;
  if (!extra.empty() && !writer.Write(extra)) return StoreStatus::kWriteFailed;
  // The check runs while this thread waits for the disk.
  CheckBeside check(parsed);
  StoreStatus checked = StoreStatus::kOk;
  const bool committed = writer.Commit([&] {
    checked = check.Result();
    return checked == StoreStatus::kOk;  // else the writer removes its new file
  });
  if (checked != StoreStatus::kOk) return checked;
  return committed ? StoreStatus::kOk : StoreStatus::kWriteFailed;
}

}  // namespace

std::string StorableText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      out += "＂";
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<std::string> EncodeRecord(std::string_view name, std::string_view mark,
                                        std::string_view comment) {
  std::string record;
  const std::string_view fields[3] = {name, mark, comment};
  for (int f = 0; f < 3; ++f) {
    const auto bytes = platform::EncodeCp932(fields[f]);
    if (!bytes) return std::nullopt;
    record += f == 0 ? "\"" : ",\"";
    record += *bytes;
    record += '"';
  }
  record += kLineEnd;
  return record;
}

CommentSnapshot CommentStore::ReadAllComments() const {
  platform::ReadResult file = platform::ReadWholeFile(path_);
  if (file.status == platform::ReadStatus::kMissing) return {};
  if (file.status != platform::ReadStatus::kOk) {
    CommentSnapshot snapshot;
    snapshot.status = StoreStatus::kUnreadable;
    return snapshot;
  }
  return ParseComments(std::move(file.bytes));
}

CommentSnapshot ParseComments(std::string bytes) {
  CommentSnapshot snapshot;
  // One decoding of the whole file; the records are views into it.
  auto text = platform::DecodeCp932(bytes);
  bytes = std::string();
  if (!text) {
    snapshot.status = StoreStatus::kBadEncoding;
    return snapshot;
  }
  snapshot.text_ = std::make_unique<std::string>(std::move(*text));
  const std::string_view view = *snapshot.text_;
  // At most a record a line: room for them all at once, not the growing
  // vector's old and new storage side by side.
  const auto lines = static_cast<std::size_t>(std::count(view.begin(), view.end(), '\n')) + 1;
  snapshot.records.reserve(std::min(lines, static_cast<std::size_t>(kMaxRecords)));
  snapshot.status = ForEachRecord(view, true, [&](const RawRecord& r) {
    snapshot.records.push_back({r.field[0].In(view), r.field[1].In(view), r.field[2].In(view)});
  });
  if (snapshot.status != StoreStatus::kOk) snapshot.records.clear();
  return snapshot;
}

FindResult CommentStore::FindComment(std::string_view name) const {
  FindResult result;
  ParsedFile parsed = ReadAndParse(path_, false);
  result.status = parsed.Checked();
  if (result.status != StoreStatus::kOk) return result;
  const std::ptrdiff_t m = FindLast(parsed, name);
  if (m >= 0) {
    const RawRecord& raw = parsed.records[static_cast<std::size_t>(m)];
    result.found = true;
    result.sMark = Decode(raw.field[1].In(parsed.bytes));
    result.sComment = Decode(raw.field[2].In(parsed.bytes));
  }
  return result;
}

StoreStatus CommentStore::SaveComment(std::string_view name, std::string_view mark,
                                      std::string_view comment) const {
  // A key with a quote or a line break could never be found again.
  if (name.find_first_of("\"\r\n") != std::string_view::npos) return StoreStatus::kUnstorable;
  const auto record = EncodeRecord(name, StorableText(mark), StorableText(comment));
  if (!record) return StoreStatus::kUnstorable;
  // Another launcher's save between this read and this write would be lost.
  const platform::FileLock lock(path_);
  if (lock.state() == platform::FileLock::State::kBusy) return StoreStatus::kBusy;
  lock.RemoveLeftovers();
  ParsedFile parsed = ReadAndParse(path_, true);
  if (parsed.status != StoreStatus::kOk) return parsed.Checked();
  return Rewrite(path_, parsed, FindLast(parsed, name), *record);
}

StoreStatus CommentStore::DeleteComment(std::string_view name) const {
  const platform::FileLock lock(path_);
  if (lock.state() == platform::FileLock::State::kBusy) return StoreStatus::kBusy;
  lock.RemoveLeftovers();
  ParsedFile parsed = ReadAndParse(path_, true);
  if (parsed.status != StoreStatus::kOk) return parsed.Checked();
  const std::ptrdiff_t m = FindLast(parsed, name);
  // Nothing to remove: the file stays as it is.
  if (m < 0) return parsed.Checked();
  return Rewrite(path_, parsed, m, {});
}

}  // namespace tarq::catalogue
