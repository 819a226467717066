#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/fs.h"
#include "platform/posix/posix_internal.h"
#include "platform/process.h"

extern char** environ;

namespace tarq::platform {
namespace {

// A program this system runs itself: executable, and an ELF image or a script.
bool IsNativeProgram(const std::string& path) {
  if (::access(path.c_str(), X_OK) != 0) return false;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char head[4] = {};
  const ssize_t n = ::read(fd, head, sizeof head);
  ::close(fd);
  return (n >= 4 && std::memcmp(head,
                                "\x7f"
                                "ELF",
                                4) == 0) ||
         (n >= 2 && head[0] == '#' && head[1] == '!');
}

// The Wine prefix whose C: drive holds `program`: the nearest folder above
// a "drive_c" on its real path that holds Wine's system.reg.
std::optional<std::string> WinePrefixOf(const std::string& program) {
  const auto folder = detail::RealFolder(ParentFolder(program));
  if (!folder) return std::nullopt;
  for (std::string at = *folder; at != "/"; at = ParentFolder(at)) {
    const std::string prefix = ParentFolder(at);
    if (FileNameOf(at) == "drive_c" && IsRegularFile(JoinPath(prefix, "system.reg"))) return prefix;
  }
  return std::nullopt;
}

}  // namespace

std::string detail::FindInPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string_view rest = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
  while (true) {
    const auto colon = rest.find(':');
    std::string folder(rest.substr(0, colon));
    if (folder.empty()) folder = ".";
    const std::string candidate = folder + "/" + name;
    if (IsRegularFile(candidate) && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    if (colon == std::string_view::npos) return {};
    rest.remove_prefix(colon + 1);
  }
}

bool ChangeDrive(std::string_view /*folder*/) {
  return true;
}

bool ChangeFolder(const std::string& folder) {
  return !folder.empty() && ::chdir(folder.c_str()) == 0;
}

std::string CurrentFolder() {
  std::error_code error;
  std::string folder = std::filesystem::current_path(error).string();
  return error ? std::string() : folder;
}

bool StartDetachedProcess(const ProcessStart& start) {
  if (!IsRegularFile(start.executable)) return false;
  std::vector<std::string> args;
  std::vector<std::string> environment;
  if (!IsNativeProgram(start.executable)) {
    const std::string wine = detail::FindInPath("wine");
    if (wine.empty()) return false;
    args.push_back(wine);
    // A game installed into a prefix of its own finds its registry and
    // settings there; any other runs in Wine's default prefix.
    if (const auto prefix = WinePrefixOf(start.executable)) {
      environment.push_back("WINEPREFIX=" + *prefix);
    }
  }
  args.push_back(start.executable);
  for (auto& a : SplitWindowsCommandTail(start.commandTail)) args.push_back(std::move(a));
  return detail::StartDetached(std::move(args), start.workingFolder, environment);
}

bool detail::StartDetached(std::vector<std::string> args, const std::string& workingFolder,
                           std::vector<std::string> environment) {
  // Everything the children need is prepared before fork: after it, only
  // async-signal-safe calls.
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string_view name(*entry, std::strcspn(*entry, "=") + 1);  // "NAME="
    const bool replaced =
        std::any_of(environment.begin(), environment.end(),
                    [&](const std::string& set) { return set.starts_with(name); });
    if (!replaced) envp.push_back(*entry);
  }
  for (auto& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);
  const char* workdir = workingFolder.c_str();

  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return false;
  const pid_t middle = ::fork();
  if (middle < 0) {
    ::close(report[0]);
    ::close(report[1]);
    return false;
  }
  if (middle == 0) {
    // The middle child gives the game its own session and leaves at once, so
    // the game is reparented and never becomes the launcher's zombie.
    ::setsid();
    const pid_t game = ::fork();
    if (game == 0) {
      sigset_t none;
      sigemptyset(&none);
      ::sigprocmask(SIG_SETMASK, &none, nullptr);
      ::signal(SIGPIPE, SIG_DFL);
      int error = 0;
      if (::chdir(workdir) != 0) {
        error = errno;
      } else {
        ::execve(argv[0], argv.data(), envp.data());
        error = errno;
      }
      ssize_t ignored = ::write(report[1], &error, sizeof error);
      (void)ignored;
      ::_exit(127);
    }
    if (game < 0) {
      const int error = errno;
      ssize_t ignored = ::write(report[1], &error, sizeof error);
      (void)ignored;
    }
    ::_exit(0);
  }
  ::close(report[1]);
  int status = 0;
  while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }
  int error = 0;
  ssize_t got = 0;
  do {
    got = ::read(report[0], &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  ::close(report[0]);
  return got == 0;  // the pipe closed on exec: the program runs
}

}  // namespace tarq::platform
