// The components the forms are built from: names on the windows, class names, the page control
// with hidden tabs, the scroll box, anchors, lists, the tree, keyboard and modal showing.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Toolkit.h"
#include "keys.h"
#include "responder.h"
#include "testenv.h"

namespace {

using krevtest::ClassOf;
// A form made as the programs make theirs (Application.CreateForm): one of the program's forms,
// its main form when it is the first.
template <class F>
F* Created() {
  F* form = nullptr;
  Application.CreateForm(form);
  return form;
}

class PagesForm : public TForm {
 public:
  PagesForm() : TForm("TPagesForm") {
    SetClientSize(425, 349);
    BuildLayout<PagesForm>(this, {
        {&scbxSetting, "scbxSetting", "", 0, 0, 425, 349, ""},
        {&pnlCapSetting, "pnlCapSetting", "scbxSetting", 0, 0, 404, 25, "  输入设置"},
        {&gbx52Int, "gbx52Int", "scbxSetting", 8, 400, 389, 97, "高级智能特性", nullptr, lfStretch},
        {&chkICW, "chkICW", "gbx52Int", 16, 20, 97, 17, "智能组词"},
        {Own<TLabel>(), "", "gbx52Int", 16, 44, 0, 0, "说明"},
        {&pnlCapAdvanced, "pnlCapAdvanced", "scbxSetting", 0, 1248, 404, 25, "  高级设置"},
    });
    scbxSetting.SetBorder(true);
    scbxSetting.SetVertRange(1592);
    scbxSetting.SetTracking(true);
  }
  TScrollBox scbxSetting;
  TPanel pnlCapSetting, pnlCapAdvanced;
  TGroupBox gbx52Int;
  TCheckBox chkICW;
};

}  // namespace

TEST(ToolkitComponents, NamesAreOnTheWindows) {
  PagesForm f;
  EXPECT_EQ(FindNamedWindow(f.Handle(), "chkICW"), f.chkICW.Handle());
  EXPECT_EQ(FindNamedWindow(nullptr, "chkICW"), f.chkICW.Handle());
  EXPECT_EQ(WindowComponentName(f.gbx52Int.Handle()), "gbx52Int");
  EXPECT_EQ(FindNamedWindow(f.Handle(), "nothing"), nullptr);
  EXPECT_EQ(f.FindControl("pnlCapAdvanced"), &f.pnlCapAdvanced);
  // A renamed component is found by its new name only.
  f.chkICW.SetName("chkOther");
  EXPECT_EQ(FindNamedWindow(f.Handle(), "chkOther"), f.chkICW.Handle());
  EXPECT_EQ(FindNamedWindow(f.Handle(), "chkICW"), nullptr);
}

TEST(ToolkitComponents, ClassNamesAndTheContainerWalk) {
  PagesForm f;
  EXPECT_STREQ(f.scbxSetting.ClassName(), "TScrollBox");
  EXPECT_EQ(ClassOf(f.scbxSetting.Handle()), "TScrollBox");
  EXPECT_STREQ(f.pnlCapSetting.ClassName(), "TPanel");
  EXPECT_EQ(ClassOf(f.pnlCapSetting.Handle()), "TPanel");
  EXPECT_STREQ(f.gbx52Int.ClassName(), "TGroupBox");
  EXPECT_STREQ(f.chkICW.ClassName(), "TCheckBox");
  EXPECT_STREQ(f.ClassName(), "TPagesForm");
  // The first panel, page control or scroll box up from a control.
  auto walk = [](TControl* c) -> TControl* {
    for (; c; c = c->Parent()) {
      if (std::strstr("TPanel, TPageControl, TScrollBox", c->ClassName())) return c;
    }
    return nullptr;
  };
  EXPECT_EQ(walk(&f.pnlCapAdvanced), &f.pnlCapAdvanced);
  EXPECT_EQ(walk(&f.chkICW), &f.scbxSetting);
}

TEST(ToolkitComponents, ScrollBoxRangeAndScrollIntoView) {
  PagesForm f;
  TScrollBox& s = f.scbxSetting;
  EXPECT_EQ(s.ClientHeight(), 345);
  EXPECT_EQ(s.ClientWidth(), 404);
  // The scroll bar came after the group box was built: the box keeps its designed width.
  EXPECT_EQ(f.gbx52Int.Width(), 389);
  // Below the visible area: to its bottom edge.
  s.ScrollInView(&f.pnlCapAdvanced);
  EXPECT_EQ(s.VertPosition(), 1248 + 25 - 345);
  EXPECT_EQ(f.pnlCapAdvanced.Top(), 345 - 25);
  // The position stays within the range.
  s.SetVertPosition(s.VertPosition() + f.pnlCapAdvanced.Top());
  EXPECT_EQ(s.VertPosition(), 1592 - 345);
  EXPECT_EQ(f.pnlCapAdvanced.Top(), 1);
  // Above it: to its top edge.
  s.ScrollInView(&f.pnlCapSetting);
  EXPECT_EQ(s.VertPosition(), 0);
  EXPECT_EQ(f.pnlCapSetting.Top(), 0);
  s.SetVertPosition(-5);
  EXPECT_EQ(s.VertPosition(), 0);
  // Positions of nested controls follow the content.
  s.SetVertPosition(300);
  EXPECT_EQ(f.gbx52Int.Top(), 100);
  EXPECT_EQ(f.chkICW.Top(), 20);
}

TEST(ToolkitComponents, ScrollBoxBringsTheFocusIntoView) {
  PagesForm f;
  f.Show();
  TScrollBox& s = f.scbxSetting;
  // A control inside a group box below the visible area: to the bottom edge.
  SetFocus(f.chkICW.Handle());
  EXPECT_EQ(s.VertPosition(), 400 + 20 + 17 - 345);
  EXPECT_EQ(f.gbx52Int.Top() + f.chkICW.Top() + f.chkICW.Height(), 345);
  // Focus that stays in view scrolls nothing.
  s.SetVertPosition(300);
  f.Show();
  SetFocus(f.chkICW.Handle());
  EXPECT_EQ(s.VertPosition(), 300);
  // Above it: to the top edge.
  s.SetVertPosition(1000);
  SetFocus(f.Handle());
  SetFocus(f.chkICW.Handle());
  EXPECT_EQ(s.VertPosition(), 420);
}

TEST(ToolkitComponents, ScrollBoxFollowsTheThumbOnlyWhileTracking) {
  PagesForm f;
  TScrollBox& s = f.scbxSetting;
  SendMessageA(s.Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 500), 0);
  EXPECT_EQ(s.VertPosition(), 500);
  EXPECT_EQ(f.pnlCapSetting.Top(), -500);
  s.SetTracking(false);
  SendMessageA(s.Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 700), 0);
  EXPECT_EQ(s.VertPosition(), 500);
  SendMessageA(s.Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 700), 0);
  EXPECT_EQ(s.VertPosition(), 700);
  SendMessageA(s.Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(s.VertPosition(), 700 + 345);
  SendMessageA(s.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(s.VertPosition(), 1247);
  SendMessageA(s.Handle(), WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(s.VertPosition(), 0);
}

TEST(ToolkitComponents, PageControlWithHiddenTabs) {
  TForm f("TWizardForm");
  f.SetClientSize(532, 370);
  TPageControl pgctl;
  TTabSheet pages[3];
  TCheckBox chk;
  pgctl.Build(&f, {0, 0, 532, 370});
  pgctl.SetAlign(alClient);
  for (TTabSheet& p : pages) p.Build(&pgctl, {});
  chk.Build(&pages[1], {72, 120, 200, 17}, "我将使用标准的普通话读音");

  EXPECT_EQ(ClassOf(pgctl.Handle()), "TPageControl");
  EXPECT_EQ(pgctl.PageCount(), 3);
  EXPECT_EQ(pgctl.ActivePageIndex(), 0);
  // No tab strip: every page covers the whole control.
  EXPECT_EQ(FindWindowExA(pgctl.Handle(), nullptr, "SysTabControl32", nullptr), nullptr);
  for (TTabSheet& p : pages) {
    EXPECT_EQ(p.Left(), 0);
    EXPECT_EQ(p.Top(), 0);
    EXPECT_EQ(p.Width(), 532);
    EXPECT_EQ(p.Height(), 370);
  }
  pgctl.SetActivePageIndex(1);
  chk.SetChecked(true);
  pgctl.SetActivePageIndex(2);
  EXPECT_EQ(pgctl.ActivePageIndex(), 2);
  EXPECT_EQ(pgctl.ActivePage(), &pages[2]);
  EXPECT_FALSE(pages[0].Visible());
  EXPECT_FALSE(pages[1].Visible());
  EXPECT_TRUE(pages[2].Visible());
  pgctl.SetActivePageIndex(7);  // no such page: nothing changes
  EXPECT_EQ(pgctl.ActivePageIndex(), 2);
  pgctl.SetActivePageIndex(1);
  EXPECT_EQ(pgctl.ActivePageIndex(), 1);
  EXPECT_TRUE(chk.Checked());
}

TEST(ToolkitComponents, StackedPagesComeToFront) {
  TForm f("TStackForm");
  f.SetClientSize(300, 200);
  TPanel a, b;
  a.Build(&f, {0, 0, 300, 200});
  b.Build(&f, {0, 0, 300, 200});
  a.SetAlign(alClient);
  b.SetAlign(alClient);
  a.BringToFront();
  EXPECT_TRUE(a.IsFront());
  EXPECT_FALSE(b.IsFront());
  b.BringToFront();
  EXPECT_TRUE(b.IsFront());
  EXPECT_TRUE(a.Visible());
}

TEST(ToolkitComponents, AlignAndAnchors) {
  TForm f("TAnchorForm");
  f.SetClientSize(580, 397);
  TPanel bar, left;
  TButton ok;
  TGroupBox frame;
  TTreeView tree;
  bar.Build(&f, {0, 345, 580, 52});
  bar.SetAlign(alBottom);
  left.Build(&f, {0, 0, 155, 345});
  left.SetAlign(alLeft);
  ok.Build(&bar, {239, 16, 76, 25}, "确定");
  ok.SetAnchors(akTop | akRight);
  frame.Build(&left, {6, 27, 146, 318});
  frame.SetAnchors(akLeft | akTop | akRight | akBottom);
  tree.Build(&frame, {7, 13, 133, 294});
  tree.SetAnchors(akLeft | akTop | akRight | akBottom);

  EXPECT_EQ(bar.Top(), 345);
  EXPECT_EQ(left.Height(), 345);
  f.SetClientSize(680, 447);
  EXPECT_EQ(bar.Width(), 680);
  EXPECT_EQ(bar.Top(), 395);
  EXPECT_EQ(ok.Left(), 339);
  EXPECT_EQ(ok.Width(), 76);
  EXPECT_EQ(left.Height(), 395);
  EXPECT_EQ(frame.Height(), 368);
  EXPECT_EQ(tree.Height(), 344);
  EXPECT_EQ(tree.Width(), 133);
}

TEST(ToolkitComponents, ComboBoxTextAndIndex) {
  TForm f("TComboForm");
  TComboBox list, edit;
  list.Build(&f, {8, 8, 150, 20});
  edit.SetStyle(csDropDown);
  edit.Build(&f, {8, 40, 150, 20});
  list.SetItems({"Arial", "Default", "宋体"});
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_EQ(list.Text(), "");
  list.SetCaption("宋体");
  EXPECT_EQ(list.ItemIndex(), 2);
  EXPECT_EQ(list.Text(), "宋体");
  // Letter case counts.
  list.SetCaption("arial");
  EXPECT_EQ(list.ItemIndex(), -1);
  list.SetItemIndex(0);
  EXPECT_EQ(list.Text(), "Arial");
  list.SetItemIndex(3);  // no such item
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_EQ(list.Text(), "");
  list.SetItems({"x"});
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_EQ(list.Item(5), "");

  edit.SetItems({"14个像素", "16个像素"});
  edit.SetItemIndex(0);
  edit.SetCaption("16个像素");
  EXPECT_EQ(edit.ItemIndex(), 1);
  EXPECT_EQ(edit.Text(), "16个像素");
  edit.SetCaption("18个像素");
  EXPECT_EQ(edit.Text(), "18个像素");
  EXPECT_EQ(edit.ItemIndex(), -1);
}

TEST(ToolkitComponents, ScreenFontsOnceEachSortedWithDefault) {
  std::vector<std::string> fonts = Screen.Fonts();
  ASSERT_FALSE(fonts.empty());
  int defaults = 0;
  for (size_t i = 0; i < fonts.size(); ++i) {
    if (fonts[i] == "Default") ++defaults;
    for (size_t j = i + 1; j < fonts.size(); ++j) EXPECT_NE(fonts[i], fonts[j]);
    if (i > 0) {
      EXPECT_NE(CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, fonts[i - 1].c_str(), -1,
                               fonts[i].c_str(), -1),
                CSTR_GREATER_THAN)
          << fonts[i - 1] << " / " << fonts[i];
    }
  }
  EXPECT_EQ(defaults, 1);
}

TEST(ToolkitComponents, TreeChangeOnEverySelection) {
  TForm f("TTreeForm");
  TTreeView tree;
  tree.SetShowRoot(false);
  tree.SetReadOnly(true);
  tree.SetHotTrack(true);
  tree.Build(&f, {0, 0, 133, 294});
  tree.SetIndent(19);
  std::vector<std::string> seen;
  TTreeNode* top = tree.Add(nullptr, "输入法设置", 0, 1);
  TTreeNode* child = tree.Add(top, "输入设置", 2, 1);
  TTreeNode* other = tree.Add(nullptr, "自定义", 0, 1);
  TTreeNode* late = tree.Add(top, "功能键", 2, 1);  // added later, listed under its parent
  tree.OnChange = [&](TObject* sender, TTreeNode* node) {
    EXPECT_EQ(sender, &tree);
    seen.push_back(node ? node->Text() : "(none)");
  };
  EXPECT_EQ(tree.Indent(), 19);
  EXPECT_EQ(tree.Item(2), late);
  EXPECT_EQ(late->AbsoluteIndex(), 2);
  EXPECT_EQ(other->AbsoluteIndex(), 3);
  EXPECT_EQ(child->Level(), 1);
  EXPECT_EQ(child->Parent(), top);
  tree.FullExpand();
  EXPECT_TRUE(top->Expanded());
  tree.Select(child);
  tree.Select(child);  // no change, no event
  tree.Select(other);
  EXPECT_EQ(seen, (std::vector<std::string>{"输入设置", "自定义"}));
  EXPECT_EQ(tree.Selected(), other);
  EXPECT_TRUE(other->Selected());
}

TEST(ToolkitComponents, EnterPressesTheDefaultButtonAndEscNothing) {
  TForm f("TKeyForm");
  f.SetClientSize(300, 120);
  TPanel bar;
  TButton ok, other;
  TEdit edit;
  int okClicks = 0, otherClicks = 0;
  bar.Build(&f, {0, 60, 300, 60});
  ok.Build(&bar, {8, 16, 76, 25}, "确定");
  other.Build(&bar, {100, 16, 76, 25}, "取消");
  edit.Build(&f, {8, 8, 200, 20});
  ok.OnClick = [&](TObject*) { ++okClicks; };
  other.OnClick = [&](TObject*) { ++otherClicks; };
  f.SetDefaultButton(&ok);
  EXPECT_TRUE(ok.IsDefault());
  f.Show();
  SetFocus(edit.Handle());
  auto key = [&](WPARAM vk) {
    MSG msg = {edit.Handle(), WM_KEYDOWN, vk, 0, 0, {0, 0}};
    Application.DispatchOne(msg);
  };
  key(VK_RETURN);
  EXPECT_EQ(okClicks, 1);
  key(VK_ESCAPE);
  EXPECT_EQ(okClicks, 1);
  EXPECT_EQ(otherClicks, 0);
  EXPECT_TRUE(f.Visible());
  // A memo takes Enter for a line break; Esc in it does nothing either, and never closes the
  // window.
  TMemo memo;
  memo.Build(&f, {210, 8, 80, 40});
  SetFocus(memo.Handle());
  MSG enter = {memo.Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  Application.DispatchOne(enter);
  MSG esc = {memo.Handle(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
  Application.DispatchOne(esc);
  Application.ProcessMessages();
  EXPECT_EQ(okClicks, 1);
  EXPECT_EQ(otherClicks, 0);
  EXPECT_TRUE(IsWindow(memo.Handle()));
  EXPECT_TRUE(f.Visible());
}

// Two pages stacked as the settings centre stacks its own: the keyboard reaches only the one in
// front. Tab leaves a memo (which passes Tab to its parent) and selects the text of an edit.
TEST(ToolkitComponents, KeysReachOnlyThePageInFront) {
  TForm f("TKeysForm");
  f.SetClientSize(300, 200);
  TPanel back, front;
  TMemo memo;
  TButton goBack, goFront;
  TEdit edit;
  back.Build(&f, {0, 0, 300, 150});
  front.Build(&f, {0, 0, 300, 150});
  goBack.Build(&back, {8, 8, 76, 25}, "&Back");
  memo.Build(&front, {8, 40, 200, 80}, "line");
  goFront.Build(&front, {8, 8, 76, 25}, "&Go");
  edit.Build(&f, {8, 160, 200, 20}, "text");
  std::vector<std::string> pressed;
  goBack.OnClick = [&](TObject*) { pressed.push_back("back"); };
  goFront.OnClick = [&](TObject*) { pressed.push_back("front"); };
  front.BringToFront();
  f.Show();
  Application.ProcessMessages();

  SetFocus(memo.Handle());
  for (TControl* expected : {static_cast<TControl*>(&goFront), static_cast<TControl*>(&edit),
                             static_cast<TControl*>(&memo)}) {
    krevtest::PressKey(VK_TAB);
    EXPECT_EQ(expected->Handle(), GetFocus());
  }
  krevtest::PressKey(VK_TAB, {VK_SHIFT});
  EXPECT_EQ(edit.Handle(), GetFocus());
  DWORD start = 1, end = 0;
  SendMessageA(edit.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(0u, start);
  EXPECT_EQ(4u, end);
  EXPECT_EQ("line", memo.Text());
  EXPECT_FALSE(memo.Modified());

  krevtest::PressKey('B', {VK_MENU});
  krevtest::PressKey('G', {VK_MENU});
  EXPECT_EQ((std::vector<std::string>{"front"}), pressed);
  back.BringToFront();
  krevtest::PressKey('B', {VK_MENU});
  EXPECT_EQ((std::vector<std::string>{"front", "back"}), pressed);
  EXPECT_EQ(goBack.Handle(), GetFocus());
}

TEST(ToolkitComponents, ShowModalDisablesTheOthersUntilItEnds) {
  std::unique_ptr<TForm> mainForm(Created<TForm>()), promptForm(Created<TForm>());
  TForm& main = *mainForm;
  TForm& prompt = *promptForm;
  TButton ok;
  ok.Build(&prompt, {8, 8, 73, 25}, "确定");
  main.Show();
  bool mainEnabledDuring = true;
  ok.OnClick = [&](TObject*) {
    mainEnabledDuring = main.Enabled();
    prompt.Close();
  };
  krevtest::PostClick(ok.Handle());
  int result = prompt.ShowModal();
  EXPECT_EQ(result, mrCancel);
  EXPECT_FALSE(mainEnabledDuring);
  EXPECT_TRUE(main.Enabled());
  EXPECT_FALSE(prompt.Visible());
  // Shown again it starts over.
  ok.OnClick = [&](TObject*) { prompt.SetModalResult(mrOk); };
  krevtest::PostClick(ok.Handle());
  EXPECT_EQ(prompt.ShowModal(), mrOk);
}

// Whether this thread's queue has been worked through up to a marker: posted after everything that
// is queued, the marker is seen retrieved by a message hook only once everything before it has been.
UINT g_marker = 0;
std::atomic<bool> g_markerTaken{false};
LRESULT CALLBACK SeeMarker(int code, WPARAM removed, LPARAM lp) {
  const MSG* m = reinterpret_cast<const MSG*>(lp);
  if (code == HC_ACTION && removed == PM_REMOVE && m->message == g_marker) g_markerTaken = true;
  return CallNextHookEx(nullptr, code, removed, lp);
}

BOOL CALLBACK CountPending(HWND h, LPARAM lp) {
  if (IsWindowVisible(h) && GetUpdateRect(h, nullptr, FALSE)) ++*reinterpret_cast<int*>(lp);
  return TRUE;
}
BOOL CALLBACK CountPendingTop(HWND h, LPARAM lp) {
  CountPending(h, lp);
  EnumChildWindows(h, CountPending, lp);
  return TRUE;
}

// True once the thread `thread`, whose window `h` is, has handled everything queued for it and
// has nothing left to paint: its message loop then waits in GetMessage with an empty queue.
bool IdleInItsLoop(HWND h, DWORD thread) {
  g_markerTaken = false;
  PostMessageA(h, g_marker, 0, 0);
  if (!krevtest::WaitFor([] { return g_markerTaken.load(); })) return false;
  // Paint messages come only when nothing else is queued: after the marker.
  return krevtest::WaitFor([thread] {
    int pending = 0;
    EnumThreadWindows(thread, CountPendingTop, reinterpret_cast<LPARAM>(&pending));
    return pending == 0;
  });
}

// A person's answer may reach the modal form as a message sent from another thread (an automation
// tool, a test): the button's notification or the close box. The queue then stays empty, and the
// form must still end at once. The answer is sent when the form's loop is idle, with nothing queued
// that would wake it anyway: a person who reads the prompt before answering.
TEST(ToolkitComponents, ShowModalEndsOnAnAnswerSentFromAnotherThread) {
  std::unique_ptr<TForm> promptForm(Created<TForm>());
  TForm& prompt = *promptForm;
  TButton ok;
  ok.Build(&prompt, {8, 8, 73, 25}, "确定");
  ok.OnClick = [&](TObject*) { prompt.SetModalResult(mrOk); };
  g_marker = RegisterWindowMessageA("krevtest queue marker");
  HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, SeeMarker, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  const DWORD self = GetCurrentThreadId();
  const struct {
    UINT msg;
    bool viaButton;
    int result;
  } answers[] = {{WM_COMMAND, true, mrOk}, {WM_CLOSE, false, mrCancel}};
  for (const auto& a : answers) {
    SCOPED_TRACE(a.msg);
    std::atomic<bool> done{false}, idle{false}, rescued{false};
    std::thread person([&] {
      krevtest::Answering token;
      idle = krevtest::WaitFor([&] { return prompt.Visible(); }) && IdleInItsLoop(prompt.Handle(), self);
      if (a.viaButton) {
        SendMessageA(prompt.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(ok.Handle()), BN_CLICKED),
                     reinterpret_cast<LPARAM>(ok.Handle()));
      } else {
        SendMessageA(prompt.Handle(), a.msg, 0, 0);
      }
      // The answer has been handled; the loop must end now without anything else arriving.
      if (!krevtest::WaitFor([&] { return done.load(); }, std::chrono::seconds(5))) {
        rescued = true;  // the loop never noticed: wake it so the test fails instead of hanging
        PostMessageA(prompt.Handle(), WM_NULL, 0, 0);
      }
    });
    int result = prompt.ShowModal();
    done = true;
    person.join();
    EXPECT_TRUE(idle);
    EXPECT_EQ(result, a.result);
    EXPECT_FALSE(rescued);
  }
  UnhookWindowsHookEx(hook);
}

TEST(ToolkitComponents, LabelSizesAndLinks) {
  TForm f("TLabelForm");
  f.SetClientSize(400, 200);
  TLabel fit, wrapped, link;
  fit.Build(&f, {10, 10, 0, 0}, "短");
  int shortWidth = fit.Width();
  fit.SetCaption("长得多的一行文字");
  EXPECT_GT(fit.Width(), shortWidth);
  wrapped.SetWordWrap(true);
  wrapped.Build(&f, {10, 40, 100, 12}, "根据系统词库对用户词库进行清理修复，将保留用户自造词。");
  EXPECT_EQ(wrapped.Width(), 100);
  EXPECT_GT(wrapped.Height(), 2 * 12);
  link.Build(&f, {10, 150, 0, 0}, "mailto:someone@example.org");
  link.SetLinkLook(clBlue);
  EXPECT_TRUE(link.Font().Underline);
  EXPECT_EQ(link.Font().Color, clBlue);
  int clicks = 0;
  link.OnClick = [&](TObject* sender) {
    EXPECT_EQ(static_cast<TLabel*>(sender)->Caption(), "mailto:someone@example.org");
    ++clicks;
  };
  SendMessageA(link.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageA(link.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(clicks, 1);
}

TEST(ToolkitComponents, OpenDialogKeepsWhatACallerDoesNotSet) {
  krevtest::ScratchDir dir("dialog");
  TOpenDialog dlg;
  dlg.Filter = "定义文件(*.ini)|*.ini";
  dlg.DefaultExt = "ini";
  dlg.Title = "选择定义文件";
  dlg.InitialDir = dir.path();
  {
    auto answer = krevtest::ExpectFileDialog("选择定义文件", dir / "mine");
    ASSERT_TRUE(dlg.Execute());
    ASSERT_TRUE(answer.get().found);
  }
  // A name without an extension gets the default one; the file need not exist.
  EXPECT_EQ(dlg.FileName, dir / "mine.ini");
  dlg.Title = "指定用户词库文件";
  {
    auto answer = krevtest::ExpectFileDialog("指定用户词库文件", "");
    EXPECT_FALSE(dlg.Execute());
    krevtest::SeenWindow seen = answer.get();
    ASSERT_TRUE(seen.found);
    // The path chosen last is offered again (the dialog shows its name in the folder it opens).
    EXPECT_TRUE(seen.fileName == dir / "mine.ini" || seen.fileName == "mine.ini") << seen.fileName;
  }
  EXPECT_EQ(dlg.FileName, dir / "mine.ini");
  EXPECT_EQ(DialogFilter("a|b|c|d"), std::string("a\0b\0c\0d\0\0", 9));
}
