#pragma once
// File system services. Paths are UTF-8 strings in the platform's own
// syntax; the Win32 side converts them to UTF-16 at every call.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarq::platform {

#ifdef _WIN32
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

// folder + separator + name, with no check for a separator already there:
// a drive root gives two in a row, which the file system accepts.
std::string JoinPath(std::string_view folder, std::string_view name);

// The folder that holds path: "." when path names no folder, and a root
// keeps its separator ("/x" gives "/", "C:\x" gives "C:\").
std::string ParentFolder(std::string_view path);

// The last part of path, after its last separator; the whole path when it
// has none.
std::string_view FileNameOf(std::string_view path);

// Orders file and folder names (the maps, the folder list) without regard
// to letter case (ASCII letters compared as upper case); names equal but for
// case keep a fixed order by code point.
bool NameLessIgnoringCase(std::string_view a, std::string_view b);
// Sorts names by NameLessIgnoringCase.
void SortNamesIgnoringCase(std::vector<std::string>& names);

// The folder of the running executable, without a trailing separator except
// at a root ("C:\", "/").
std::string ProgramFolder();

// Where the launcher keeps tarqcfg.dat and tarqcom.dat for this run: the
// program folder when it can be written (a copied or portable install), else
// the user's own data folder for the launcher ($XDG_DATA_HOME/tarq, by
// default ~/.local/share/tarq; %LOCALAPPDATA%\TARQ on Windows), made if
// missing. A program folder under /usr, or on Windows under Program Files
// or the Windows folder, counts as not writable: an installed program's
// data is its users', whoever runs it. An empty result means neither can be
// written.
std::string DataFolder(const std::string& programFolder);

// Where the data files live for this run: the data folder, or the program
// folder where neither can be written (every save then reports its failure).
std::string DataFolderOfThisRun();

bool IsRegularFile(const std::string& path);  // follows links; a folder is not a file
bool IsFolder(const std::string& path);

// The size of a file in bytes; nullopt when there is no such file or it is a
// folder.
std::optional<std::uint64_t> FileSize(const std::string& path);

// Opens the file for reading and closes it at once.
bool CanOpenForReading(const std::string& path);

enum class ReadStatus : std::uint8_t { kOk, kMissing, kFailed };
struct ReadResult {
  ReadStatus status = ReadStatus::kFailed;
  std::string bytes;
};
// The whole file. kMissing when there is no such file; kFailed when the path
// is a folder or the file cannot be opened or read.
ReadResult ReadWholeFile(const std::string& path);

// The stages of a file replace.
enum class IoStage : std::uint8_t { kOpen, kWrite, kFlush, kSync, kClose, kReplace };

// What the system makes of a request for a new file: the open file, or -1
// and whether that was because the name is taken.
struct NewFile {
  std::intptr_t handle = -1;
  bool nameTaken = false;
};

// AtomicFileWriter's and FileLock's calls to the operating system, one entry
// each, so that a test can put in a table of its own that watches the calls
// or makes one fail, as SQLite's test file systems do. Entries return false
// where the call fails.
struct WriterCalls {
  // When set, asked before each stage; false makes that stage fail as its
  // call would. `index` counts the writes to the file (chunks of at most
  // 64 KiB) from 0. The system's table has none.
  std::function<bool(IoStage stage, int index)> beforeStage;
  // Makes `path`, which must not exist yet, for writing, with the
  // permissions of `replacing` (the usual ones when it is missing).
  std::function<NewFile(const std::string& path, const std::string& replacing)> create;
  std::function<bool(std::intptr_t file, const char* data, std::size_t size)> write;  // all of it
  std::function<bool(std::intptr_t file)> sync;  // its data on disk: fsync, FlushFileBuffers
  std::function<bool(std::intptr_t file)> close;
  std::function<bool(const std::string& from, const std::string& to)> rename;  // over `to`
  // The renames in a folder on disk; empty on Windows, where the rename
  // itself writes through.
  std::function<void(const std::string& folder)> syncFolder;
  std::function<void(const std::string& path)> remove;
};
const WriterCalls& SystemWriterCalls();
void SetWriterCalls(WriterCalls calls);  // for tests; SystemWriterCalls() puts the system's back

// Writes a new file beside `path` and puts it in place of the old one only
// when it is complete and on disk. On any failure the old file (or its
// absence) is left exactly as it was and the new file is removed.
//
// The new file is named after the old one, a dot and six random digits that
// make it unique, and on Windows ".tmp" (see IsWriterTemporaryName):
//   tarqcom.dat.004711        POSIX
//   tarqcom.dat.004711.tmp    Windows
// A writer killed before it finishes leaves that file behind.
class AtomicFileWriter final {
 public:
  explicit AtomicFileWriter(std::string path);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  bool Open();
  bool Write(std::string_view bytes);  // buffered
  // Flushes, syncs and closes the new file, then puts it in place unless
  // `beforeReplace` (when given) returns false: the new file is then removed
  // and the old one left. The sync is the slow part; work the caller starts
  // before Commit() and finishes in `beforeReplace` overlaps it.
  bool Commit(const std::function<bool()>& beforeReplace = nullptr);

 private:
  bool WriteOut(std::string_view bytes);
  bool FlushBuffer();
  void Discard();

  std::string path_;
  std::string tempPath_;
  std::string buffer_;
  intptr_t handle_ = -1;
  int writes_ = 0;
  bool failed_ = false;
};

// One call that replaces a whole file atomically.
bool ReplaceFileContents(const std::string& path, std::string_view bytes);

// Whether `name` is a name AtomicFileWriter gives, or gave, the new file of
// the file named `fileName`. On POSIX systems writers once chose six of
// [A-Za-z0-9] (mkstemp's), and those are known too, except six lower-case
// letters: "tarqcom.dat.backup" is more likely the user's copy.
bool IsWriterTemporaryName(std::string_view name, std::string_view fileName);

// Removes the plain files beside `path` that IsWriterTemporaryName names for
// it: what writers killed before they finished left. Touches no other file.
// Call it only while holding the file's FileLock, when no writer of the file
// can be at work.
void RemoveWriterLeftovers(const std::string& path);

// The names of the plain, visible files of a folder for which `accept` is
// true, in no particular order: no folders, no hidden (or, on Windows,
// system) files. nullopt when the folder cannot be listed. Names that are
// not valid UTF-8 are left out.
std::optional<std::vector<std::string>> ListPlainFiles(
    const std::string& folder, const std::function<bool(std::string_view)>& accept);

}  // namespace tarq::platform
