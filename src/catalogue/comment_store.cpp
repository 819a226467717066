#include "catalogue/comment_store.h"

#include "platform/fs.h"
#include "platform/text.h"

namespace tarq::catalogue {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

struct Span {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::string_view In(std::string_view bytes) const { return bytes.substr(begin, end - begin); }
};

// One record as it stands in the file: the line without its line end, and
// its three field values (quotes and trimmed blanks excluded).
struct RawRecord {
  Span line;
  Span field[3];
};

struct ParsedFile {
  StoreStatus status = StoreStatus::kOk;
  std::string bytes;
  std::vector<RawRecord> records;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Parses one field of a line starting at pos. The structural bytes (quote,
// comma, blanks) are all below 0x40 and so can never be the second byte of
// a double-byte character: scanning bytes is safe once the file is valid.
bool ParseField(std::string_view line, std::size_t base, std::size_t& pos, bool last,
                Span& value) {
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  if (pos < line.size() && line[pos] == '"') {
    const std::size_t close = line.find('"', pos + 1);
    if (close == std::string_view::npos) return false;
    value = {base + pos + 1, base + close};
    pos = close + 1;
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
  } else {
    std::size_t end = line.find(',', pos);
    if (end == std::string_view::npos) end = line.size();
    std::size_t trimmed = end;
    while (trimmed > pos && IsBlank(line[trimmed - 1])) --trimmed;
    value = {base + pos, base + trimmed};
    pos = end;
  }
  if (last) return pos == line.size();
  if (pos >= line.size() || line[pos] != ',') return false;
  ++pos;
  return true;
}

ParsedFile Parse(platform::ReadResult file, bool countRecords) {
  ParsedFile parsed;
  if (file.status != platform::ReadStatus::kOk) {
    parsed.status = StoreStatus::kUnreadable;
    return parsed;
  }
  parsed.bytes = std::move(file.bytes);
  const std::string_view bytes = parsed.bytes;
  if (!platform::IsValidCp932(bytes)) {
    parsed.status = StoreStatus::kBadEncoding;
    return parsed;
  }
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view line = bytes.substr(start, end - start);
    std::size_t next = end + 1;
    if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') ++next;
    bool blank = true;
    for (const char c : line) blank = blank && IsBlank(c);
    if (!blank) {
      if (countRecords && parsed.records.size() >= static_cast<std::size_t>(kMaxRecords)) {
        parsed.status = StoreStatus::kTooMany;
        return parsed;
      }
      RawRecord record;
      record.line = {start, end};
      std::size_t pos = 0;
      for (int f = 0; f < 3; ++f) {
        if (!ParseField(line, start, pos, f == 2, record.field[f])) {
          parsed.status = StoreStatus::kMalformed;
          return parsed;
        }
      }
      parsed.records.push_back(record);
    }
    start = next;
  }
  return parsed;
}

ParsedFile ReadAndParse(const std::string& path, bool countRecords) {
  platform::ReadResult file = platform::ReadWholeFile(path);
  if (file.status == platform::ReadStatus::kMissing) {
    ParsedFile none;
    none.status = StoreStatus::kOk;
    return none;
  }
  return Parse(std::move(file), countRecords);
}

std::string Decode(std::string_view bytes) {
  // The whole file was validated, so decoding cannot fail here.
  return platform::DecodeCp932(bytes).value_or(std::string());
}

// Position of the last record whose key is `name`, -1 when there is none.
std::ptrdiff_t FindLast(const ParsedFile& parsed, std::string_view name) {
  for (std::size_t i = parsed.records.size(); i-- > 0;) {
    const std::string_view key = parsed.records[i].field[0].In(parsed.bytes);
    // ASCII keys, the usual case, compare without decoding.
    bool ascii = true;
    for (const char c : key) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii ? key == name : Decode(key) == name) return static_cast<std::ptrdiff_t>(i);
  }
  return -1;
}

// Writes every record but `skip` with its own bytes, then `extra`.
StoreStatus Rewrite(const std::string& path, const ParsedFile& parsed, std::ptrdiff_t skip,
                    std::string_view extra) {
  platform::AtomicFileWriter writer(path);
  if (!writer.Open()) return StoreStatus::kWriteFailed;
  const std::string_view bytes = parsed.bytes;
  for (std::size_t i = 0; i < parsed.records.size(); ++i) {
    if (static_cast<std::ptrdiff_t>(i) == skip) continue;
    if (!writer.Write(parsed.records[i].line.In(bytes)) || !writer.Write(kLineEnd)) {
      return StoreStatus::kWriteFailed;
    }
  }
  if (!extra.empty() && !writer.Write(extra)) return StoreStatus::kWriteFailed;
  return writer.Commit() ? StoreStatus::kOk : StoreStatus::kWriteFailed;
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

ReadAllResult CommentStore::ReadAllComments() const {
  ReadAllResult result;
  const ParsedFile parsed = ReadAndParse(path_, true);
  result.status = parsed.status;
  if (parsed.status != StoreStatus::kOk) return result;
  result.records.reserve(parsed.records.size());
  for (const RawRecord& raw : parsed.records) {
    result.records.push_back({Decode(raw.field[0].In(parsed.bytes)),
                              Decode(raw.field[1].In(parsed.bytes)),
                              Decode(raw.field[2].In(parsed.bytes))});
  }
  return result;
}

FindResult CommentStore::FindComment(std::string_view name) const {
  FindResult result;
  const ParsedFile parsed = ReadAndParse(path_, false);
  result.status = parsed.status;
  if (parsed.status != StoreStatus::kOk) return result;
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
  const ParsedFile parsed = ReadAndParse(path_, true);
  if (parsed.status != StoreStatus::kOk) return parsed.status;
  return Rewrite(path_, parsed, FindLast(parsed, name), *record);
}

StoreStatus CommentStore::DeleteComment(std::string_view name) const {
  const ParsedFile parsed = ReadAndParse(path_, true);
  if (parsed.status != StoreStatus::kOk) return parsed.status;
  const std::ptrdiff_t m = FindLast(parsed, name);
  if (m < 0) return StoreStatus::kOk;  // nothing to remove: the file stays as it is
  return Rewrite(path_, parsed, m, {});
}

}  // namespace tarq::catalogue
