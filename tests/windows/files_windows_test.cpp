// The Win32 file code where other programs and launchers meet it: a file
// held open for a moment, the lock in two processes and its file, which no
// one can delete while it is held, a write probe held open, the data folder
// by place, folders deeper than MAX_PATH.

#include <windows.h>

#include <gtest/gtest.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <atomic>
#include <cctype>
#include <thread>

#include "platform/drives.h"
#include "platform/file_lock.h"
#include "platform/fs.h"
#include "platform/process.h"
#include "platform/win32/fs_win32.h"
#include "platform/win32/wide.h"
#include "support/temp_dir.h"

namespace tarq::platform {
namespace {

using testing::TempDir;
using win32::Wide;

// Run again by the lock test as another launcher ("data file|event" in
// TARQ_TEST_LOCK): takes the lock, sets the event and holds on until killed.
const bool kLockHolder = [] {
  const auto job = win32::FilledText([](wchar_t* buffer, DWORD size) {
    return GetEnvironmentVariableW(L"TARQ_TEST_LOCK", buffer, size);
  });
  if (!job) return false;
  const auto bar = job->find(L'|');
  const FileLock lock(win32::Narrow(job->substr(0, bar)));
  if (lock.state() == FileLock::State::kHeld) {
    SetEvent(OpenEventW(EVENT_MODIFY_STATE, FALSE, job->c_str() + bar + 1));
  }
  Sleep(60000);
  ExitProcess(0);
}();

TEST(WindowsReplace, WaitsForAFileHeldForAMomentAndNoLonger) {
  TempDir dir;
  const std::string path = dir / "tarqcom.dat";
  testing::WriteBytes(path, "old");
  // Another program's handle without delete sharing, as antivirus holds a file.
  HANDLE held = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_FALSE(ReplaceFileContents(path, "new"));  // held for the whole save
  EXPECT_EQ(testing::ReadBytes(path), "old");
  EXPECT_EQ(testing::FolderEntries(dir.Path()).size(), 1u);

  // Let go by another thread once the first try has failed.
  const HANDLE letGo = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    WaitForSingleObject(letGo, INFINITE);
    CloseHandle(held);
  });
  testing::WriteBytes(dir / "new", "new");
  int failures = 0;
  EXPECT_TRUE(win32::RetryWhileHeld([&] {
    if (MoveFileExW(Wide(dir / "new").c_str(), Wide(path).c_str(), MOVEFILE_REPLACE_EXISTING)) {
      return true;
    }
    const DWORD error = GetLastError();
    if (failures++ == 0) {
      SetEvent(letGo);
      holder.join();
    }
    SetLastError(error);
    return false;
  }));
  EXPECT_EQ(failures, 1);
  EXPECT_EQ(testing::ReadBytes(path), "new");
  SetEvent(letGo);
  if (holder.joinable()) holder.join();
  CloseHandle(letGo);
}

// Windows cannot replace a file that is open, even with delete sharing: a
// reader that opens it again and again (another launcher's map list, a
// scanner), here open two thirds of the time, leaves the move only the
// moments between its opens.
TEST(WindowsReplace, FindsTheMomentsBetweenAReadersOpens) {
  TempDir dir;
  const std::string path = dir / "tarqcom.dat";
  testing::WriteBytes(path, "old");
  std::atomic<bool> saving = true;
  std::thread reader([&] {
    while (saving) {
      const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
      Sleep(2);
      if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
      Sleep(1);
    }
  });
  int failed = 0;
  for (int i = 0; i < 100; ++i) failed += !ReplaceFileContents(path, std::to_string(i));
  saving = false;
  reader.join();
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(testing::ReadBytes(path), "99");
  EXPECT_EQ(testing::FolderEntries(dir.Path()).size(), 1u);
}

TEST(WindowsFileLock, HeldByAnotherProcessUntilItIsKilledUnderAnySpelling) {
  TempDir dir;
  const std::string data = dir / "tarqcom.dat";
  const std::wstring event = L"Local\\tarq-test-" + std::to_wstring(GetCurrentProcessId());
  const HANDLE held = CreateEventW(nullptr, TRUE, FALSE, event.c_str());
  std::wstring self(32768, L'\0');
  self.resize(GetModuleFileNameW(nullptr, self.data(), 32768));
  SetEnvironmentVariableW(L"TARQ_TEST_LOCK", (Wide(data) + L"|" + event).c_str());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  const BOOL started = CreateProcessW(self.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                                      nullptr, &startup, &child);
  SetEnvironmentVariableW(L"TARQ_TEST_LOCK", nullptr);
  ASSERT_TRUE(started);
  const HANDLE heldOrEnded[] = {held, child.hProcess};
  ASSERT_EQ(WaitForMultipleObjects(2, heldOrEnded, FALSE, 60000), WAIT_OBJECT_0);

  EXPECT_EQ(FileLock(data).state(), FileLock::State::kBusy);
  TerminateProcess(child.hProcess, 0);
  WaitForSingleObject(child.hProcess, 60000);
  const FileLock lock(data);
  EXPECT_EQ(lock.state(), FileLock::State::kHeld);
  std::string upper = data;  // another spelling of the same file
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(FileLock(upper).state(), FileLock::State::kBusy);
  for (const HANDLE h : {held, child.hProcess, child.hThread}) CloseHandle(h);
}

TEST(WindowsFileLock, TheLockFileCannotBeDeletedOrRenamedWhileHeld) {
  TempDir dir;
  const std::string data = dir / "tarqcom.dat";
  const std::wstring lockFile = Wide(dir / "tarq.lock");
  const FileLock lock(data);
  ASSERT_EQ(lock.state(), FileLock::State::kHeld);
  EXPECT_FALSE(DeleteFileW(lockFile.c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_FALSE(MoveFileExW(lockFile.c_str(), Wide(dir / "moved").c_str(), 0));
  EXPECT_EQ(FileLock(data, std::chrono::milliseconds(0)).state(), FileLock::State::kBusy);
}

TEST(WindowsDataFolder, AProbeHeldOpenElsewhereStillFindsTheFolderWritable) {
  TempDir dir;  // this process's probe, open without sharing as a second probe holds it
  const HANDLE other = CreateFileW(Wide(dir / win32::WriteProbeName()).c_str(), GENERIC_WRITE, 0,
                                   nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  EXPECT_EQ(DataFolder(dir.Path()), dir.Path());
  CloseHandle(other);
}

// Windows takes paths deeper than MAX_PATH only from a program whose
// manifest says longPathAware, as the test programs' does, and only where
// LongPathsEnabled is set (Windows 10 1607 and later): ntdll then says so.
// Wine has no such limit and no such call.
TEST(WindowsLongPaths, GameAndDataFoldersDeeperThanMaxPath) {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  const auto enabled = reinterpret_cast<BOOLEAN(WINAPI*)()>(
      reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlAreLongPathsEnabled")));
  if (enabled == nullptr && GetProcAddress(ntdll, "wine_get_version") == nullptr) {
    GTEST_SKIP() << "Windows before 10 1607 has no paths deeper than MAX_PATH";
  }
  if (enabled != nullptr && !enabled()) {
    DWORD on = 0, size = sizeof on;
    RegGetValueW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\FileSystem",
                 L"LongPathsEnabled", RRF_RT_REG_DWORD, nullptr, &on, &size);
    ASSERT_EQ(on, 0u) << "long paths are on, but not for this program: no longPathAware manifest";
    GTEST_SKIP() << "long paths are off on this system (LongPathsEnabled is not set)";
  }
  TempDir dir;
  std::string deep = dir.Path();
  while (Wide(deep).size() <= 300) deep = JoinPath(deep, "長いフォルダ名-" + std::string(40, 'x'));
  testing::MakeFolders(JoinPath(deep, "valve\\maps"));
  testing::WriteBytes(JoinPath(deep, "hl.exe"), "MZ");
  testing::WriteBytes(JoinPath(deep, "valve\\maps\\c1a0.bsp"), "");
  EXPECT_TRUE(IsRegularFile(JoinPath(deep, "hl.exe")));
  EXPECT_EQ(ListSubfolders(JoinPath(deep, "valve")), std::vector<std::string>{"maps"});
  EXPECT_EQ(ListPlainFiles(JoinPath(deep, "valve\\maps"), [](std::string_view) { return true; }),
            std::vector<std::string>{"c1a0.bsp"});
  const std::string saved = CurrentFolder();
  EXPECT_TRUE(ChangeFolder(deep));
  EXPECT_EQ(CurrentFolder(), deep);
  EXPECT_EQ(DriveCurrentFolder({deep.substr(0, 3), ""}), deep);
  ChangeFolder(saved);

  EXPECT_EQ(DataFolder(deep), deep);
  const std::string data = JoinPath(deep, "tarqcom.dat");
  EXPECT_EQ(FileLock(data).state(), FileLock::State::kHeld);
  EXPECT_TRUE(ReplaceFileContents(data, "x"));
  EXPECT_EQ(ReadWholeFile(data).bytes, "x");
}

std::string KnownFolder(const KNOWNFOLDERID& id) {
  PWSTR path = nullptr;
  const std::string folder =
      SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)) ? win32::Narrow(path) : "";
  CoTaskMemFree(path);
  return folder;
}

// Where the launcher keeps its data, by the folder it is in. Every folder
// here can be written under Wine, so a write probe alone would keep the
// data beside the launcher in each.
struct Place {
  const char* name;
  const KNOWNFOLDERID& base;
  const char* folder;  // made in base for the test; "" for base itself
  bool usersFolder;    // else the program folder
  friend void PrintTo(const Place& p, std::ostream* os) { *os << p.name; }
};

class WindowsDataFolderByPlace : public ::testing::TestWithParam<Place> {};

TEST_P(WindowsDataFolderByPlace, InstalledForEveryoneKeepsItInTheUsersFolder) {
  const Place& p = GetParam();
  const std::string base = KnownFolder(p.base);
  ASSERT_FALSE(base.empty());
  std::string folder = base;
  if (p.folder[0] != '\0') {
    folder += std::string(p.folder) + std::to_string(GetCurrentProcessId());
    if (!CreateDirectoryW(Wide(folder).c_str(), nullptr)) {
      ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
      GTEST_SKIP() << "only an administrator can make a folder in " << base;
    }
  }
  // Spelt in lower case, which Windows takes for the same folder.
  for (char& c : folder) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(DataFolder(folder),
            p.usersFolder ? JoinPath(KnownFolder(FOLDERID_LocalAppData), "TARQ") : folder);
  if (p.folder[0] != '\0') RemoveDirectoryW(Wide(folder).c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Places, WindowsDataFolderByPlace,
    ::testing::Values(Place{"program_files", FOLDERID_ProgramFiles, "\\TARQ", true},
                      Place{"program_files_x86", FOLDERID_ProgramFilesX86, "\\TARQ", true},
                      Place{"windows", FOLDERID_Windows, "", true},
                      Place{"beside_program_files", FOLDERID_ProgramFiles, " TARQ", false},
                      Place{"elsewhere", FOLDERID_Public, "\\TARQ", false}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace tarq::platform
