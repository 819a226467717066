#include "platform/key_values.h"

#include <algorithm>

#include "platform/fs.h"
#include "platform/text.h"

namespace tarq::platform {
namespace {

// Steam's manifests nest three or four deep and are a few KiB; the limits
// leave room many times over and keep hostile input cheap.
constexpr std::size_t kMaxDepth = 16;
constexpr std::size_t kMaxSize = 1 << 20;

enum class Token : std::uint8_t { kText, kOpen, kClose, kEnd, kBad };

class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  // The next token; a kText leaves its text in text().
  Token Next() {
    SkipBlanksAndComments();
    if (at_ == text_.size()) return Token::kEnd;
    const char c = text_[at_];
    if (c == '{' || c == '}') {
      ++at_;
      return c == '{' ? Token::kOpen : Token::kClose;
    }
    if (c == '[') return Token::kBad;  // a conditional: not in Steam's own files
    return c == '"' ? Quoted() : Bare();
  }
  std::string& text() { return token_; }

 private:
  void SkipBlanksAndComments() {
    while (at_ < text_.size()) {
      if (text_.substr(at_, 2) == "//") {
        at_ = std::min(text_.find('\n', at_), text_.size());
      } else if (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\r' ||
                 text_[at_] == '\n') {
        ++at_;
      } else {
        return;
      }
    }
  }

  Token Quoted() {
    token_.clear();
    for (++at_; at_ < text_.size(); ++at_) {
      char c = text_[at_];
      if (c == '"') {
        ++at_;
        return Token::kText;
      }
      if (c == '\\' && ++at_ < text_.size()) {
        c = text_[at_];
        if (c == 'n' || c == 't') {
          c = c == 'n' ? '\n' : '\t';
        } else if (c != '\\' && c != '"') {
          token_.push_back('\\');  // not an escape: both stay
        }
      }
      token_.push_back(c);
    }
    return Token::kBad;  // cut before the closing quote
  }

  Token Bare() {
    const std::size_t end = std::min(text_.find_first_of(" \t\r\n{}\"", at_), text_.size());
    token_.assign(text_.substr(at_, end - at_));
    at_ = end;
    return Token::kText;
  }

  std::string_view text_;
  std::size_t at_ = 0;
  std::string token_;
};

}  // namespace

std::optional<KeyValues> ReadKeyValues(std::string_view text) {
  if (text.size() > kMaxSize || !IsValidUtf8(text) || text.find('\0') != std::string_view::npos) {
    return std::nullopt;
  }
  KeyValues top;
  // The open blocks, innermost last. Only the innermost grows, so the
  // entries that hold the others stay where they are.
  std::vector<KeyValues*> open{&top};
  Scanner scanner(text);
  for (;;) {
    Token token = scanner.Next();
    if (token == Token::kEnd) {
      if (open.size() > 1) return std::nullopt;  // a block left open
      return top;
    }
    if (token == Token::kClose && open.size() > 1) {
      open.pop_back();
      continue;
    }
    if (token != Token::kText) return std::nullopt;
    KeyValue entry{std::move(scanner.text()), {}, {}, false};
    token = scanner.Next();
    if (token == Token::kText) {
      entry.value = std::move(scanner.text());
      open.back()->push_back(std::move(entry));
    } else if (token == Token::kOpen && open.size() <= kMaxDepth) {
      entry.isBlock = true;
      open.back()->push_back(std::move(entry));
      open.push_back(&open.back()->back().block);
    } else {
      return std::nullopt;
    }
  }
}

std::optional<KeyValues> ReadKeyValuesFile(const std::string& path) {
  const auto size = FileSize(path);
  if (!size || *size > kMaxSize) return std::nullopt;  // not even read
  const ReadResult file = ReadWholeFile(path);
  if (file.status != ReadStatus::kOk) return std::nullopt;
  return ReadKeyValues(file.bytes);
}

const KeyValue* Find(const KeyValues& entries, std::string_view key) {
  const auto it = std::find_if(entries.begin(), entries.end(), [key](const KeyValue& entry) {
    return SameIgnoringAsciiCase(entry.key, key);
  });
  return it == entries.end() ? nullptr : &*it;
}

const std::string* FindValue(const KeyValue* block, std::string_view key) {
  if (block == nullptr || !block->isBlock) return nullptr;
  const KeyValue* entry = Find(block->block, key);
  return entry != nullptr && !entry->isBlock ? &entry->value : nullptr;
}

}  // namespace tarq::platform
