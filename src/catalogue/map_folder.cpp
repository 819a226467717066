#include "catalogue/map_folder.h"

#include <algorithm>
#include <numeric>

#include "platform/fs.h"

namespace tarq::catalogue {
namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string FoldedKey(std::string_view name) {
  std::string key(name);
  for (char& c : key) c = Upper(c);
  return key;
}

}  // namespace

bool IsMapFileName(std::string_view name) {
  if (name.size() < 4) return false;
  const std::string_view ext = name.substr(name.size() - 4);
  return ext[0] == '.' && Upper(ext[1]) == 'B' && Upper(ext[2]) == 'S' && Upper(ext[3]) == 'P';
}

bool MapNameLess(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(Upper(a[i]));
    const auto cb = static_cast<unsigned char>(Upper(b[i]));
    if (ca != cb) return ca < cb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;  // UTF-8 byte order is code point order
}

std::optional<std::vector<std::string>> ListMapFiles(const std::string& folder) {
  auto names = platform::ListPlainFiles(folder, IsMapFileName);
  if (!names) return std::nullopt;
  // Sort by precomputed folded keys: a comparison is then one memcmp.
  std::vector<std::string> keys;
  keys.reserve(names->size());
  for (const auto& n : *names) keys.push_back(FoldedKey(n));
  std::vector<std::size_t> order(names->size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
    if (keys[x] != keys[y]) return keys[x] < keys[y];
    return (*names)[x] < (*names)[y];
  });
  std::vector<std::string> sorted;
  sorted.reserve(order.size());
  for (const std::size_t i : order) sorted.push_back(std::move((*names)[i]));
  return sorted;
}

}  // namespace tarq::catalogue
