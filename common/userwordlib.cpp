#include "userwordlib.h"

#include <cstring>

#include "settingskey.h"

namespace krev {

namespace {

const char kUserWordlibName[] = "perlex.dat";

}  // namespace

const TLocationCalls LocationRealCalls = {::GetSystemDirectoryA, ::LoadLibraryA, ::GetProcAddress};

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

void GetSystemImeDir(const TLocationCalls& calls, char* buffer) {
  UINT n = calls.GetSystemDirectoryA(buffer, kPathBufferSize);
  if (n == 0 || n >= static_cast<UINT>(kPathBufferSize)) buffer[0] = '\0';
  AppendPath(buffer, "\\IME\\VARDEKO\\");
}

int GetUserDataDir(const TLocationCalls& calls, char* buffer) {
  using GetFolderPathFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
  bool found = false;
  if (HMODULE lib = calls.LoadLibraryA("shfolder.dll")) {
    auto fn = reinterpret_cast<GetFolderPathFn>(reinterpret_cast<void (*)()>(calls.GetProcAddress(lib, "SHGetFolderPathA")));
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
    GetSystemImeDir(calls, buffer);
    return 0;
  }
  return AppendPath(buffer, "\\VARDEKO\\") ? 1 : 0;
}

void ResolveUserWordlibPath(const TLocationCalls& calls, char* buffer) {
  if (ReadSettingsRegValue(1, REG_SZ, kPathBufferSize, kUserWordlibValue, buffer) && buffer[0]) return;
  DWORD same = 0;
  if (ReadSettingsRegValue(0, REG_DWORD, sizeof same, kSameWordlibValue, &same) && same == 1) {
    GetSystemImeDir(calls, buffer);
  } else {
    GetUserDataDir(calls, buffer);
  }
  AppendPath(buffer, kUserWordlibName);
}

}  // namespace krev
