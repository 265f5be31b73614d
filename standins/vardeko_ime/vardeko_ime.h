// The module interface that the input-method manager expects of an input-method file. The
// platform headers of this toolchain lack it, so the few declarations needed are written here.
#pragma once

#include <windows.h>
#include <imm.h>

struct VardekoImeInfo {  // the manager's IMEINFO
  DWORD dwPrivateDataSize;
  DWORD fdwProperty;
  DWORD fdwConversionCaps;
  DWORD fdwSentenceCaps;
  DWORD fdwUICaps;
  DWORD fdwSCSCaps;
  DWORD fdwSelectCaps;
};

// Class of the module's user-interface window, named to the manager by ImeInquire.
extern const char kVardekoUiClass[];

extern "C" {
BOOL WINAPI ImeInquire(VardekoImeInfo* info, LPSTR uiClass, DWORD systemInfoFlags);
BOOL WINAPI ImeConfigure(HKL layout, HWND owner, DWORD mode, LPVOID data);
DWORD WINAPI ImeConversionList(HIMC context, LPCSTR source, LPCANDIDATELIST dest, DWORD destSize, UINT flag);
BOOL WINAPI ImeDestroy(UINT reserved);
LRESULT WINAPI ImeEscape(HIMC context, UINT escape, LPVOID data);
BOOL WINAPI ImeProcessKey(HIMC context, UINT virtualKey, LPARAM keyData, CONST LPBYTE keyState);
BOOL WINAPI ImeSelect(HIMC context, BOOL select);
BOOL WINAPI ImeSetActiveContext(HIMC context, BOOL active);
UINT WINAPI ImeToAsciiEx(UINT virtualKey, UINT scanCode, CONST LPBYTE keyState, LPDWORD transBuffer, UINT state,
                         HIMC context);
BOOL WINAPI NotifyIME(HIMC context, DWORD action, DWORD index, DWORD value);
BOOL WINAPI ImeRegisterWord(LPCSTR reading, DWORD style, LPCSTR word);
BOOL WINAPI ImeUnregisterWord(LPCSTR reading, DWORD style, LPCSTR word);
UINT WINAPI ImeGetRegisterWordStyle(UINT count, LPSTYLEBUFA styles);
UINT WINAPI ImeEnumRegisterWord(REGISTERWORDENUMPROCA proc, LPCSTR reading, DWORD style, LPCSTR word, LPVOID data);
BOOL WINAPI ImeSetCompositionString(HIMC context, DWORD index, LPCVOID comp, DWORD compSize, LPCVOID read,
                                    DWORD readSize);
LRESULT CALLBACK VardekoUiWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
}
