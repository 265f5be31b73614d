#include "filebeside.h"

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

}  // namespace krev
