#include "pagestest.h"

#include <chrono>
#include <set>

namespace cfgtest {

std::vector<StartedCall> g_started;
std::vector<ShellCall> g_shell;
std::vector<HelpCall> g_help;

namespace {

UINT WINAPI RecordStart(LPCSTR cmdline, UINT show) {
  g_started.push_back({cmdline ? cmdline : "<null>", show});
  return 33;
}

HINSTANCE WINAPI RecordShell(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR dir, INT show) {
  g_shell.push_back({owner, verb ? verb : "<null>", file ? file : "<null>", params != nullptr,
                     dir != nullptr, show});
  return reinterpret_cast<HINSTANCE>(33);
}

KREVBOOL __stdcall RecordHelp(HWND owner, const char* page) {
  g_help.push_back({owner, page ? page : "<null>"});
  return 1;
}

using krevtest::ClassOf;
using krevtest::WindowText;
struct Candidates {
  const std::string* caption;
  const std::set<HWND>* answered;
  HWND found;
};

BOOL CALLBACK FindNew(HWND h, LPARAM lp) {
  auto* c = reinterpret_cast<Candidates*>(lp);
  if (IsWindowVisible(h) && ClassOf(h) == "#32770" && WindowText(h) == *c->caption &&
      !c->answered->count(h)) {
    c->found = h;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FirstEdit(HWND h, LPARAM lp) {
  if (ClassOf(h) == "Edit" && IsWindowVisible(h)) {
    *reinterpret_cast<HWND*>(lp) = h;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::string ModuleDir() {
  char path[MAX_PATH] = {0};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s = path;
  return s.substr(0, s.find_last_of('\\') + 1);
}

void PagesTest::SetUp() {
  MainFormTest::SetUp();
  g_started.clear();
  g_shell.clear();
  g_help.clear();
  KrevcfgCalls.WinExec = RecordStart;
  KrevcfgCalls.ShellExecuteA = RecordShell;
  KrevcfgCalls.krevHelpSetting = RecordHelp;
}

BoxScript::BoxScript(const std::string& caption, std::vector<krevtest::Answer> answers)
    : thread_(&BoxScript::Run, this, caption, std::move(answers)) {}

BoxScript::~BoxScript() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

void BoxScript::Run(std::string caption, std::vector<krevtest::Answer> answers) {
  krevtest::Answering token;
  std::set<HWND> answered;
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  for (const krevtest::Answer& answer : answers) {
    HWND dlg = nullptr;
    krevtest::WaitFor(
        [&] {
          Candidates c{&caption, &answered, nullptr};
          EnumWindows(FindNew, reinterpret_cast<LPARAM>(&c));
          dlg = c.found;
          return dlg || stop_ || std::chrono::steady_clock::now() >= end;
        },
        std::chrono::seconds(30));
    if (!dlg || !krevtest::Answers(dlg)) return;  // it has set up its controls once it answers
    krevtest::SeenWindow seen = krevtest::Inspect(dlg);
    int id = answer(dlg, seen);
    krevtest::PostClick(dlg, id);
    answered.insert(dlg);
    seen_.push_back(seen);
  }
}

std::vector<krevtest::SeenWindow> BoxScript::Finish() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  return seen_;
}

krevtest::Answer Press(int id) {
  return [id](HWND, krevtest::SeenWindow&) { return id; };
}

krevtest::Answer ChooseFile(const std::string& name) {
  return [name](HWND dlg, krevtest::SeenWindow&) {
    if (name.empty()) return IDCANCEL;
    HWND edit = nullptr;
    EnumChildWindows(dlg, FirstEdit, reinterpret_cast<LPARAM>(&edit));
    if (edit) SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    return IDOK;
  };
}

std::vector<ChildWindow> Children(HWND page) {
  std::vector<ChildWindow> out;
  for (HWND h = GetWindow(page, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    ChildWindow c{h, ClassOf(h), WindowText(h), {}, false};
    GetWindowRect(h, &c.rect);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&c.rect), 2);
    LOGFONTA lf{};
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0));
    if (font && GetObjectA(font, sizeof lf, &lf)) c.bold = lf.lfWeight >= FW_BOLD;
    out.push_back(c);
  }
  return out;
}

void ClickLabel(TLabel& label) {
  SendMessageA(label.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  SendMessageA(label.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
}

}  // namespace cfgtest
