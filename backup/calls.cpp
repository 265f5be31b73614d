#include "calls.h"

namespace {

HWND WINAPI HtmlHelpFromLibrary(HWND caller, LPCSTR file, UINT command, DWORD_PTR data) {
  using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
  static HMODULE library = nullptr;
  static HtmlHelpFn fn = nullptr;
  if (!library) {
    library = ::LoadLibraryA("hhctrl.ocx");
    FARPROC found = library ? ::GetProcAddress(library, "HtmlHelpA") : nullptr;
    fn = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void (*)()>(found));
  }
  return fn ? fn(caller, file, command, data) : nullptr;
}

}  // namespace

const TLexVaultCalls LexVaultRealCalls = {
    ::GetSystemDirectoryA, ::LoadLibraryA, ::GetProcAddress, ::WriteFile, HtmlHelpFromLibrary,
};
TLexVaultCalls LexVaultCalls = LexVaultRealCalls;
