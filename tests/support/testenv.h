// Small helpers shared by the tests: the prepared prefix's folders, scratch folders, files, the
// settings key and real processes.
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace krevtest {

// C:\windows\system32\ and the installation directory C:\windows\system32\IME\VARDEKO\ (both end in '\').
std::string SystemDir();
std::string InstallDir();

// Software\Brennholt\Vardeko\3.0 removed (with everything below it) under the current user and the
// local machine.
void DeleteSettingsKeys();

// Names of the keys directly below root\path (empty when it cannot be opened).
std::set<std::string> SubkeyNames(HKEY root, const char* path);

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

// Starts `cmdline` and waits for it; returns its exit code, or -1000 when it could not start or
// did not end within the timeout (it is then terminated).
long RunProcess(const std::string& cmdline, DWORD timeoutMs = 60000);

}  // namespace krevtest
