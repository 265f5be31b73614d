#include "responder.h"

#include <memory>
#include <thread>

namespace krevtest {

std::string WindowText(HWND h) {
  int n = GetWindowTextLengthA(h);
  std::string s(n + 1, '\0');
  n = GetWindowTextA(h, &s[0], n + 1);
  s.resize(n > 0 ? n : 0);
  return s;
}

std::string ClassOf(HWND h) {
  char buf[64] = {0};
  GetClassNameA(h, buf, sizeof buf);
  return buf;
}

namespace {

BoxIcon IconOf(HICON icon) {
  if (!icon) return BoxIcon::None;
  if (icon == LoadIcon(nullptr, IDI_HAND)) return BoxIcon::Error;
  if (icon == LoadIcon(nullptr, IDI_QUESTION)) return BoxIcon::Question;
  if (icon == LoadIcon(nullptr, IDI_EXCLAMATION)) return BoxIcon::Exclamation;
  if (icon == LoadIcon(nullptr, IDI_ASTERISK)) return BoxIcon::Information;
  return BoxIcon::Other;
}

struct FindData {
  const char* cls;
  const std::string* caption;
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindProc(HWND h, LPARAM lp) {
  auto* d = reinterpret_cast<FindData*>(lp);
  if (!IsWindowVisible(h)) return TRUE;
  if (d->pid) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != d->pid) return TRUE;
  }
  if (d->cls && ClassOf(h) != d->cls) return TRUE;
  if (!d->caption->empty() && WindowText(h) != *d->caption) return TRUE;
  d->found = h;
  return FALSE;
}

std::atomic<int> g_answering{0};

BOOL CALLBACK EditProc(HWND h, LPARAM lp) {
  if (ClassOf(h) == "Edit" && IsWindowVisible(h)) {
    *reinterpret_cast<HWND*>(lp) = h;
    return FALSE;
  }
  return TRUE;
}

HWND FirstVisibleEdit(HWND dlg) {
  HWND result = nullptr;
  EnumChildWindows(dlg, EditProc, reinterpret_cast<LPARAM>(&result));
  return result;
}

BOOL CALLBACK InspectProc(HWND h, LPARAM lp) {
  auto* seen = reinterpret_cast<SeenWindow*>(lp);
  std::string cls = ClassOf(h);
  if (cls == "Static") {
    LONG style = GetWindowLongA(h, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON) {
      seen->icon = IconOf(reinterpret_cast<HICON>(SendMessageA(h, STM_GETICON, 0, 0)));
    } else if (IsWindowVisible(h)) {
      std::string t = WindowText(h);
      if (!t.empty()) {
        if (!seen->text.empty()) seen->text += '\n';
        seen->text += t;
      }
    }
  } else if (cls == "Button" && IsWindowVisible(h)) {
    LONG type = GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) seen->buttons.push_back(GetDlgCtrlID(h));
  }
  return TRUE;
}

}  // namespace

Answering::Answering() { ++g_answering; }
Answering::~Answering() { --g_answering; }
bool Answering::Anyone() { return g_answering > 0; }

HWND FindTopWindow(const char* cls, const std::string& caption, DWORD pid) {
  FindData d{cls, &caption, pid, nullptr};
  EnumWindows(FindProc, reinterpret_cast<LPARAM>(&d));
  return d.found;
}

int DismissId(HWND dlg) {
  for (int id : {IDCANCEL, IDNO, IDOK}) {
    HWND b = GetDlgItem(dlg, id);
    if (b && IsWindowVisible(b)) return id;
  }
  return 0;
}

SeenWindow Inspect(HWND dlg) {
  SeenWindow seen;
  seen.found = dlg != nullptr;
  seen.hwnd = dlg;
  if (!dlg) return seen;
  seen.caption = WindowText(dlg);
  EnumChildWindows(dlg, InspectProc, reinterpret_cast<LPARAM>(&seen));
  if (HWND edit = FirstVisibleEdit(dlg)) seen.fileName = WindowText(edit);
  return seen;
}

std::future<SeenWindow> Expect(const std::string& caption, Answer answer, std::chrono::milliseconds timeout) {
  // The token is taken here, before the thread runs: an action that opens the window right after
  // this call must already find someone answering.
  auto token = std::make_shared<Answering>();
  return std::async(std::launch::async, [caption, answer, timeout, token]() mutable {
    struct Release {  // while it waits, not for the life of the future
      std::shared_ptr<Answering>& token;
      ~Release() { token.reset(); }
    } release{token};
    SeenWindow seen;
    HWND dlg = nullptr;
    if (WaitFor([&] { return (dlg = FindTopWindow("#32770", caption)) != nullptr; }, timeout) && Answers(dlg)) {
      seen = Inspect(dlg);
      int id = answer ? answer(dlg, seen) : IDOK;
      PostClick(dlg, id);
      // Still answering until the window is gone: its owner stays disabled until then.
      WaitGone(dlg);
    }
    return seen;
  });
}

std::future<SeenWindow> ExpectBox(const std::string& caption, int id, std::chrono::milliseconds timeout) {
  return Expect(caption, [id](HWND, SeenWindow&) { return id; }, timeout);
}

std::future<SeenWindow> ExpectFileDialog(const std::string& caption, const std::string& name,
                                         std::chrono::milliseconds timeout) {
  return Expect(
      caption,
      [name](HWND dlg, SeenWindow&) {
        if (name.empty()) return IDCANCEL;
        if (HWND edit = FirstVisibleEdit(dlg)) SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        return IDOK;
      },
      timeout);
}

NoWindow::NoWindow(const char* cls, const std::string& caption, DWORD pid)
    : thread_(&NoWindow::Run, this, cls ? cls : "", cls == nullptr, caption, pid) {}

NoWindow::~NoWindow() { Finish(); }

void NoWindow::Run(std::string cls, bool anyClass, std::string caption, DWORD pid) {
  while (!stop_) {
    HWND h = nullptr;
    if (!WaitFor([&] { return stop_ || (h = FindTopWindow(anyClass ? nullptr : cls.c_str(), caption, pid)); }))
      continue;
    if (!h) break;
    Answers(h);
    SeenWindow seen = Inspect(h);
    seen_ += "a window came: \"" + seen.caption + "\" showing \"" + seen.text + "\"\n";
    if (int id = DismissId(h)) {
      PostClick(h, id);
    } else {
      PostMessageA(h, WM_CLOSE, 0, 0);
    }
    WaitGone(h);
  }
}

std::string NoWindow::Finish() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  return seen_;
}

}  // namespace krevtest
