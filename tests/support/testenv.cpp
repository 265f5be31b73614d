#include "testenv.h"

#include <shlobj.h>

namespace krevtest {

std::string SystemDir() {
  char buf[MAX_PATH] = {0};
  GetSystemDirectoryA(buf, MAX_PATH);
  std::string s = buf;
  if (s.empty() || s.back() != '\\') s += '\\';
  return s;
}

std::string InstallDir() { return SystemDir() + "IME\\VARDEKO\\"; }

std::string DefaultUserDataDir() {
  char buf[MAX_PATH] = {0};
  SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, buf);
  std::string s = buf;
  if (!s.empty() && s.back() != '\\') s += '\\';
  return s + "VARDEKO\\";
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

CurrentDirectory::CurrentDirectory(const std::string& dir) {
  char buf[MAX_PATH] = {0};
  GetCurrentDirectoryA(MAX_PATH, buf);
  old_ = buf;
  ok_ = SetCurrentDirectoryA(dir.c_str()) != FALSE;
}

CurrentDirectory::~CurrentDirectory() { SetCurrentDirectoryA(old_.c_str()); }

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

Process::Process(const std::string& cmdline, const std::string& dir) : cmdline_(cmdline) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string cmd = cmdline;
  if (CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, dir.empty() ? nullptr : dir.c_str(), &si,
                     &pi)) {
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    pid_ = pi.dwProcessId;
  }
}

Process::Process(HWND h) {
  if (h) GetWindowThreadProcessId(h, &pid_);
  if (pid_) process_ = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, pid_);
}

Process::~Process() {
  if (!process_) return;
  if (Running()) Kill();
  CloseHandle(process_);
}

bool Process::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

long Process::WaitExit(std::chrono::milliseconds timeout) {
  if (!process_) return -1000;
  if (WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) return -1000;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return static_cast<long>(code);
}

void Process::Kill() {
  if (!process_) return;
  TerminateProcess(process_, 1000);
  WaitForSingleObject(process_, 10000);
}

long RunProcess(const std::string& cmdline, DWORD timeoutMs) {
  return Process(cmdline).WaitExit(std::chrono::milliseconds(timeoutMs));
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
