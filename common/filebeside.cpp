#include "filebeside.h"

#include <utility>

namespace krev {

namespace {

std::string AsciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// The `i`-th name for the new file beside `target`, a full path whose file name starts at
// `nameStart`. False when the replaced characters cannot hold the counter `i`.
bool NameBeside(const std::string& target, size_t nameStart, unsigned i, std::string* name) {
  static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  constexpr unsigned kBase = 36;
  constexpr size_t kTagBytes = 3;
  size_t cut = nameStart;  // the last character start with at least kTagBytes bytes from it to the end
  for (size_t p = nameStart; p < target.size();) {
    if (p + kTagBytes <= target.size()) cut = p;
    p += IsDBCSLeadByte(static_cast<BYTE>(target[p])) && p + 1 < target.size() ? 2 : 1;
  }
  size_t width = target.size() - cut;
  if (width == 0) return false;
  std::string tag(width, '~');
  unsigned rest = i;
  for (size_t k = width; k-- > (width == 1 ? 0 : 1);) {
    tag[k] = kDigits[rest % kBase];
    rest /= kBase;
  }
  if (rest != 0) return false;
  *name = target.substr(0, cut) + tag;
  return true;
}

// The full long form of `path`; empty when it has none shorter than MAX_PATH.
std::string CanonicalPath(const std::string& path) {
  char full[MAX_PATH];
  DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  if (n == 0 || n >= MAX_PATH) return {};
  char longPath[MAX_PATH];
  DWORD m = GetLongPathNameA(full, longPath, MAX_PATH);
  if (m > 0 && m < MAX_PATH) return longPath;
  return full;
}

}  // namespace

HANDLE CreateFileBeside(const std::string& target, std::string* newPath) {
  char full[MAX_PATH];
  char* filePart = nullptr;
  DWORD n = GetFullPathNameA(target.c_str(), MAX_PATH, full, &filePart);
  if (n == 0 || n >= MAX_PATH || !filePart || filePart == full) return INVALID_HANDLE_VALUE;
  const std::string fullTarget(full, n);
  const size_t nameStart = static_cast<size_t>(filePart - full);

  constexpr unsigned kMaxNames = 36 * 36;
  const std::string targetLower = AsciiLower(fullTarget);
  std::string name;
  for (unsigned i = 0; i < kMaxNames && NameBeside(fullTarget, nameStart, i, &name); ++i) {
    if (AsciiLower(name) == targetLower) continue;
    HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      *newPath = name;
      return h;
    }
    if (GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES) break;  // not taken: the folder refuses
  }
  return INVALID_HANDLE_VALUE;
}

FileId IdOfHandle(HANDLE h, const std::string& path) {
  FileId id;
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(h, &info) && (info.nFileIndexHigh || info.nFileIndexLow)) {
    id.indexed = true;
    id.volume = info.dwVolumeSerialNumber;
    id.high = info.nFileIndexHigh;
    id.low = info.nFileIndexLow;
  }
  id.fullPath = CanonicalPath(path);
  return id;
}

bool SameFile(const FileId& a, const FileId& b) {
  if (a.indexed && b.indexed && a.volume == b.volume && a.high == b.high && a.low == b.low) return true;
  return !a.fullPath.empty() && lstrcmpiA(a.fullPath.c_str(), b.fullPath.c_str()) == 0;
}

NewFileBeside::NewFileBeside(NewFileBeside&& other) noexcept
    : handle_(other.handle_), target_(std::move(other.target_)), newPath_(std::move(other.newPath_)) {
  other.handle_ = INVALID_HANDLE_VALUE;
  other.target_.clear();
  other.newPath_.clear();
}

NewFileBeside& NewFileBeside::operator=(NewFileBeside&& other) noexcept {
  if (this != &other) {
    Abandon();
    handle_ = other.handle_;
    target_ = std::move(other.target_);
    newPath_ = std::move(other.newPath_);
    other.handle_ = INVALID_HANDLE_VALUE;
    other.target_.clear();
    other.newPath_.clear();
  }
  return *this;
}

bool NewFileBeside::Open(const std::string& target, FileId* targetId) {
  Abandon();
  if (target.empty() || target.size() >= MAX_PATH) return false;
  DWORD attributes = GetFileAttributesA(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    return false;
  }
  // Opened for writing, as its replacement will be: this fails while another program holds it
  // without sharing it for writing, and shows what the target really is.
  HANDLE probe = CreateFileA(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, 0, nullptr);
  if (probe != INVALID_HANDLE_VALUE) {
    const bool disk = GetFileType(probe) == FILE_TYPE_DISK;
    if (targetId) *targetId = IdOfHandle(probe, target);
    CloseHandle(probe);
    if (!disk) return false;
  } else if (GetLastError() == ERROR_FILE_NOT_FOUND) {
    if (targetId) {
      *targetId = FileId();
      targetId->fullPath = CanonicalPath(target);
    }
  } else {
    return false;
  }
  std::string newPath;
  HANDLE h = CreateFileBeside(target, &newPath);
  if (h == INVALID_HANDLE_VALUE) return false;
  handle_ = h;
  target_ = target;
  newPath_ = newPath;
  return true;
}

bool NewFileBeside::Write(const void* data, DWORD size, WriteCall write) {
  if (!IsOpen()) return false;
  const BYTE* bytes = static_cast<const BYTE*>(data);
  while (size > 0) {
    DWORD n = 0;
    if (!write(handle_, bytes, size, &n, nullptr) || n == 0 || n > size) return false;
    bytes += n;
    size -= n;
  }
  return true;
}

NewFileBeside::Result NewFileBeside::Commit() {
  Result result = Result::NotClosed;
  if (IsOpen()) {
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    if (closed) {
      result = MoveFileExA(newPath_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING) ? Result::Replaced
                                                                                          : Result::NotMoved;
    }
  }
  if (result != Result::Replaced && !newPath_.empty()) DeleteFileA(newPath_.c_str());
  target_.clear();
  newPath_.clear();
  return result;
}

void NewFileBeside::Abandon() {
  if (IsOpen()) CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
  if (!newPath_.empty()) DeleteFileA(newPath_.c_str());
  target_.clear();
  newPath_.clear();
}

}  // namespace krev
