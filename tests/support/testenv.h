// Small helpers shared by the tests: the prepared prefix's folders, scratch folders, files and real
// processes. The registry's helpers (the settings key among them) are in registry.h.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "registry.h"

namespace krevtest {

// C:\windows\system32\ and the installation directory C:\windows\system32\IME\VARDEKO\ (both end in '\').
std::string SystemDir();
std::string InstallDir();
// The user data directory of the default mode: the current user's application-data folder as the
// platform gives it + "VARDEKO\" (ends in '\').
std::string DefaultUserDataDir();

// A fresh, empty folder (ending in '\') removed with its content when the object goes.
class ScratchDir {
 public:
  explicit ScratchDir(const std::string& hint = "krevtest");
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// The process's current directory (where a relative path is looked up) set to `dir` for the life
// of the object, and put back when it goes, also when an assertion failed on the way.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::string& dir);
  ~CurrentDirectory();
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;
  // Whether `dir` became the current directory.
  bool ok() const { return ok_; }

 private:
  std::string old_;
  bool ok_ = false;
};

bool FileExists(const std::string& path);
// The file's bytes; empty when it is missing or does not open. For a file that another process is
// about to write, wait for it with WaitForFile (wait.h).
std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
void RemoveTree(const std::string& path);

// Keeps files' bytes (or their absence) and puts them back when it goes, whatever attributes a
// test left on them.
class FileGuard {
 public:
  explicit FileGuard(std::vector<std::string> paths);
  explicit FileGuard(const std::string& path) : FileGuard(std::vector<std::string>{path}) {}
  ~FileGuard();
  FileGuard(const FileGuard&) = delete;
  FileGuard& operator=(const FileGuard&) = delete;

 private:
  struct Saved {
    std::string path;
    bool existed;
    std::string bytes;
  };
  std::vector<Saved> saved_;
};

// How long a started program may take to come up or to end. Generous, since a process start is
// slow on an emulated platform; only a failure ever waits it out.
constexpr std::chrono::milliseconds kProcessWait = std::chrono::seconds(90);

// A program running as a process of its own: one the test started, or the one that shows a window.
// The destructor ends it when it still runs, so a test that went wrong leaves nothing running in the
// shared prefix.
class Process {
 public:
  // Starts `cmdline` (the whole command line, program path included) in the folder `dir` (empty:
  // this process's current folder). started() tells whether it could.
  explicit Process(const std::string& cmdline, const std::string& dir = "");
  // The process of window `h`, opened to wait for its end and read its exit code.
  explicit Process(HWND h);
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool started() const { return process_ != nullptr; }
  DWORD pid() const { return pid_; }
  HANDLE process() const { return process_; }
  const std::string& cmdline() const { return cmdline_; }

  // Whether it still runs.
  bool Running() const;
  // Waits for its end: the exit code, or -1000 when it did not end in time (it goes on running)
  // or never started.
  long WaitExit(std::chrono::milliseconds timeout = kProcessWait);
  // Ends it at once (a test that went wrong).
  void Kill();

 private:
  std::string cmdline_;
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
};

// Starts `cmdline` and waits for it; returns its exit code, or -1000 when it could not start or
// did not end within the timeout (it is then ended).
long RunProcess(const std::string& cmdline, DWORD timeoutMs = 60000);

}  // namespace krevtest
