#pragma once
// Reads Steam's key–value text, the format of its .acf and .vdf files:
//
//   "AppState"                  a key, then either a value ...
//   {                           ... or a block of further keys
//       "appid"      "70"
//       "installdir" "Half-Life"
//   }
//
// Keys and values are double-quoted (with \\, \", \n and \t escaped) or bare
// words; "//" starts a comment to the end of the line. Steam compares keys
// ignoring the case of ASCII letters, and so does Find.
//
// Input that is not exactly that gives nothing, never a guess: a cut or
// unbalanced text, a conditional such as [$WIN32], text that is not UTF-8
// or holds a NUL, blocks nested deeper than anything Steam writes, a text
// larger than any Steam writes (1 MiB).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarq::platform {

struct KeyValue {
  std::string key;
  std::string value;            // empty for a block
  std::vector<KeyValue> block;  // the block's entries, in file order
  bool isBlock = false;
};
using KeyValues = std::vector<KeyValue>;

std::optional<KeyValues> ReadKeyValues(std::string_view text);

// The whole file read by ReadKeyValues; nullopt also when it is missing or
// cannot be read.
std::optional<KeyValues> ReadKeyValuesFile(const std::string& path);

// The first entry named `key`; nullptr when there is none.
const KeyValue* Find(const KeyValues& entries, std::string_view key);

// The value of the first entry named `key` of `block`'s entries, when
// `block` is a block and that entry is a value; nullptr otherwise.
const std::string* FindValue(const KeyValue* block, std::string_view key);

}  // namespace tarq::platform
