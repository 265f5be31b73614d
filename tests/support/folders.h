// Folders for tests of paths near the system's limit, and what a folder holds.
#pragma once

#include <string>
#include <vector>

namespace krevtest {

// Names of the files and folders in `dir` (no "." or "..").
std::vector<std::string> FolderNames(const std::string& dir);

// A real folder whose full path, without a trailing backslash, is exactly `length` characters long:
// nested folders with long names below C:\. Removed with everything in it when the object goes.
class LongFolder {
 public:
  explicit LongFolder(size_t length);
  ~LongFolder();
  LongFolder(const LongFolder&) = delete;
  LongFolder& operator=(const LongFolder&) = delete;
  bool made() const { return made_; }
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string top_, path_;
  bool made_ = false;
};

}  // namespace krevtest
