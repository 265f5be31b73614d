// The two windowed programs as the task bar sees them: one button, labelled with the application
// title, whose window owns the main form; minimising and restoring the program through it; the
// program activated lands on its form; the default error box captioned with the title.
#include "e2e.h"

namespace e2e {

namespace {

struct Windows {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK AddOwnWindow(HWND h, LPARAM lp) {
  auto* w = reinterpret_cast<Windows*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == w->pid) w->found.push_back(h);
  return TRUE;
}

// Every top-level window of the process, shown or not.
std::vector<HWND> TopLevelWindows(DWORD pid) {
  Windows w{pid, {}};
  EnumWindows(AddOwnWindow, reinterpret_cast<LPARAM>(&w));
  return w.found;
}

// The shell's rule for a task-bar button: a visible window that is no tool window and either has
// no owner or asks for a button.
bool HasTaskBarButton(HWND h) {
  LONG ex = GetWindowLongA(h, GWL_EXSTYLE);
  if (!IsWindowVisible(h) || (ex & WS_EX_TOOLWINDOW)) return false;
  return GetWindow(h, GW_OWNER) == nullptr || (ex & WS_EX_APPWINDOW);
}

std::vector<HWND> TaskBarButtons(DWORD pid) {
  std::vector<HWND> v;
  for (HWND h : TopLevelWindows(pid))
    if (HasTaskBarButton(h)) v.push_back(h);
  return v;
}

struct ProgramCase {
  const char* exe;
  const char* title;
  const char* caption;
  HWND (*wait)(const Program&);
  bool formMinimises;  // the main form has a minimise box; else the task-bar button's menu minimises
  // A step a user takes on the form, to see that it answers again.
  bool (*use)(HWND main);
};

const ProgramCase kPrograms[] = {
    {"krevcfg.exe", kCfgTitle, kCfgCaption, WaitCfgMain, true,
     [](HWND main) { return ShowPage(main, "输入法版本信息", "scbxVersion"); }},
    {"kvcfgwiz.exe", "青岚拼音输入法－配置向导", kWizCaption, WaitWizard, false,
     [](HWND main) { return Forward(main, "btnNext0", 1); }},
};

class TaskBar : public Scenario {
 protected:
  // Starts each program, hands `use` its main form once it shows, then closes the form as a user
  // would: the program must end with 0.
  template <class Use>
  void ForEachProgram(Use use) {
    for (const ProgramCase& c : kPrograms) {
      SCOPED_TRACE(c.exe);
      Program p(Program::InInstallDir(c.exe));
      HWND main = c.wait(p);
      ASSERT_TRUE(main);
      use(c, p, main);
      if (HasFatalFailure()) return;
      Close(main);
      EXPECT_EQ(0, p.WaitExit());
    }
  }
};

}  // namespace

TEST_F(TaskBar, OneButtonWithTheTitleWhoseWindowOwnsTheMainForm) {
  ForEachProgram([](const ProgramCase& c, const Program& p, HWND main) {
    std::vector<HWND> titled;
    for (HWND h : TopLevelWindows(p.pid()))
      if (Text(h) == c.title) titled.push_back(h);
    ASSERT_EQ(1u, titled.size());
    HWND app = titled[0];
    EXPECT_EQ(std::vector<HWND>{app}, TaskBarButtons(p.pid()));
    EXPECT_EQ(app, GetWindow(main, GW_OWNER));
    EXPECT_EQ(c.caption, Text(main));
    // Nothing of the window behind the button shows on the desktop.
    RECT r;
    GetWindowRect(app, &r);
    EXPECT_TRUE(IsRectEmpty(&r));
  });
}

TEST_F(TaskBar, MinimiseAndRestoreBringTheFormBackUsable) {
  ForEachProgram([](const ProgramCase& c, const Program& p, HWND main) {
    HWND app = GetWindow(main, GW_OWNER);
    ASSERT_TRUE(app);
    // The form's minimise box, or the task-bar button's menu: the system menu's command.
    PostMessageA(c.formMinimises ? main : app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(app) && !IsWindowVisible(main); }));
    EXPECT_FALSE(IsIconic(main));  // no icon of the form's own on the desktop
    EXPECT_EQ(std::vector<HWND>{app}, TaskBarButtons(p.pid()));
    // The task-bar button restores the program.
    PostMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(WaitUntil([&] {
      return !IsIconic(app) && IsWindowVisible(main) && IsWindowEnabled(main) && GetForegroundWindow() == main;
    }));
    EXPECT_TRUE(c.use(main));
  });
}

// Alt+Tab and the task-bar button activate the window behind the button; the form takes over.
TEST_F(TaskBar, ActivatingTheProgramLandsOnTheForm) {
  ForEachProgram([](const ProgramCase&, const Program&, HWND main) {
    HWND app = GetWindow(main, GW_OWNER);
    ASSERT_TRUE(app);
    SetForegroundWindow(app);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }));
  });
}

TEST_F(TaskBar, DefaultErrorBoxIsCaptionedWithTheTitle) {
  Program p(Program::InInstallDir("krevcfg.exe"));
  HWND main = WaitCfgMain(p);
  ASSERT_TRUE(main);
  // The live ShuangPin file goes after start-up seeded it: its first load fails.
  const std::string spdef = data_ + "vardekosp.ini";
  ASSERT_TRUE(DeleteFileA(spdef.c_str()));
  auto box = krevtest::ExpectBox(kCfgTitle, IDOK, kWindowWait);
  ASSERT_TRUE(SelectTreeItem(Find(main, "tvwMenu"), "双拼编码"));
  krevtest::SeenWindow seen = box.get();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ("Cannot open file " + spdef + ".", seen.text);
  EXPECT_NE(krevtest::BoxIcon::None, seen.icon);  // which one only the program's own tests can tell
  EXPECT_EQ(std::vector<int>{IDOK}, seen.buttons);
  ASSERT_TRUE(WaitGone(seen.hwnd));
  Close(main);
  EXPECT_EQ(0, p.WaitExit());
}

}  // namespace e2e
