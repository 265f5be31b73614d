// Stand-in for the input method's engine. The companion programs only read its version
// information, so the library holds nothing but that.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
