#include "person.h"

#include <cstdio>
#include <vector>

#include "driver.h"
#include "wait.h"

namespace e2e {

namespace {

// How long a program that answers may take to take its keys out of its queue (a slow, emulated
// machine, the first text drawn in a session), and how long one that spins may go unanswered:
// only a fault ever waits either out.
constexpr std::chrono::milliseconds kKeyWait = std::chrono::seconds(45);
constexpr std::chrono::milliseconds kAnswerWait = std::chrono::seconds(8);
// No control of the programs takes it.
constexpr WORD kMarker = VK_F24;

INPUT Key(WORD vk, bool up) {
  INPUT i = {};
  i.type = INPUT_KEYBOARD;
  i.ki.wVk = vk;
  i.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  // The arrows are extended keys; without the flag they would be the number pad's.
  if (vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN) i.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  return i;
}

INPUT Mouse(DWORD flags, int x = 0, int y = 0) {
  INPUT i = {};
  i.type = INPUT_MOUSE;
  i.mi.dx = x;
  i.mi.dy = y;
  i.mi.dwFlags = flags;
  return i;
}

bool SendAll(std::vector<INPUT>& in) {
  return SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT)) == in.size();
}

}  // namespace

Person::Person(HWND main) : main_(main) {
  thread_ = GetWindowThreadProcessId(main, nullptr);
  // Sharing input needs a message queue of this thread's own.
  MSG m;
  PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);
  // The program's input is shared once its window is in front with a focus of its own: an input
  // without one would take over this thread's old focus and activation, which may be windows of a
  // program that has ended, and the keys would go to them.
  if (!Front(main)) {
    std::fprintf(stderr, "person: the window %p does not come to front\n", static_cast<void*>(main));
    return;
  }
  auto focused = [&] {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread_, &info) && info.hwndFocus && info.hwndActive;
  };
  if (!krevtest::WaitFor(focused, kKeyWait)) {
    std::fprintf(stderr, "person: the program's window in front has no focus\n");
    return;
  }
  attached_ = AttachThreadInput(GetCurrentThreadId(), thread_, TRUE) != FALSE;
  if (!attached_) std::fprintf(stderr, "person: cannot share the input of thread %lu\n", thread_);
}

Person::~Person() {
  if (attached_) AttachThreadInput(GetCurrentThreadId(), thread_, FALSE);
}

bool Person::Front(HWND top) {
  SetForegroundWindow(top);
  return krevtest::WaitFor([&] { return GetForegroundWindow() == top; }, kKeyWait);
}

bool Person::Settled() {
  if (!attached_) return false;
  const SHORT before = GetKeyState(kMarker) & 1;
  std::vector<INPUT> in = {Key(kMarker, false), Key(kMarker, true)};
  if (!SendAll(in)) return false;
  auto taken = [&] { return (GetKeyState(kMarker) & 1) != before; };
  const auto start = std::chrono::steady_clock::now();
  while (!krevtest::WaitFor(taken, std::chrono::seconds(1))) {
    // A program that stopped answering fails here within seconds; one that answers gets time.
    if (!IsWindow(main_)) return false;  // the program has ended
    if (!krevtest::Answers(main_, kAnswerWait)) {
      if (IsWindow(main_)) std::fprintf(stderr, "person: the program does not answer (it spins or waits)\n");
      return false;
    }
    if (std::chrono::steady_clock::now() - start > kKeyWait) {
      std::fprintf(stderr, "person: the program did not take its keys within %lld s\n",
                   static_cast<long long>(kKeyWait.count() / 1000));
      return false;
    }
  }
  return true;
}

bool Person::Press(WORD vk, std::initializer_list<WORD> held) {
  HWND front = GetForegroundWindow();
  if (!front || GetWindowThreadProcessId(front, nullptr) != thread_) {
    std::fprintf(stderr, "person: the window in front (%p \"%s\") is not the program's\n",
                 static_cast<void*>(front), krevdrv::Text(front).c_str());
    return false;
  }
  std::vector<INPUT> in;
  for (WORD k : held) in.push_back(Key(k, false));
  in.push_back(Key(vk, false));
  in.push_back(Key(vk, true));
  for (auto it = held.end(); it != held.begin();) in.push_back(Key(*--it, true));
  return SendAll(in) && Settled();
}

bool Person::PressTimes(WORD vk, int times) {
  for (int i = 0; i < times; ++i) {
    if (!Press(vk)) return false;
  }
  return true;
}

bool Person::Click(HWND control) {
  RECT r;
  if (!control || !GetWindowRect(control, &r)) return false;
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  // Absolute coordinates run from 0 to 65535 across the screen.
  const int x = ((r.left + r.right) / 2 * 65536 + cx / 2) / cx;
  const int y = ((r.top + r.bottom) / 2 * 65536 + cy / 2) / cy;
  std::vector<INPUT> in = {Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y),
                           Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP)};
  return SendAll(in) && Settled();
}

HWND Person::Focus() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(thread_, &info)) return nullptr;
  for (HWND h = info.hwndFocus; h; h = GetParent(h)) {
    if (!krevdrv::NameOf(h).empty()) return h;
  }
  return info.hwndFocus;
}

std::string Person::FocusName() const {
  HWND h = Focus();
  return h ? krevdrv::NameOf(h) : std::string();
}

}  // namespace e2e
