#include "worst_case.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "catalogue/comment_store.h"
#include "platform/fs.h"

namespace fs = std::filesystem;

namespace tarq::bench {

Fixture::~Fixture() {
  std::error_code ignored;
  if (!root.empty()) fs::remove_all(root, ignored);
}

void Build(Fixture& f, int maps, int records) {
  std::random_device seed;
  f.root = (fs::temp_directory_path() / ("tarq-bench-" + std::to_string(seed()))).string();
  f.program = f.root + "/prog";
  f.game = f.root + "/Half-Life";
  f.maps = f.game + "/valve/maps";
  f.commentFile = f.program + "/tarqcom.dat";
  fs::create_directories(f.program);
  fs::create_directories(f.maps);
  std::ofstream(f.game + "/hl.exe").put('\n');

  std::mt19937 random(12345);
  std::vector<std::string> names;
  for (int i = 0; i < maps; ++i) {
    // Names of mixed length and case, as real map packs have.
    char name[64];
    std::snprintf(name, sizeof name, "%s%05d_%s.%s", i % 3 == 0 ? "C" : "c", i,
                  std::string(static_cast<std::size_t>(random() % 8), 'x').c_str(),
                  i % 7 == 0 ? "BSP" : "bsp");
    names.emplace_back(name);
    std::ofstream(f.maps + "/" + name);
  }
  std::vector<int> order(static_cast<std::size_t>(records));
  for (int i = 0; i < records; ++i) order[static_cast<std::size_t>(i)] = i % std::max(maps, 1);
  std::shuffle(order.begin(), order.end(), random);
  static const char* const kMarks[] = {"◎", "○", "△", "×", "！", "？", "☆", "＊", "λ", "　"};
  std::string bytes;
  for (int i = 0; i < records; ++i) {
    const std::string& name =
        names.empty() ? "none.bsp"
                      : names[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])];
    const std::string comment = "難しい　ボス戦 No." + std::to_string(i) + " remember the crowbar";
    bytes += *catalogue::EncodeRecord(name, kMarks[i % 10], comment);
  }
  platform::ReplaceFileContents(f.commentFile, bytes);
  platform::ReplaceFileContents(f.program + "/tarqcfg.dat", f.game + "\r\n 1 \r\n 2 \r\n 0 \r\n");
}

}  // namespace tarq::bench
