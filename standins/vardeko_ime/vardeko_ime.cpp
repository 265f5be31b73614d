// Stand-in for the input-method module vardeko.ime. It is a well-formed input-method file that
// the manager can register and select, and converts nothing: every key goes on to the
// application unchanged. The companion programs only register it and read its version.
#include "vardeko_ime.h"

#include <cstring>

const char kVardekoUiClass[] = "VardekoUI";

namespace {

HINSTANCE g_module = nullptr;

bool IsImeMessage(UINT message) {
  switch (message) {
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_ENDCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_IME_SETCONTEXT:
    case WM_IME_NOTIFY:
    case WM_IME_CONTROL:
    case WM_IME_COMPOSITIONFULL:
    case WM_IME_SELECT:
    case WM_IME_CHAR:
    case WM_IME_REQUEST:
      return true;
    default:
      return false;
  }
}

// The manager requires the module to register its user-interface class, with CS_IME, while it
// is being loaded.
void RegisterUiClass(HINSTANCE module) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_IME | CS_VREDRAW | CS_HREDRAW;
  wc.lpfnWndProc = VardekoUiWndProc;
  // Two pointer-sized slots: the manager keeps the input context and private data there.
  wc.cbWndExtra = 2 * sizeof(LONG_PTR);
  wc.hInstance = module;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kVardekoUiClass;
  RegisterClassExA(&wc);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = module;
    DisableThreadLibraryCalls(module);
    RegisterUiClass(module);
  } else if (reason == DLL_PROCESS_DETACH) {
    UnregisterClassA(kVardekoUiClass, module);
  }
  return TRUE;
}

extern "C" {

BOOL WINAPI ImeInquire(VardekoImeInfo* info, LPSTR uiClass, DWORD) {
  if (!info || !uiClass) return FALSE;
  info->dwPrivateDataSize = 0;
  info->fdwProperty = IME_PROP_AT_CARET;
  info->fdwConversionCaps = IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;
  info->fdwSentenceCaps = IME_SMODE_NONE;
  info->fdwUICaps = 0;
  info->fdwSCSCaps = 0;
  info->fdwSelectCaps = SELECT_CAP_CONVERSION;
  // The manager's buffer holds 16 characters; the class name is shorter.
  std::strcpy(uiClass, kVardekoUiClass);
  return TRUE;
}

BOOL WINAPI ImeConfigure(HKL, HWND, DWORD, LPVOID) { return FALSE; }

DWORD WINAPI ImeConversionList(HIMC, LPCSTR, LPCANDIDATELIST, DWORD, UINT) { return 0; }

BOOL WINAPI ImeDestroy(UINT) { return TRUE; }

LRESULT WINAPI ImeEscape(HIMC, UINT, LPVOID) { return 0; }

BOOL WINAPI ImeProcessKey(HIMC, UINT, LPARAM, CONST LPBYTE) { return FALSE; }

BOOL WINAPI ImeSelect(HIMC, BOOL) { return TRUE; }

BOOL WINAPI ImeSetActiveContext(HIMC, BOOL) { return TRUE; }

UINT WINAPI ImeToAsciiEx(UINT, UINT, CONST LPBYTE, LPDWORD, UINT, HIMC) { return 0; }

BOOL WINAPI NotifyIME(HIMC, DWORD, DWORD, DWORD) { return FALSE; }

BOOL WINAPI ImeRegisterWord(LPCSTR, DWORD, LPCSTR) { return FALSE; }

BOOL WINAPI ImeUnregisterWord(LPCSTR, DWORD, LPCSTR) { return FALSE; }

UINT WINAPI ImeGetRegisterWordStyle(UINT, LPSTYLEBUFA) { return 0; }

UINT WINAPI ImeEnumRegisterWord(REGISTERWORDENUMPROCA, LPCSTR, DWORD, LPCSTR, LPVOID) { return 0; }

BOOL WINAPI ImeSetCompositionString(HIMC, DWORD, LPCVOID, DWORD, LPCVOID, DWORD) { return FALSE; }

LRESULT CALLBACK VardekoUiWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Input-method messages must not reach DefWindowProc, which would hand them back to the manager.
  if (IsImeMessage(message)) return 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // extern "C"
