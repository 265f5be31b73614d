/* Loaded into a program under test by a message hook: tells the test when the program's thread
   takes the marker key (F24) out of its queue, which it does only once everything before it in
   the queue has been handled. The test makes the event "krev-keyprobe-<thread id>". */
#include <windows.h>

__declspec(dllexport) LRESULT CALLBACK KeyProbeHook(int code, WPARAM removed, LPARAM lp) {
  const MSG* msg = (const MSG*)lp;
  if (code == HC_ACTION && removed == PM_REMOVE && msg->message == WM_KEYDOWN && msg->wParam == VK_F24) {
    char name[64];
    HANDLE taken;
    wsprintfA(name, "krev-keyprobe-%lu", GetCurrentThreadId());
    taken = OpenEventA(EVENT_MODIFY_STATE, FALSE, name);
    if (taken) {
      SetEvent(taken);
      CloseHandle(taken);
    }
  }
  return CallNextHookEx(NULL, code, removed, lp);
}
