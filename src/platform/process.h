#pragma once
// Current drive and folder, and the start of a program that runs on its own.

#include <string>
#include <string_view>
#include <vector>

namespace tarq::platform {

// Makes the drive named by the first character of `folder` current. Systems
// without drive letters have nothing to change and succeed.
bool ChangeDrive(std::string_view folder);

bool ChangeFolder(const std::string& folder);

std::string CurrentFolder();

struct ProcessStart {
  std::string executable;     // full path of the program file
  std::string commandTail;    // appended to the quoted executable, Windows syntax
  std::string workingFolder;  // the program's current folder
};

// Starts the program without waiting for it, detached from the launcher,
// in a normal shown window. On Windows the program's command line is
// "<executable>" in double quotes followed by commandTail unchanged. On
// POSIX systems the tail is split into arguments as the Windows C runtime
// splits a command line, and a Windows program (not executable here, or not
// an ELF or #! file) is started through `wine` from PATH: in the Wine prefix
// whose drive_c holds it (a folder with Wine's system.reg above a "drive_c"
// on its real path), elsewhere in Wine's default one. No shell is used.
// On Windows a program whose manifest asks to run as administrator is
// started through ShellExecuteExW, so that Windows asks the user's consent;
// a refused consent is no failure (the user chose it).
// False when the program could not be started.
bool StartDetachedProcess(const ProcessStart& start);

// The Windows C runtime's split of a command line tail into arguments:
// white space separates, double quotes group and are removed, backslashes
// escape a double quote only in front of one.
std::vector<std::string> SplitWindowsCommandTail(std::string_view tail);

}  // namespace tarq::platform
