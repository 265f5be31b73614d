#include "folders.h"

#include <windows.h>

#include "testenv.h"

namespace krevtest {

std::vector<std::string> FolderNames(const std::string& dir) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA fd;
  std::string d = dir;
  if (!d.empty() && d.back() != '\\') d += '\\';
  HANDLE h = FindFirstFileA((d + "*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    std::string n = fd.cFileName;
    if (n != "." && n != "..") names.push_back(n);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return names;
}

LongFolder::LongFolder(size_t length) {
  static unsigned counter = 0;
  do {
    top_ = "C:\\krevlong-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
  } while (!CreateDirectoryA(top_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
  if (length < top_.size()) return;
  path_ = top_;
  for (char letter = 'a'; path_.size() < length; ++letter) {
    size_t room = length - path_.size() - 1;  // after the backslash
    size_t segment = room < 200 ? room : 200;
    if (length - (path_.size() + 1 + segment) == 1) --segment;  // leave room for "\" and a name
    path_ += "\\" + std::string(segment, letter);
    if (!CreateDirectoryA(path_.c_str(), nullptr)) return;
  }
  made_ = path_.size() == length;
}

LongFolder::~LongFolder() { RemoveTree(top_); }

}  // namespace krevtest
