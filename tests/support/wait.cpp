#include "wait.h"

#include <thread>

namespace krevtest {

namespace {

// Between two looks at a state: short, so a test goes on as soon as the state is there.
constexpr milliseconds kPoll{5};

bool Expired(std::chrono::steady_clock::time_point end) { return std::chrono::steady_clock::now() >= end; }

UINT TimeoutMs(milliseconds timeout) { return static_cast<UINT>(timeout.count() > 0 ? timeout.count() : 1); }

}  // namespace

bool WaitFor(const std::function<bool()>& ready, milliseconds timeout) {
  auto end = std::chrono::steady_clock::now() + timeout;
  while (!ready()) {
    if (Expired(end)) return false;
    std::this_thread::sleep_for(kPoll);
  }
  return true;
}

bool PumpUntil(const std::function<bool()>& ready, milliseconds timeout) {
  auto end = std::chrono::steady_clock::now() + timeout;
  while (!ready()) {
    if (Expired(end)) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    // Wakes for a message of this thread at once, and otherwise looks at the state again soon.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(kPoll.count()), QS_ALLINPUT);
  }
  return true;
}

bool Answers(HWND h, milliseconds timeout) {
  DWORD_PTR result = 0;
  return h && SendMessageTimeoutA(h, WM_NULL, 0, 0, SMTO_NORMAL, TimeoutMs(timeout), &result) != 0;
}

bool WaitGone(HWND h, milliseconds timeout) {
  return WaitFor([h] { return !IsWindow(h) || !IsWindowVisible(h); }, timeout);
}

namespace {

// The whole file, or nothing when it does not open.
bool ReadShared(const std::string& path, std::string* out) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  out->clear();
  char buf[65536];
  DWORD n = 0;
  bool ok;
  while ((ok = ReadFile(h, buf, sizeof buf, &n, nullptr) != 0) && n > 0) out->append(buf, n);
  CloseHandle(h);
  return ok;
}

}  // namespace

bool WaitForFile(const std::string& path, std::string* bytes, const std::function<bool(const std::string&)>& complete,
                 milliseconds timeout) {
  std::string seen;
  bool ok = WaitFor(
      [&] {
        return ReadShared(path, &seen) && (complete ? complete(seen) : !seen.empty());
      },
      timeout);
  if (bytes) *bytes = seen;
  return ok;
}

bool SendClick(HWND button, milliseconds timeout) {
  HWND parent = button ? GetParent(button) : nullptr;
  if (!parent) return false;
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                             reinterpret_cast<LPARAM>(button), SMTO_NORMAL, TimeoutMs(timeout), &result) != 0;
}

bool SendClick(HWND dialog, int id, milliseconds timeout) {
  if (!dialog) return false;
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)), SMTO_NORMAL, TimeoutMs(timeout),
                             &result) != 0;
}

bool PostClick(HWND button) {
  HWND parent = button ? GetParent(button) : nullptr;
  return parent && PostMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                                reinterpret_cast<LPARAM>(button)) != 0;
}

bool PostClick(HWND dialog, int id) {
  return dialog && PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                reinterpret_cast<LPARAM>(GetDlgItem(dialog, id))) != 0;
}

std::future<bool> SendClickAsync(HWND dialog, int id, milliseconds timeout) {
  return std::async(std::launch::async, [=] { return SendClick(dialog, id, timeout); });
}

}  // namespace krevtest
