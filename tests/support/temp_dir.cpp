#include "temp_dir.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/fs.h"

namespace fs = std::filesystem;

namespace tarq::testing {

TempDir::TempDir() {
  std::random_device random;
  const fs::path base = fs::temp_directory_path();
  for (;;) {
    const fs::path candidate = base / ("tarq-test-" + std::to_string(random()));
    if (fs::create_directory(candidate)) {
      path_ = candidate.string();
      break;
    }
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Give back write permission that a test may have taken away.
  for (auto it = fs::recursive_directory_iterator(path_, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_directory(ignored))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

std::string TempDir::operator/(std::string_view relative) const {
  return platform::JoinPath(path_, relative);
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(fs::u8path(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Through the platform's reader, which on Windows shares the file for
// deletion too: MoveFileExW holds the file it moved open with delete access
// for a moment after the move, and a reader that does not share it (as the C
// runtime's fopen does not) fails to open a file that is already whole.
std::string ReadBytes(const std::string& path) {
  return platform::ReadWholeFile(path).bytes;
}

bool Exists(const std::string& path) {
  return fs::exists(fs::u8path(path));
}

void MakeFolders(const std::string& path) {
  fs::create_directories(fs::u8path(path));
}

void MakeExecutable(const std::string& path, std::string_view content) {
  WriteBytes(path, content);
  fs::permissions(fs::u8path(path), fs::perms::owner_all | fs::perms::group_read |
                                        fs::perms::group_exec | fs::perms::others_read |
                                        fs::perms::others_exec);
}

std::vector<std::string> FolderEntries(const std::string& path) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(fs::u8path(path))) {
    names.push_back(entry.path().filename().string());
  }
#ifdef _WIN32
  std::erase(names, "tarq.lock");  // the hidden file that FileLock locks, which saves leave
#endif
  return names;
}

void Hide(const std::string& path) {
#ifdef _WIN32
  SetFileAttributesW(fs::u8path(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
#else
  (void)path;
#endif
}

bool WaitForFile(const std::string& path) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    if (!ReadBytes(path).empty()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

}  // namespace tarq::testing
