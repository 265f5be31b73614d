// The yardstick of scripts/startup-figures: the least a Win32 program does to show one window.
// With a number on the command line it first puts that many plain check boxes into the window, so
// the figures show what the windows alone cost a program that has as many.
#include <windows.h>

#include <cstdlib>

namespace {

LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdline, int show) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "OneWindow";
  RegisterClassA(&wc);
  HWND h = CreateWindowA("OneWindow", "One window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 588, 431,
                         nullptr, nullptr, instance, nullptr);
  int children = std::atoi(cmdline);
  for (int i = 0; i < children; ++i) {
    CreateWindowA("Button", "Check box", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 4 + (i % 4) * 140, 4 + (i / 4) * 8,
                  136, 17, h, reinterpret_cast<HMENU>(static_cast<INT_PTR>(1000 + i)), instance, nullptr);
  }
  ShowWindow(h, show);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
