// The Win32 file code where other programs and other launchers meet it: a
// file held open for a moment, two processes on the data folder's lock,
// write probes at once, folders deeper than MAX_PATH.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

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
constexpr wchar_t kChildJob[] = L"TARQ_TEST_LOCK_HOLDER";

// Started again by the lock test as a second launcher ("path|held|release"):
// takes the lock, signals `held`, keeps it until `release`, and ends before
// any test runs.
const bool kLockHolder = [] {
  const auto job = win32::FilledText(
      [](wchar_t* buffer, DWORD size) { return GetEnvironmentVariableW(kChildJob, buffer, size); });
  if (!job) return false;
  const std::wstring::size_type bar1 = job->find(L'|'), bar2 = job->rfind(L'|');
  const FileLock lock(win32::Narrow(job->substr(0, bar1)));
  if (lock.state() != FileLock::State::kHeld) ExitProcess(1);
  SetEvent(OpenEventW(EVENT_MODIFY_STATE, FALSE, job->substr(bar1 + 1, bar2 - bar1 - 1).c_str()));
  WaitForSingleObject(OpenEventW(SYNCHRONIZE, FALSE, job->substr(bar2 + 1).c_str()), 60000);
  ExitProcess(0);
}();

// Another program's handle on the file without delete sharing, as antivirus
// or the search indexer holds it for a moment.
HANDLE HoldOpen(const std::string& path) {
  return CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, 0, nullptr);
}

TEST(WindowsReplace, WaitsForAFileHeldForAMoment) {
  TempDir dir;
  const std::wstring source = Wide(dir / "new.tmp"), target = Wide(dir / "tarqcom.dat");
  testing::WriteBytes(dir / "new.tmp", "new");
  testing::WriteBytes(dir / "tarqcom.dat", "old");
  const HANDLE held = HoldOpen(dir / "tarqcom.dat");
  const HANDLE letGo = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([held, letGo] {
    WaitForSingleObject(letGo, INFINITE);
    CloseHandle(held);
  });
  int failures = 0;
  EXPECT_TRUE(win32::RetryWhileHeld([&] {
    if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    if (failures++ == 0) {  // the holder lets go before the next try
      const DWORD error = GetLastError();
      SetEvent(letGo);
      holder.join();
      SetLastError(error);
    }
    return false;
  }));
  EXPECT_EQ(failures, 1);
  EXPECT_EQ(testing::ReadBytes(dir / "tarqcom.dat"), "new");
  SetEvent(letGo);
  if (holder.joinable()) holder.join();
  CloseHandle(letGo);
}

TEST(WindowsReplace, AFileHeldLongerIsACleanFailure) {
  TempDir dir;
  const std::string path = dir / "tarqcom.dat";
  testing::WriteBytes(path, "old");
  const HANDLE held = HoldOpen(path);
  EXPECT_FALSE(ReplaceFileContents(path, "new"));
  CloseHandle(held);
  EXPECT_EQ(testing::ReadBytes(path), "old");
  EXPECT_EQ(testing::FolderEntries(dir.Path()).size(), 1u) << "the new file was left behind";
}

TEST(WindowsFileLock, TwoProcessesTakeItInTurnUnderAnySpelling) {
  TempDir dir;
  const std::string data = dir / "tarqcom.dat";
  const std::wstring tag = std::to_wstring(GetCurrentProcessId());
  const std::wstring heldName = L"Local\\tarq-test-held-" + tag;
  const std::wstring releaseName = L"Local\\tarq-test-release-" + tag;
  const HANDLE held = CreateEventW(nullptr, TRUE, FALSE, heldName.c_str());
  const HANDLE release = CreateEventW(nullptr, TRUE, FALSE, releaseName.c_str());
  std::wstring self(32768, L'\0');
  self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
  std::wstring commandLine = L"\"" + self + L"\"";
  SetEnvironmentVariableW(kChildJob, (Wide(data) + L"|" + heldName + L"|" + releaseName).c_str());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  const BOOL started = CreateProcessW(self.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                      nullptr, nullptr, &startup, &child);
  SetEnvironmentVariableW(kChildJob, nullptr);
  ASSERT_TRUE(started);
  const HANDLE heldOrEnded[] = {held, child.hProcess};
  ASSERT_EQ(WaitForMultipleObjects(2, heldOrEnded, FALSE, 60000), WAIT_OBJECT_0);

  EXPECT_EQ(FileLock(data).state(), FileLock::State::kBusy);
  SetEvent(release);
  ASSERT_EQ(WaitForSingleObject(child.hProcess, 60000), WAIT_OBJECT_0);
  DWORD exitCode = 1;
  EXPECT_TRUE(GetExitCodeProcess(child.hProcess, &exitCode) && exitCode == 0);
  const FileLock lock(data);
  EXPECT_EQ(lock.state(), FileLock::State::kHeld);
  // Another spelling of the same folder reaches the same lock.
  std::string upper = data;
  for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  EXPECT_EQ(FileLock(upper).state(), FileLock::State::kBusy);
  for (const HANDLE h : {held, release, child.hProcess, child.hThread}) CloseHandle(h);
}

TEST(WindowsDataFolder, AProbeOpenElsewhereStillFindsTheFolderWritable) {
  // This process's probe file open without sharing, as a second probe or a
  // scanner holds it at that moment.
  TempDir dir;
  const HANDLE other = CreateFileW(Wide(dir / win32::WriteProbeName()).c_str(), GENERIC_WRITE, 0,
                                   nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  EXPECT_EQ(DataFolder(dir.Path()), dir.Path());
  CloseHandle(other);
}

TEST(WindowsLongPaths, GameAndDataFoldersDeeperThanMaxPath) {
  TempDir dir;
  std::string deep = dir.Path();
  while (Wide(deep).size() <= 300) deep = JoinPath(deep, "長いフォルダ名-" + std::string(40, 'x'));
  const std::string maps = JoinPath(JoinPath(deep, "valve"), "maps");
  testing::MakeFolders(maps);
  testing::WriteBytes(JoinPath(deep, "hl.exe"), "MZ");
  testing::WriteBytes(JoinPath(maps, "c1a0.bsp"), "");

  // The game folder: hl.exe, its maps and folders, the current folder.
  EXPECT_TRUE(IsRegularFile(JoinPath(deep, "hl.exe")));
  EXPECT_EQ(ListPlainFiles(maps, [](std::string_view) { return true; }),
            std::vector<std::string>{"c1a0.bsp"});
  EXPECT_EQ(ListSubfolders(JoinPath(deep, "valve")), std::vector<std::string>{"maps"});
  const std::string saved = CurrentFolder();
  EXPECT_TRUE(ChangeFolder(deep));
  EXPECT_EQ(CurrentFolder(), deep);
  EXPECT_EQ(DriveCurrentFolder({deep.substr(0, 3), ""}), deep);
  ChangeFolder(saved);

  // The data folder: chosen, locked, written and read; also as %LOCALAPPDATA%.
  EXPECT_EQ(DataFolder(deep), deep);
  const std::string data = JoinPath(deep, "tarqcom.dat");
  EXPECT_EQ(FileLock(data).state(), FileLock::State::kHeld);
  EXPECT_TRUE(ReplaceFileContents(data, "\"c1a0.bsp\",\"\",\"\"\r\n"));
  EXPECT_TRUE(ReplaceFileContents(data, "x"));
  EXPECT_EQ(ReadWholeFile(data).bytes, "x");
  const auto local = win32::FilledText([](wchar_t* buffer, DWORD size) {
    return GetEnvironmentVariableW(L"LOCALAPPDATA", buffer, size);
  });
  SetEnvironmentVariableW(L"LOCALAPPDATA", Wide(deep).c_str());
  EXPECT_EQ(DataFolder(dir / "no such folder"), JoinPath(deep, "TARQ"));
  SetEnvironmentVariableW(L"LOCALAPPDATA", local ? local->c_str() : nullptr);
  EXPECT_TRUE(IsFolder(JoinPath(deep, "TARQ")));
}

}  // namespace
}  // namespace tarq::platform
