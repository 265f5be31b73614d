// instkrev: registers vardeko.ime of the system directory as a keyboard layout with the
// input-method manager.
#pragma once

#include <windows.h>

namespace instkrev {

// The platform calls of instkrev that a test may replace, where the platform cannot fail on demand
// (the input-method manager here accepts any file; the system directory always fits). They start
// out as the real functions; `InstkrevRealCalls` keeps them.
struct TInstkrevCalls {
  UINT(WINAPI* GetSystemDirectoryA)(LPSTR buffer, UINT size);
  HKL(WINAPI* ImmInstallIMEA)(LPCSTR imeFile, LPCSTR layoutText);
};

extern TInstkrevCalls InstkrevCalls;
// The real functions, for putting a call back.
extern const TInstkrevCalls InstkrevRealCalls;

// 1 when message boxes are shown, 0 in a silent run.
extern int ShowMessages;

// True for a command line that starts with "/s" (lower case); the rest is not looked at.
bool IsSilent(const char* commandTail);

// The program: `commandTail` is the command line without the program name (krev::CommandTail).
// Exit code 0 after a successful registration, -2 after a failed one.
int InstallerMain(HINSTANCE instance, HINSTANCE previous, const char* commandTail, int showState);

}  // namespace instkrev
