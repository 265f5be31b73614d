// The command-line forms (in this process) and the dialog, driven as a person would.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <future>
#include <vector>

#include "backup_testutil.h"
#include "calls.h"
#include "codec.h"
#include "front.h"
#include "responder.h"
#include "run.h"
#include "seams.h"
#include "testenv.h"

using krevtest::FindTopWindow;
using krevtest::ReadFileBytes;
using krevtest::ScratchDir;
using krevtest::SeenWindow;
using krevtest::WriteFileBytes;

namespace {

const std::string kLibrary = "the user word library in the dialog tests";

void ResetRunState() {
  BackupFilePath[0] = '\0';
  WordlibFilePath[0] = '\0';
  ShowMessages = 1;
}

// A dialog of this process once it is shown and answers, that is, once it has finished its
// initialisation; nullptr when none came.
HWND WaitWindow(const std::string& caption) {
  HWND h = nullptr;
  if (!krevtest::WaitFor([&] { return (h = FindTopWindow("#32770", caption, GetCurrentProcessId())) != nullptr; }))
    return nullptr;
  return krevtest::Answers(h) ? h : nullptr;
}

// A click that may open a modal window: posted, so the script goes on to answer that window.
void Press(HWND dlg, int id) { krevtest::PostClick(dlg, id); }

// A box or file dialog of the program over its dialog; nullptr when none is shown.
HWND ShownOver() {
  for (const char* caption : {kOpenTitle, kSaveTitle, kBackupTitle, kRestoreTitle}) {
    if (HWND h = FindTopWindow("#32770", caption, GetCurrentProcessId())) return h;
  }
  return nullptr;
}

// Ends a script: dismisses whatever the program still shows, innermost first, until the dialog is
// gone, so that a script that went wrong is reported instead of a dialog waiting for an answer.
void CloseEverything(HWND dlg) {
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (IsWindow(dlg) && std::chrono::steady_clock::now() < end) {
    HWND over = ShownOver();
    HWND target = over ? over : dlg;
    if (int id = krevtest::DismissId(target)) Press(target, id);
    // Gone, or something new shown over it (a box that follows a file dialog).
    krevtest::WaitFor([&] { return !IsWindow(target) || !IsWindowVisible(target) || ShownOver() != over; },
                      std::chrono::seconds(5));
  }
}

class FrontTest : public ::testing::Test {
 protected:
  lvtest::SettingsValues values;
  ScratchDir dir{"lexvault-front"};
  std::string lib = dir / "perlex.dat";

  void SetUp() override {
    values.SetUserWordlib(lib);
    ASSERT_TRUE(WriteFileBytes(lib, kLibrary));
    ResetRunState();
  }
  void TearDown() override {
    ResetRunState();
  }
  int RunCommandLine(const std::string& text) {
    return LexVaultMain(GetModuleHandleA(nullptr), nullptr, text.c_str(), SW_SHOWNORMAL);
  }
  INT_PTR RunDialog() { return OpenWordlibDialog(GetModuleHandleA(nullptr)); }

  // The dialog's result, and the dialog itself (nullptr when none came).
  struct DialogRun {
    INT_PTR result;
    HWND dlg;
  };
  // Opens the dialog and works it from another thread as a person would: `work` runs with the
  // dialog once it answers (not at all when none came), and whatever still shows afterwards is
  // closed. `work` keeps what it saw where the test reads it once this returns. A click still
  // pending when its future goes is waited for, so a `work` that may leave one (a handler waiting
  // in a window of its own) calls CloseEverything itself first.
  DialogRun RunDialogWith(const std::function<void(HWND)>& work) {
    auto worker = std::async(std::launch::async, [&work]() {
      krevtest::Answering token;
      HWND dlg = WaitWindow(kLexVaultCaption);
      if (dlg) {
        work(dlg);
        CloseEverything(dlg);
      }
      return dlg;
    });
    INT_PTR result = RunDialog();
    return {result, worker.get()};
  }
};

TEST_F(FrontTest, SilentRestoreCommandLineSplitsAtTheFirstBlank) {
  // Relative library paths land in the scratch folder.
  krevtest::CurrentDirectory cwd(dir.path());
  ASSERT_TRUE(cwd.ok());
  std::string backup = dir / "wl.LXB";
  ASSERT_TRUE(WriteFileBytes(backup, lvtest::Member("restored by /r")));
  std::string libDir = dir / "lib dir";
  ASSERT_TRUE(CreateDirectoryA(libDir.c_str(), nullptr));
  struct Case {
    std::string text;
    std::string backupPath;
    std::string wordlibPath;  // after the run: the resolved library when the text gave none
  };
  const Case cases[] = {
      {"/r " + backup + " " + libDir + "\\my.dat", backup, libDir + "\\my.dat"},
      {"/r " + backup, backup, lib},
      {"/rX" + backup + " " + libDir + "\\x.dat", backup, libDir + "\\x.dat"},
      {"/r " + backup + "  two blanks.dat", backup, " two blanks.dat"},
      {"/r D:\\my backups\\wl.LXB", "D:\\my", "backups\\wl.LXB"},
  };
  // A silent run shows nothing: a box of this process would be answered and reported here.
  krevtest::NoWindow noBox;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ResetRunState();
    EXPECT_EQ(RunCommandLine(c.text), 1);
    EXPECT_EQ(ShowMessages, 0);
    EXPECT_EQ(std::string(BackupFilePath), c.backupPath);
    EXPECT_EQ(std::string(WordlibFilePath), c.wordlibPath);
  }
  EXPECT_EQ(ReadFileBytes(libDir + "\\my.dat"), "restored by /r");
  EXPECT_EQ(ReadFileBytes(lib), "restored by /r");
  EXPECT_EQ(ReadFileBytes(dir / " two blanks.dat"), "restored by /r");

  // Nothing after the switch, or a text that does not fit: nothing runs, and it counts as failed.
  ASSERT_TRUE(WriteFileBytes(lib, kLibrary));
  for (std::string text : {std::string("/r"), std::string("/r "), "/r " + backup + " " + std::string(260, 'x')}) {
    SCOPED_TRACE(text.substr(0, 40));
    ResetRunState();
    EXPECT_EQ(RunCommandLine(text), 1);
    EXPECT_EQ(std::string(BackupFilePath), "");
    EXPECT_EQ(std::string(WordlibFilePath), "");
  }
  EXPECT_EQ(ReadFileBytes(lib), kLibrary);
  EXPECT_EQ("", noBox.Finish());
}

TEST_F(FrontTest, BackupCommandLineWithoutAUsablePathFailsWithItsBox) {
  for (std::string text : {std::string("/b"), std::string("/b "), "/b " + dir.path() + std::string(260, 'y')}) {
    SCOPED_TRACE(text.substr(0, 40));
    ResetRunState();
    auto box = std::async(std::launch::async, [] { return lvtest::AnswerBox(kBackupTitle, IDOK); });
    EXPECT_EQ(RunCommandLine(text), 1);
    SeenWindow seen = box.get();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, "备份词库失败。");
    EXPECT_EQ(seen.icon, krevtest::BoxIcon::Error);
  }
  // A bare path that does not fit: the restore fails without asking.
  ResetRunState();
  auto box = std::async(std::launch::async, [] { return lvtest::AnswerBox(kRestoreTitle, IDOK); });
  EXPECT_EQ(RunCommandLine(dir.path() + std::string(300, 'z')), 1);
  EXPECT_EQ(box.get().text, "恢复词库失败。");
  EXPECT_EQ(ReadFileBytes(lib), kLibrary);
}

// The room the text of a dialog control takes, measured the way the control draws it: a static
// wraps its text into its width, a radio button keeps it on one line beside its round box.
SIZE TextNeeds(HWND c, const std::string& cls, const std::string& text, int width) {
  SIZE need = {0, 0};
  LONG style = GetWindowLongA(c, GWL_STYLE);
  bool staticText = cls == "Static" && (style & SS_TYPEMASK) == SS_LEFT;
  bool radio = cls == "Button" && (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
  if (text.empty() || !(staticText || radio)) return need;
  HDC dc = GetDC(c);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(c, WM_GETFONT, 0, 0)));
  RECT r = {0, 0, width, 0};
  if (staticText) {
    DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    need = {0, r.bottom};  // wrapped into the width, so only the height can overflow
  } else {
    DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    // The round box, and the gap of about half a character before the text.
    need = {r.right + GetSystemMetrics(SM_CXMENUCHECK) + tm.tmAveCharWidth / 2, r.bottom};
  }
  SelectObject(dc, old);
  ReleaseDC(c, dc);
  return need;
}

TEST_F(FrontTest, DialogHasItsLayoutAndPreselectsBackup) {
  struct Control {
    int id;
    const char* cls;
    const char* text;
    LONG style;  // bits that must be set
    RECT du;     // x, y, width, height in dialog units
  };
  const Control controls[] = {
      {-1, "Static", "本程序提供青岚拼音输入法词库的备份/恢复功能，用于保留词库备份，以及将词库转移使用到别的环境中。",
       WS_GROUP, {43, 8, 183, 24}},
      {-1, "Static", "注意：恢复词库将会覆盖当前用户所使用的青岚拼音输入法词库！", WS_GROUP, {43, 33, 183, 17}},
      {-1, "Static", "", SS_ETCHEDHORZ, {7, 52, 228, 1}},
      {-1, "Static", "您想做什么？", WS_GROUP, {43, 58, 49, 8}},
      {1000, "Button", "我想备份当前用户的词库", BS_AUTORADIOBUTTON | WS_TABSTOP, {55, 72, 104, 10}},
      {1001, "Button", "我想为当前用户从词库备份文件中恢复词库", BS_AUTORADIOBUTTON | WS_TABSTOP, {55, 84, 170, 10}},
      {IDOK, "Button", "下一步", BS_DEFPUSHBUTTON | WS_TABSTOP, {81, 121, 48, 14}},
      {IDCANCEL, "Button", "取消", WS_TABSTOP, {135, 121, 47, 14}},
      {-1, "Static", nullptr, SS_ICON, {9, 9, 20, 20}},  // its text is the icon's resource ordinal
      {3, "Button", "帮助...", WS_TABSTOP, {187, 121, 48, 14}},
      {-1, "Static", "按“下一步”按钮选择词库备份文件并开始备份或恢复。", WS_GROUP, {43, 103, 183, 16}},
  };
  struct Seen {
    std::string caption;
    LONG style = 0;
    RECT client{};
    RECT size{0, 0, 242, 143};
    UINT backupChecked = 0, restoreChecked = 0;
    bool hasIcon = false;
    std::vector<int> ids;
    std::vector<std::string> classes, texts;
    std::vector<LONG> styles;
    std::vector<RECT> rects, expected;
    std::vector<SIZE> needed;  // what the text takes in the control's font and width (0 when none)
  };
  Seen s;
  DialogRun run = RunDialogWith([&controls, &s](HWND dlg) {
    s.style = GetWindowLongA(dlg, GWL_STYLE);
    GetClientRect(dlg, &s.client);
    MapDialogRect(dlg, &s.size);
    s.backupChecked = IsDlgButtonChecked(dlg, 1000);
    s.restoreChecked = IsDlgButtonChecked(dlg, 1001);
    size_t i = 0;
    for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT), ++i) {
      char buf[512] = {0};
      GetClassNameA(c, buf, sizeof buf);
      s.classes.push_back(buf);
      GetWindowTextA(c, buf, sizeof buf);
      s.texts.push_back(buf);
      s.ids.push_back(static_cast<short>(GetDlgCtrlID(c)));
      s.styles.push_back(GetWindowLongA(c, GWL_STYLE));
      if ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && std::string(s.classes.back()) == "Static")
        s.hasIcon = SendMessageA(c, STM_GETICON, 0, 0) != 0;
      RECT r;
      GetWindowRect(c, &r);
      MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
      s.rects.push_back(r);
      s.needed.push_back(TextNeeds(c, s.classes.back(), buf, r.right - r.left));
      if (i < sizeof controls / sizeof controls[0]) {
        RECT e = {controls[i].du.left, controls[i].du.top, controls[i].du.left + controls[i].du.right,
                  controls[i].du.top + controls[i].du.bottom};
        MapDialogRect(dlg, &e);
        s.expected.push_back(e);
      }
    }
  });
  EXPECT_EQ(run.result, 0);
  ASSERT_NE(run.dlg, nullptr);
  EXPECT_EQ(s.backupChecked, static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(s.restoreChecked, static_cast<UINT>(BST_UNCHECKED));
  const LONG dialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  EXPECT_EQ(s.style & dialogStyle, dialogStyle);
  EXPECT_EQ(s.style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_NEAR(s.client.right, s.size.right, 1);
  EXPECT_NEAR(s.client.bottom, s.size.bottom, 1);
  EXPECT_TRUE(s.hasIcon);
  ASSERT_EQ(s.ids.size(), sizeof controls / sizeof controls[0]);
  for (size_t i = 0; i < s.ids.size(); ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_EQ(s.ids[i], controls[i].id);
    EXPECT_EQ(s.classes[i], controls[i].cls);
    if (controls[i].text) {
      EXPECT_EQ(s.texts[i], controls[i].text);
    }
    EXPECT_EQ(s.styles[i] & controls[i].style, controls[i].style);
    // Within the rounding of dialog units to pixels.
    EXPECT_NEAR(s.rects[i].left, s.expected[i].left, 2);
    EXPECT_NEAR(s.rects[i].top, s.expected[i].top, 2);
    if (controls[i].style == SS_ICON) continue;  // an icon static takes the size of its icon
    EXPECT_NEAR(s.rects[i].right, s.expected[i].right, 2);
    EXPECT_NEAR(s.rects[i].bottom, s.expected[i].bottom, 2);
    // Every text is seen whole: no cut line, no word off the right edge.
    EXPECT_LE(s.needed[i].cx, s.rects[i].right - s.rects[i].left) << s.texts[i];
    EXPECT_LE(s.needed[i].cy, s.rects[i].bottom - s.rects[i].top) << s.texts[i];
  }
}

TEST_F(FrontTest, BackupToAChosenFileReplacesItWithoutAsking) {
  std::string backup = dir / "chosen.LXB";
  ASSERT_TRUE(WriteFileBytes(backup, "an older backup"));
  std::vector<SeenWindow> seen;
  DialogRun run = RunDialogWith([&backup, &seen](HWND dlg) {
    Press(dlg, IDOK);
    seen.push_back(krevtest::ExpectFileDialog(kSaveTitle, backup).get());
    seen.push_back(lvtest::AnswerBox(kBackupTitle, IDOK));
    krevtest::WaitGone(dlg);  // a finished backup ends the dialog
  });
  EXPECT_EQ(run.result, 1);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_TRUE(seen[0].found);
  EXPECT_EQ(seen[0].fileName, "");
  EXPECT_EQ(seen[1].text, "备份词库成功。");
  EXPECT_EQ(std::string(BackupFilePath), backup);
  std::string check = dir / "check.dat";
  ASSERT_EQ(DecompressFileTo(backup.c_str(), check.c_str()), 0);
  EXPECT_EQ(ReadFileBytes(check), kLibrary);
}

TEST_F(FrontTest, RestoreAnsweredNoKeepsTheDialogAndOffersTheSameFile) {
  std::string backup = dir / "offered.LXB";
  ASSERT_TRUE(WriteFileBytes(backup, lvtest::Member("must not be restored")));
  struct Seen {
    SeenWindow firstFile, question, secondFile;
    bool clicksDuringQuestionHandled = false;
    bool pressEnded = false;
    bool stayedOpen = false;
    bool nestedFileDialog = false;
  };
  Seen s;
  DialogRun run = RunDialogWith([&backup, &s](HWND dlg) {
    SendMessageA(GetDlgItem(dlg, 1001), BM_CLICK, 0, 0);
    // Sent from another thread: the future is there when the whole press has been handled.
    auto next = krevtest::SendClickAsync(dlg, IDOK, std::chrono::seconds(60));
    s.firstFile = krevtest::ExpectFileDialog(kOpenTitle, backup).get();
    std::vector<std::future<bool>> clicks;  // kept until the end: a click in a window of its own ends last
    s.question = krevtest::Expect(kRestoreTitle, [dlg, &s, &clicks](HWND, SeenWindow&) {
      // Clicks on the dialog while its run is asking: none may start or end anything. Each is sent,
      // so it has been handled when the send returns; one that opens a file dialog does not return.
      s.clicksDuringQuestionHandled = true;
      for (int id : {IDOK, IDCANCEL, 3}) {
        clicks.push_back(krevtest::SendClickAsync(dlg, id));
        krevtest::WaitFor([&] { return krevtest::Ready(clicks.back()) || FindTopWindow("#32770", kOpenTitle); });
        s.clicksDuringQuestionHandled = s.clicksDuringQuestionHandled && krevtest::Ready(clicks.back());
      }
      return IDNO;
    }).get();
    // After No the press ends, unless it opens another file dialog.
    krevtest::WaitFor([&] { return krevtest::Ready(next) || FindTopWindow("#32770", kOpenTitle); });
    s.nestedFileDialog = FindTopWindow("#32770", kOpenTitle) != nullptr;
    s.pressEnded = krevtest::Ready(next) && next.get();
    s.stayedOpen = IsWindow(dlg) && IsWindowVisible(dlg);
    if (!s.nestedFileDialog) {
      auto again = krevtest::SendClickAsync(dlg, IDOK);
      s.secondFile = krevtest::ExpectFileDialog(kOpenTitle, "").get();  // Cancel
      krevtest::WaitFor([&] { return krevtest::Ready(again); });
    }
    CloseEverything(dlg);
  });
  EXPECT_EQ(run.result, 0);
  ASSERT_NE(run.dlg, nullptr);
  EXPECT_TRUE(s.firstFile.found);
  ASSERT_TRUE(s.question.found);
  EXPECT_NE(s.question.text.find(backup), std::string::npos);
  EXPECT_TRUE(s.clicksDuringQuestionHandled);
  EXPECT_FALSE(s.nestedFileDialog);
  EXPECT_TRUE(s.pressEnded);
  EXPECT_TRUE(s.stayedOpen);
  ASSERT_TRUE(s.secondFile.found);
  // The file chosen before is offered again (the dialog may show it by its name alone).
  const std::string offered = s.secondFile.fileName;
  EXPECT_TRUE(offered == backup || offered == "offered.LXB") << offered;
  EXPECT_EQ(ReadFileBytes(lib), kLibrary);
}

HWND g_helpCaller = nullptr;
std::string g_helpAddress;
UINT g_helpCommand = 99;
int g_helpCalls = 0;
HWND WINAPI RecordHelp(HWND caller, LPCSTR address, UINT command, DWORD_PTR) {
  g_helpCaller = caller;
  g_helpAddress = address;
  g_helpCommand = command;
  ++g_helpCalls;
  return nullptr;
}

TEST_F(FrontTest, HelpButtonAsksForTheBackupTopic) {
  krevtest::ScopedCall help(LexVaultCalls.HtmlHelpA, RecordHelp);
  g_helpCalls = 0;
  DialogRun run = RunDialogWith([](HWND dlg) {
    // Sent: each has been handled when it returns.
    krevtest::SendClick(dlg, 3);
    krevtest::SendClick(dlg, 3);
  });
  EXPECT_EQ(run.result, 0);
  ASSERT_NE(run.dlg, nullptr);
  EXPECT_EQ(g_helpCalls, 2);
  EXPECT_EQ(g_helpCaller, run.dlg);
  EXPECT_EQ(g_helpCommand, 0u);  // HH_DISPLAY_TOPIC
  EXPECT_EQ(g_helpAddress, krevtest::InstallDir() + "vardeko.chm::/270-词库的备份和恢复.htm");
}

TEST_F(FrontTest, HelpWithTheHelpFileOpensTheViewer) {
  // The real HTML Help library and the help file of the installation.
  ASSERT_TRUE(krevtest::FileExists(krevtest::InstallDir() + "vardeko.chm"));
  struct Seen {
    HWND viewer = nullptr;
    DWORD viewerProcess = 0;
    bool box = false;
  };
  Seen s;
  DialogRun run = RunDialogWith([&s](HWND dlg) {
    auto help = krevtest::SendClickAsync(dlg, 3);
    krevtest::WaitFor([&] { return (s.viewer = FindTopWindow("HH Parent", "")) != nullptr || ShownOver(); },
                      std::chrono::seconds(30));
    s.box = ShownOver() != nullptr;
    if (s.viewer) {
      GetWindowThreadProcessId(s.viewer, &s.viewerProcess);
      PostMessageA(s.viewer, WM_CLOSE, 0, 0);
      krevtest::WaitGone(s.viewer);
    }
    CloseEverything(dlg);
  });
  EXPECT_EQ(run.result, 0);
  ASSERT_NE(run.dlg, nullptr);
  EXPECT_NE(s.viewer, nullptr);
  EXPECT_EQ(s.viewerProcess, GetCurrentProcessId());
  EXPECT_FALSE(s.box);
}

TEST_F(FrontTest, HelpWithoutTheHelpFileShowsNothingOfItsOwn) {
  // The real HTML Help library, with the help file out of the way for the test.
  std::string chm = krevtest::InstallDir() + "vardeko.chm";
  std::string aside = chm + ".aside";
  bool moved = MoveFileA(chm.c_str(), aside.c_str()) != FALSE;
  struct Seen {
    bool box = false;
    bool stayedOpen = false;
  };
  Seen s;
  DialogRun run = RunDialogWith([&s](HWND dlg) {
    // The press has been handled when the send returns; a box it showed would keep it from returning.
    auto help = krevtest::SendClickAsync(dlg, 3);
    krevtest::WaitFor([&] { return krevtest::Ready(help) || ShownOver(); });
    s.box = ShownOver() != nullptr;
    s.stayedOpen = IsWindowVisible(dlg) != FALSE;
    CloseEverything(dlg);
  });
  if (moved) MoveFileA(aside.c_str(), chm.c_str());
  EXPECT_EQ(run.result, 0);
  ASSERT_NE(run.dlg, nullptr);
  EXPECT_FALSE(s.box);
  EXPECT_TRUE(s.stayedOpen);
}

}  // namespace
