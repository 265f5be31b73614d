// The platform calls of the settings centre that a test may replace, in one place: the calls whose
// effect cannot be read back here (a started program, a browser, the help viewer). They start out as
// the real functions; `KrevcfgRealCalls` keeps them. The settings model's own calls are
// `KrevConfigCalls` (uConfig.h), the memo's file writes `ToolkitCalls` (ToolkitCalls.h).
#pragma once

#include <windows.h>

#include "krevset.h"

struct TKrevcfgCalls {
  // The word-library page: lexvault.exe, lexjoin.exe and Notepad with the import log.
  UINT(WINAPI* WinExec)(LPCSTR cmdline, UINT show);
  // The version page's two links.
  HINSTANCE(WINAPI* ShellExecuteA)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR dir, INT show);
  // The help button and the licence link: the service library shows the page.
  KREVBOOL(__stdcall* krevHelpSetting)(HWND owner, const char* page);
};

extern TKrevcfgCalls KrevcfgCalls;
// The real functions, for putting a call back.
extern const TKrevcfgCalls KrevcfgRealCalls;
