// The platform calls of LexVault that a test may replace, in one place: the location rules, the
// codec and the dialog reach the platform through `LexVaultCalls` wherever the real platform cannot
// fail on demand. They start out as the real functions; `LexVaultRealCalls` keeps them.
#pragma once

#include <windows.h>

struct TLexVaultCalls {
  // The location rules (common/userwordlib.h, given these three): the system directory, and
  // SHGetFolderPathA from shfolder.dll.
  UINT(WINAPI* GetSystemDirectoryA)(LPSTR buffer, UINT size);
  HMODULE(WINAPI* LoadLibraryA)(LPCSTR name);
  FARPROC(WINAPI* GetProcAddress)(HMODULE module, LPCSTR name);
  // The codec: every write into the new file beside the target (a full disk, an interrupted run).
  BOOL(WINAPI* WriteFile)(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped);
  // The dialog's help button. The real one loads the HTML Help library on first use and keeps it;
  // without the library, or without HtmlHelpA in it, it does nothing and returns nullptr.
  HWND(WINAPI* HtmlHelpA)(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);
};

extern TLexVaultCalls LexVaultCalls;
// The real functions, for putting a call back.
extern const TLexVaultCalls LexVaultRealCalls;
