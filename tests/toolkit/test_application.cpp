// The application window that stands for the program on the task bar: the forms it owns, the
// title it carries, minimising and restoring the program through it.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Toolkit.h"
#include "responder.h"
#include "wait.h"

using krevtest::PumpUntil;

namespace {

using krevtest::WindowText;

// The shell's rule for a task-bar button: a visible window that is not a tool window and either
// has no owner or asks for a button.
bool HasTaskBarButton(HWND h) {
  LONG ex = GetWindowLongA(h, GWL_EXSTYLE);
  if (!IsWindowVisible(h) || (ex & WS_EX_TOOLWINDOW)) return false;
  return GetWindow(h, GW_OWNER) == nullptr || (ex & WS_EX_APPWINDOW);
}

struct ThisThreadWindows {
  std::vector<HWND> all;
  static BOOL CALLBACK Add(HWND h, LPARAM lp) {
    reinterpret_cast<ThisThreadWindows*>(lp)->all.push_back(h);
    return TRUE;
  }
  ThisThreadWindows() { EnumThreadWindows(GetCurrentThreadId(), Add, reinterpret_cast<LPARAM>(this)); }
};

// A main form with two buttons; it is the program's main form while the fixture lives.
class MainForm : public TForm {
 public:
  MainForm() : TForm("TAppMainForm") {
    SetClientSize(300, 120);
    BuildLayout<MainForm>(this, {
        {&btnFirst, "btnFirst", "", 8, 8, 90, 25, "第一", &MainForm::btnFirstClick},
        {&btnSecond, "btnSecond", "", 108, 8, 90, 25, "第二", &MainForm::btnSecondClick},
    });
  }
  void btnFirstClick(TObject*) { ++firstClicks; }
  void btnSecondClick(TObject*) { ++secondClicks; }
  TButton btnFirst, btnSecond;
  int firstClicks = 0, secondClicks = 0;
};

// A form made as the programs make theirs (Application.CreateForm): one of the program's forms,
// its main form when it is the first.
template <class F>
F* Created() {
  F* form = nullptr;
  Application.CreateForm(form);
  return form;
}

bool loopStopped = false;

VOID CALLBACK StopTheLoop(HWND, UINT, UINT_PTR, DWORD) {
  loopStopped = true;
  PostQuitMessage(0);
}

// Runs the program's message loop as the programs' main does; true when it ended by itself. A
// loop that does not end is stopped after seconds, so the case fails instead of hanging.
bool RunEnds() {
  loopStopped = false;
  UINT_PTR timer = SetTimer(nullptr, 0, 5000, StopTheLoop);
  Application.Run();
  KillTimer(nullptr, timer);
  // The loop ends on its own flag and leaves the quit message it posted for the process's end.
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  return !loopStopped;
}

class ApplicationWindow : public ::testing::Test {
 protected:
  ApplicationWindow() : main_(*form_) { Application.SetTitle("青岚拼音输入法－测试"); }
  void SetUp() override { ASSERT_EQ(Application.MainForm(), &main_) << "a main form left behind"; }
  ~ApplicationWindow() override {
    // Whatever a failed case left: the program restored and the form gone from the task bar.
    SendMessageA(app(), WM_SYSCOMMAND, SC_RESTORE, 0);
    main_.Hide();
    form_.reset();
    Application.SetTitle(savedTitle_);
  }
  HWND app() const { return Application.Handle(); }

 private:
  std::string savedTitle_ = Application.Title();
  std::unique_ptr<MainForm> form_{Created<MainForm>()};

 protected:
  MainForm& main_;
};

}  // namespace

TEST_F(ApplicationWindow, CarriesTheTitleAndOwnsEveryForm) {
  ASSERT_NE(app(), nullptr);
  EXPECT_EQ(krevtest::ClassOf(app()), "TApplication");
  EXPECT_EQ(WindowText(app()), "青岚拼音输入法－测试");
  Application.SetTitle("青岚拼音输入法－配置向导");
  EXPECT_EQ(WindowText(app()), "青岚拼音输入法－配置向导");

  TForm other("TAppOtherForm");
  for (HWND form : {main_.Handle(), other.Handle()}) {
    EXPECT_EQ(GetWindow(form, GW_OWNER), app());
    EXPECT_EQ(GetWindowLongA(form, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
  }
  // The window has no size: nothing of it shows on the desktop.
  RECT r;
  GetWindowRect(app(), &r);
  EXPECT_EQ(r.right - r.left, 0);
  EXPECT_EQ(r.bottom - r.top, 0);
  EXPECT_EQ(GetWindow(app(), GW_OWNER), nullptr);
}

TEST_F(ApplicationWindow, OneTaskBarButtonWhileTheMainFormShows) {
  HICON icon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  SendMessageA(main_.Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  auto buttons = [] {
    std::vector<HWND> v;
    for (HWND h : ThisThreadWindows().all)
      if (HasTaskBarButton(h)) v.push_back(h);
    return v;
  };
  EXPECT_TRUE(buttons().empty());
  main_.Show();
  EXPECT_EQ(buttons(), std::vector<HWND>{app()});
  // The button shows the main form's icon.
  EXPECT_EQ(SendMessageA(app(), WM_GETICON, ICON_SMALL, 0), reinterpret_cast<LRESULT>(icon));
  // A second form shown beside the main one gets no button of its own.
  TForm other("TAppOtherForm");
  other.Show();
  EXPECT_EQ(buttons(), std::vector<HWND>{app()});
  other.Hide();
  PostMessageA(main_.Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(RunEnds());  // closing the main form ends the program
  EXPECT_TRUE(buttons().empty());
}

// The main form's minimise box minimises the program; its task-bar button restores it, with the
// focus where it was, and the form takes clicks again.
TEST_F(ApplicationWindow, MinimiseAndRestoreTheProgram) {
  main_.Show();
  SetFocus(main_.btnSecond.Handle());
  ASSERT_EQ(GetFocus(), main_.btnSecond.Handle());
  SendMessageA(main_.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(PumpUntil([&] { return IsIconic(app()) && !main_.Visible(); }));
  EXPECT_TRUE(IsWindowVisible(app()));  // the button stays on the task bar
  EXPECT_FALSE(IsIconic(main_.Handle()));  // no icon of the form's own on the desktop

  SendMessageA(app(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsIconic(app()) && main_.Visible() && GetActiveWindow() == main_.Handle(); }));
  EXPECT_TRUE(main_.Enabled());
  EXPECT_EQ(GetFocus(), main_.btnSecond.Handle());
  SendMessageA(main_.btnFirst.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(main_.firstClicks, 1);

  // The task-bar button's own minimise (a click on the button of the active program) does the same.
  SendMessageA(app(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(PumpUntil([&] { return IsIconic(app()) && !main_.Visible(); }));
  SendMessageA(app(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsIconic(app()) && main_.Visible(); }));
}

// Activating the program (Alt+Tab, its task-bar button) lands on the form in use.
TEST_F(ApplicationWindow, ActivationPassesToTheForm) {
  main_.Show();
  SetActiveWindow(app());
  EXPECT_TRUE(PumpUntil([&] { return GetActiveWindow() == main_.Handle(); }));
}

// A modal form keeps its showing while the program is minimised, and comes back with it.
TEST_F(ApplicationWindow, ModalFormSurvivesMinimiseAndRestore) {
  main_.Show();
  std::unique_ptr<TForm> promptForm(Created<TForm>());
  TForm& prompt = *promptForm;
  TButton ok;
  ok.Build(&prompt, {8, 8, 73, 25}, "确定");
  ok.OnClick = [&](TObject*) { prompt.SetModalResult(mrOk); };
  std::atomic<bool> done{false};
  std::atomic<int> step{0};
  // Everything is posted, as the task bar does: a thread that sent to a form whose modal loop had
  // ended would wait for ever.
  std::thread person([&] {
    // Gives up as soon as the test has ended without it.
    auto waitFor = [&](const std::function<bool()>& state) {
      return krevtest::WaitFor([&] { return done || state(); }) && !done;
    };
    if (waitFor([&] { return IsWindowVisible(prompt.Handle()) != FALSE; })) {
      step = 1;
      PostMessageA(app(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
      if (waitFor([&] { return !IsWindowVisible(prompt.Handle()) && IsIconic(app()); })) {
        step = 2;
        PostMessageA(app(), WM_SYSCOMMAND, SC_RESTORE, 0);
        if (waitFor([&] { return IsWindowVisible(prompt.Handle()) && !IsIconic(app()); })) step = 3;
      }
    }
    if (step == 3) {
      PostMessageA(prompt.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(ok.Handle()), BN_CLICKED),
                   reinterpret_cast<LPARAM>(ok.Handle()));
    } else {
      PostMessageA(prompt.Handle(), WM_CLOSE, 0, 0);  // ends a showing that went wrong: a failure, not a hang
    }
  });
  int result = prompt.ShowModal();
  done = true;
  person.join();
  EXPECT_EQ(step, 3);
  EXPECT_EQ(result, mrOk);
  EXPECT_TRUE(main_.Visible());
  EXPECT_TRUE(main_.Enabled());
}

// Closing from the task-bar button's menu closes the form in use as its close box would.
TEST_F(ApplicationWindow, CloseFromTheTaskBarClosesTheFormInUse) {
  int mainCloses = 0;
  main_.OnClose = [&](TObject*) { ++mainCloses; };
  main_.Show();
  std::unique_ptr<TForm> prompt(Created<TForm>());
  PostMessageA(app(), WM_CLOSE, 0, 0);
  EXPECT_EQ(prompt->ShowModal(), mrCancel);
  EXPECT_TRUE(main_.Visible());
  EXPECT_EQ(mainCloses, 0);
  prompt.reset();
  PostMessageA(app(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(RunEnds());  // closing the main form ends the program
  EXPECT_EQ(mainCloses, 1);
  EXPECT_FALSE(main_.Visible());
}
