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
  char name[64];
  std::snprintf(name, sizeof name, "krev-keyprobe-%lu", thread_);
  taken_.reset(CreateEventA(nullptr, FALSE, FALSE, name));
  // The probe lies beside this program.
  char path[MAX_PATH] = {0};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dll(path, n);
  dll = dll.substr(0, dll.find_last_of('\\') + 1) + "keyprobe.dll";
  HMODULE probe = LoadLibraryA(dll.c_str());
  FARPROC proc = nullptr;
  if (probe) proc = GetProcAddress(probe, "KeyProbeHook@12");
  if (probe && !proc) proc = GetProcAddress(probe, "KeyProbeHook");
  auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(proc));
  if (hook && taken_) hook_.reset(SetWindowsHookExA(WH_GETMESSAGE, hook, probe, thread_));
  if (!hook_) std::fprintf(stderr, "person: cannot watch the keys of thread %lu (%s)\n", thread_, dll.c_str());
  if (!Front(main)) std::fprintf(stderr, "person: the window %p does not come to front\n", static_cast<void*>(main));
}

bool Person::Front(HWND top) {
  SetForegroundWindow(top);
  return krevtest::WaitFor([&] { return GetForegroundWindow() == top; }, kKeyWait);
}

bool Person::Settled() {
  if (!hook_) return false;
  ResetEvent(taken_.get());
  std::vector<INPUT> in = {Key(kMarker, false), Key(kMarker, true)};
  if (!SendAll(in)) return false;
  const auto start = std::chrono::steady_clock::now();
  while (WaitForSingleObject(taken_.get(), 1000) != WAIT_OBJECT_0) {
    if (!IsWindow(main_)) return false;  // the program has ended
    // A program that stopped answering fails here within seconds; one that answers gets time.
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
