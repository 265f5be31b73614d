#include "locations.h"

#include <cstring>

#include "calls.h"

namespace {

const char kSettingsKey[] = "Software\\Brennholt\\Vardeko\\3.0";
const char kUserWordlibValue[] = "用户词库文件";
const char kSameWordlibValue[] = "使用同一用户词库";
const char kUserWordlibName[] = "perlex.dat";

const char* const kFileNames[] = {
    "kvengine.exe",  "krevcfg.exe",   "vardekosp.ini", "punctdef.ini", "phrasedef.ini",
    "vardeko.chm",   "baselex.dat",   nullptr,         "qmtab.dat",    "glyphrank.dat",
    "glyphmem.dat",  "vardekosp.ksc", "intake.log",    "lexvault.exe", "zorvask.exe",
};

// Appends to a path in a 260-byte buffer; a result that would not fit empties the buffer.
bool AppendPath(char* buffer, const char* text) {
  size_t have = std::strlen(buffer);
  size_t add = std::strlen(text);
  if (have == 0 || have + add >= static_cast<size_t>(kPathBufferSize)) {
    buffer[0] = '\0';
    return false;
  }
  std::memcpy(buffer + have, text, add + 1);
  return true;
}

}  // namespace

int ReadSettingsRegValue(int currentUser, DWORD type, DWORD size, const char* name, void* buffer) {
  auto* bytes = static_cast<BYTE*>(buffer);
  HKEY key = nullptr;
  bool ok = false;
  if (RegOpenKeyA(currentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, kSettingsKey, &key) == ERROR_SUCCESS) {
    DWORD stored = 0;
    DWORD len = size;
    ok = RegQueryValueExA(key, name, nullptr, &stored, bytes, &len) == ERROR_SUCCESS;
    if (ok && type == REG_SZ) {
      // A text stored without its ending zero is ended here when it leaves room for one.
      if (len < size) {
        bytes[len] = 0;
      } else if (len == 0 || bytes[len - 1] != 0) {
        ok = false;
      }
    }
    RegCloseKey(key);
  }
  if (!ok && size > 0) bytes[0] = 0;
  return ok ? 1 : 0;
}

void GetSystemImeDir(char* buffer) {
  UINT n = LexVaultCalls.GetSystemDirectoryA(buffer, kPathBufferSize);
  if (n == 0 || n >= static_cast<UINT>(kPathBufferSize)) buffer[0] = '\0';
  AppendPath(buffer, "\\IME\\VARDEKO\\");
}

int GetUserDataDir(char* buffer) {
  using GetFolderPathFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
  bool found = false;
  if (HMODULE lib = LexVaultCalls.LoadLibraryA("shfolder.dll")) {
    auto fn = reinterpret_cast<GetFolderPathFn>(reinterpret_cast<void (*)()>(LexVaultCalls.GetProcAddress(lib, "SHGetFolderPathA")));
    if (fn) {
      char folder[MAX_PATH] = {0};
      if (fn(nullptr, 0x801A, nullptr, 0, folder) == S_OK) {
        folder[MAX_PATH - 1] = '\0';
        std::strcpy(buffer, folder);
        found = true;
      }
    }
    FreeLibrary(lib);
  }
  if (!found) {
    GetSystemImeDir(buffer);
    return 0;
  }
  return AppendPath(buffer, "\\VARDEKO\\") ? 1 : 0;
}

void ResolveUserWordlibPath(char* buffer) {
  if (ReadSettingsRegValue(1, REG_SZ, kPathBufferSize, kUserWordlibValue, buffer) && buffer[0]) return;
  DWORD same = 0;
  if (ReadSettingsRegValue(0, REG_DWORD, sizeof same, kSameWordlibValue, &same) && same == 1) {
    GetSystemImeDir(buffer);
  } else {
    GetUserDataDir(buffer);
  }
  AppendPath(buffer, kUserWordlibName);
}

int GetImeFilePath(int userDir, int id, char* buffer) {
  if (userDir) {
    GetUserDataDir(buffer);
  } else {
    GetSystemImeDir(buffer);
  }
  if (static_cast<unsigned>(id) > ZORVASK_EXE) return 0;
  if (id == USER_WORDLIB) {
    ResolveUserWordlibPath(buffer);
    return buffer[0] ? 1 : 0;
  }
  return AppendPath(buffer, kFileNames[id]) ? 1 : 0;
}

int GetUserWordlibFile(char* buffer) { return GetImeFilePath(1, USER_WORDLIB, buffer); }
