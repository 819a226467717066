#pragma once
// Shared by the fuzz targets: a private folder on a memory file system where
// there is one (writes there cost no disk), and a checked assertion that
// stops the fuzzer with a message.

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/null_host.h"

namespace tarq::fuzz {

inline const std::string& Folder() {
  // Never destroyed: the exit handler that removes the folder still reads it.
  static const std::string* const folder = [] {
    namespace fs = std::filesystem;
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    const fs::path dir = base / ("tarq-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    auto* path = new std::string(dir.string());
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(Folder(), ignored);
    });
    return path;
  }();
  return *folder;
}

inline void Put(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string Get(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

using testing::NullHost;

#define FUZZ_CHECK(condition)                                                                \
  do {                                                                                       \
    if (!(condition)) {                                                                      \
      std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
      std::abort();                                                                          \
    }                                                                                        \
  } while (0)

}  // namespace tarq::fuzz
