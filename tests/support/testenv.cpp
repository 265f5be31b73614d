#include "testenv.h"

#include <shlwapi.h>

namespace krevtest {

std::string SystemDir() {
  char buf[MAX_PATH] = {0};
  GetSystemDirectoryA(buf, MAX_PATH);
  std::string s = buf;
  if (s.empty() || s.back() != '\\') s += '\\';
  return s;
}

std::string InstallDir() { return SystemDir() + "IME\\VARDEKO\\"; }

namespace {

void DeleteTreeKey(HKEY root, const char* path) {
  HKEY key;
  if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char name[512];
  for (;;) {
    DWORD len = sizeof name;
    if (RegEnumKeyExA(key, 0, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    std::string sub = std::string(path) + "\\" + name;
    DeleteTreeKey(root, sub.c_str());
  }
  RegCloseKey(key);
  RegDeleteKeyA(root, path);
}

}  // namespace

void DeleteSettingsKeys() {
  DeleteTreeKey(HKEY_CURRENT_USER, "Software\\Brennholt\\Vardeko\\3.0");
  DeleteTreeKey(HKEY_LOCAL_MACHINE, "Software\\Brennholt\\Vardeko\\3.0");
}

std::set<std::string> SubkeyNames(HKEY root, const char* path) {
  std::set<std::string> names;
  HKEY key;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD len = sizeof name;
    if (RegEnumKeyExA(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.insert(name);
  }
  RegCloseKey(key);
  return names;
}

ScratchDir::ScratchDir(const std::string& hint) {
  char tmp[MAX_PATH] = {0};
  GetTempPathA(MAX_PATH, tmp);
  static unsigned counter = 0;
  for (;;) {
    std::string p = std::string(tmp) + hint + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                    std::to_string(++counter);
    if (CreateDirectoryA(p.c_str(), nullptr)) {
      path_ = p + "\\";
      break;
    }
  }
}

ScratchDir::~ScratchDir() { RemoveTree(path_); }

bool FileExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadFileBytes(const std::string& path) {
  // Shares delete access too: a file that another process has just renamed into place is still
  // held for a moment by a handle with delete access.
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::string out;
  char buf[65536];
  DWORD n = 0;
  while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n > 0) out.append(buf, n);
  CloseHandle(h);
  return out;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD n = 0;
  bool ok = bytes.empty() || (WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) &&
                              n == bytes.size());
  return CloseHandle(h) && ok;
}

void RemoveTree(const std::string& path) {
  std::string dir = path;
  if (!dir.empty() && dir.back() == '\\') dir.pop_back();
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      std::string full = dir + "\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(full.c_str());
      }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  SetFileAttributesA(dir.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(dir.c_str());
}

long RunProcess(const std::string& cmdline, DWORD timeoutMs) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string cmd = cmdline;
  if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1000;
  CloseHandle(pi.hThread);
  long code = -1000;
  if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0) {
    DWORD c = 0;
    GetExitCodeProcess(pi.hProcess, &c);
    code = static_cast<long>(c);
  } else {
    TerminateProcess(pi.hProcess, 1);
  }
  CloseHandle(pi.hProcess);
  return code;
}

FileGuard::FileGuard(std::vector<std::string> paths) {
  for (std::string& p : paths) {
    bool existed = FileExists(p);
    std::string bytes = existed ? ReadFileBytes(p) : std::string();
    saved_.push_back({std::move(p), existed, std::move(bytes)});
  }
}

FileGuard::~FileGuard() {
  for (const Saved& s : saved_) {
    SetFileAttributesA(s.path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (s.existed) {
      WriteFileBytes(s.path, s.bytes);
    } else {
      DeleteFileA(s.path.c_str());
    }
  }
}

}  // namespace krevtest
