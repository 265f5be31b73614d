// The platform calls of the toolkit that a test may replace, in one place: where the real platform
// cannot fail on demand. They start out as the real functions; `ToolkitRealCalls` keeps them.
#pragma once

#include <windows.h>

struct TToolkitCalls {
  // A memo's writes into the new file beside its target (a disk that fills up part way).
  BOOL(WINAPI* WriteFile)(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped);
};

extern TToolkitCalls ToolkitCalls;
// The real functions, for putting a call back.
extern const TToolkitCalls ToolkitRealCalls;
