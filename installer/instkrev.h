// instkrev: registers vardeko.ime of the system directory as a keyboard layout with the
// input-method manager. The two platform calls go through replaceable pointers so that a caller
// can stand in for them where the platform cannot fail on demand.
#pragma once

#include <windows.h>

namespace instkrev {

using GetSystemDirectoryFn = UINT(WINAPI*)(LPSTR buffer, UINT size);
using InstallImeFn = HKL(WINAPI*)(LPCSTR imeFile, LPCSTR layoutText);

// Default to GetSystemDirectoryA and ImmInstallIMEA.
extern GetSystemDirectoryFn SystemDirectoryCall;
extern InstallImeFn InstallImeCall;

// 1 when message boxes are shown, 0 in a silent run.
extern int ShowMessages;

// True for a command line that starts with "/s" (lower case); the rest is not looked at.
bool IsSilent(const char* commandTail);

// The program: `commandTail` is the command line without the program name (krev::CommandTail).
// Exit code 0 after a successful registration, -2 after a failed one.
int InstallerMain(HINSTANCE instance, HINSTANCE previous, const char* commandTail, int showState);

}  // namespace instkrev
