#include "locations.h"

#include "calls.h"

namespace {

const char* const kFileNames[] = {
    "kvengine.exe",  "krevcfg.exe",   "vardekosp.ini", "punctdef.ini", "phrasedef.ini",
    "vardeko.chm",   "baselex.dat",   nullptr,         "qmtab.dat",    "glyphrank.dat",
    "glyphmem.dat",  "vardekosp.ksc", "intake.log",    "lexvault.exe", "zorvask.exe",
};

// The rule's platform calls as LexVault's replaceable calls hold them at this moment.
krev::TLocationCalls Calls() {
  return {LexVaultCalls.GetSystemDirectoryA, LexVaultCalls.LoadLibraryA, LexVaultCalls.GetProcAddress};
}

}  // namespace

void GetSystemImeDir(char* buffer) { krev::GetSystemImeDir(Calls(), buffer); }

int GetUserDataDir(char* buffer) { return krev::GetUserDataDir(Calls(), buffer); }

void ResolveUserWordlibPath(char* buffer) { krev::ResolveUserWordlibPath(Calls(), buffer); }

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
  return krev::AppendPath(buffer, kFileNames[id]) ? 1 : 0;
}

int GetUserWordlibFile(char* buffer) { return GetImeFilePath(1, USER_WORDLIB, buffer); }
