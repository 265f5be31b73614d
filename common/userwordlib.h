// Where the user word library lives: the registry reading and the directories that give its path.
// LexVault backs up and restores the file this names, and the krevset.dll stand-in names the same
// one to the settings centre, which generates it and imports words into it; both call this rule.
// Each routine fills a 260-byte path buffer owned by the caller. A path that would not fit is never
// cut into a different one: the buffer is left empty instead.
#pragma once

#include <windows.h>

namespace krev {

constexpr int kPathBufferSize = 260;

// The platform calls the rule makes, passed in by its caller: a program's own replaceable calls, or
// the real functions (LocationRealCalls).
struct TLocationCalls {
  // The system directory, and SHGetFolderPathA from shfolder.dll.
  UINT(WINAPI* GetSystemDirectoryA)(LPSTR buffer, UINT size);
  HMODULE(WINAPI* LoadLibraryA)(LPCSTR name);
  FARPROC(WINAPI* GetProcAddress)(HMODULE module, LPCSTR name);
};
extern const TLocationCalls LocationRealCalls;

// Reads a value of the settings key (root non-zero: current user, 0: local machine) into `size`
// bytes, whatever its stored type. 1 when read; 0 with the buffer's first byte 0 otherwise. A text
// value (REG_SZ) is always ended within the buffer; one that cannot be counts as unreadable.
int ReadSettingsRegValue(int currentUser, DWORD type, DWORD size, const char* name, void* buffer);

// The system directory followed by "\IME\VARDEKO\".
void GetSystemImeDir(const TLocationCalls& calls, char* buffer);

// The application-data folder followed by "\VARDEKO\" (1), or the system IME directory when that
// folder cannot be had (0). The folder is asked for with the create flag, so that the platform makes
// a missing application-data folder; "VARDEKO" itself is not made.
int GetUserDataDir(const TLocationCalls& calls, char* buffer);

// The full path of the user word library: the explicit file as stored, else "perlex.dat" in the
// system IME directory when the machine-wide flag is 1, else "perlex.dat" in the user data directory.
void ResolveUserWordlibPath(const TLocationCalls& calls, char* buffer);

// Appends `text` to the path in a 260-byte buffer; a result that would not fit, or an empty path to
// append to, empties the buffer and gives false.
bool AppendPath(char* buffer, const char* text);

}  // namespace krev
