// The main window with the keyboard, keys pressed as a user presses them: Tab and Shift+Tab
// through the definition editors and the settings page (which scrolls to the focus), the arrow
// keys, Enter, Esc and Alt+letter on the pages.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "formtest.h"
#include "keys.h"

using namespace cfgtest;
using krevtest::PressKey;

namespace {

// The focused control's window: the focus itself, or the component holding it (the edit of an
// editable combo box belongs to the box).
HWND FocusedControl() {
  for (HWND h = GetFocus(); h; h = GetParent(h)) {
    if (!WindowComponentName(h).empty()) return h;
  }
  return nullptr;
}

std::string FocusName() { return WindowComponentName(FocusedControl()); }

void SelectNode(TfrmMain& f, int index) { f.tvwMenu.Select(f.tvwMenu.Item(index)); }

// The window shown and in the foreground, so that it receives the keys.
TfrmMain& Shown(TfrmMain& f) {
  f.Show();
  Application.ProcessMessages();
  return f;
}

// Settings under which every control of the settings page is enabled that can be: the modern
// composition style (background picture) and an explicit word-library file.
void StoreEverythingEnabled() {
  TKrevConfig s;
  s.LoadDefaults();
  s.FCompStyle = 2;
  s.FUserWordlibFile = "E:\\lex\\mine.dat";
  StoreSettings(s);
}

struct EditorCase {
  int node;
  const char* memo;
  // The focus after each Tab from the memo, back to the memo.
  std::vector<std::string> tabs;
};

const EditorCase kEditors[] = {
    // The ShuangPin page takes its text box first, the other two their caption bar first.
    {7,
     "mmoSpdef",
     {"btnSpdefLoad", "btnSpdefSaveas", "btnOK", "btnCancel", "btnApply", "btnHelp", "tvwMenu",
      "mmoSpdef"}},
    {8,
     "mmoChnsym",
     {"btnOK", "btnCancel", "btnApply", "btnHelp", "tvwMenu", "btnChnsymLoad", "btnChnsymSaveas",
      "mmoChnsym"}},
    {9,
     "mmoSpewords",
     {"btnOK", "btnCancel", "btnApply", "btnHelp", "tvwMenu", "btnSpewordsLoad",
      "btnSpewordsSaveas", "mmoSpewords"}},
};

}  // namespace

TEST_F(MainFormTest, TabAndShiftTabLeaveTheEditorsInThePagesOrder) {
  TfrmMain& f = Shown(Open());
  for (const EditorCase& c : kEditors) {
    SCOPED_TRACE(c.memo);
    auto& memo = static_cast<TMemo&>(*f.FindControl(c.memo));
    SelectNode(f, c.node);
    for (bool modified : {false, true}) {
      if (modified) TypeInto(memo, "x");
      const std::string text = memo.Text();
      ASSERT_EQ(modified, memo.Modified());
      SetFocus(memo.Handle());
      for (const std::string& expected : c.tabs) {
        PressKey(VK_TAB);
        ASSERT_EQ(expected, FocusName());
      }
      for (auto it = c.tabs.rbegin() + 1; it != c.tabs.rend(); ++it) {
        PressKey(VK_TAB, {VK_SHIFT});
        ASSERT_EQ(*it, FocusName());
      }
      PressKey(VK_TAB, {VK_SHIFT});
      ASSERT_EQ(c.memo, FocusName());
      EXPECT_EQ(text, memo.Text());
      EXPECT_EQ(modified, memo.Modified());
      // Coming back selects nothing, so typing on does not replace the whole text.
      DWORD start = 0, end = 0;
      SendMessageA(memo.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
      EXPECT_EQ(start, end);
    }
  }
}

namespace {

// Every control of the settings page in reading order, which is its tab order.
const char* const kSettingsOrder[] = {"rdbtStyle1",
                                      "chkUseAlpha",
                                      "rdbtStyle2",
                                      "rdbxQuanPin",
                                      "rdbxShuangPin",
                                      "chkShowSPHint",
                                      "chkCiAdjustFreq",
                                      "chkCiAutoHide",
                                      "chkZiAdjustFreq",
                                      "chkZiLF",
                                      "cbxMaxNCand",
                                      "chkTraceCaret",
                                      "chkAllowInputSpace",
                                      "rdbxCEKShift",
                                      "rdbxCEKCtrl",
                                      "cbxPageKey",
                                      "rdbxCandKShift",
                                      "rdbxCandKCtrl",
                                      "cbxHZSelectKey",
                                      "cbxEnterKey",
                                      "cbxSKKey",
                                      "cbxChnFontFace",
                                      "cbxAscFontFace",
                                      "cbxFontHeight",
                                      "rdbxCompStyle1",
                                      "rdbxCompStyle2",
                                      "rdbxCompStyle3",
                                      "edtBackImage",
                                      "btnBrowseImageFile",
                                      "rdbxShowStatus1",
                                      "rdbxShowStatus2",
                                      "rdbxShowStatus0",
                                      "chkFZ",
                                      "chkFS",
                                      "chkFC",
                                      "chkFK",
                                      "chkFF",
                                      "chkFL",
                                      "chkFan",
                                      "chkFen",
                                      "chkFin",
                                      "chkFian",
                                      "chkFuan",
                                      "rdbxGB",
                                      "rdbxGBK",
                                      "rdbxJian",
                                      "rdbxFan",
                                      "rdbxChnMode",
                                      "rdbxEngMode",
                                      "rdbxDefault",
                                      "rdbxOneWordlib",
                                      "rdbxDefineWordlib",
                                      "edtDefineWordlibPath",
                                      "btnWordlibBrowse",
                                      "chkICW",
                                      "chkICWAutoSave",
                                      "chkHZOrderSort",
                                      "chkESynAfterNumber",
                                      "chkTrackRecent"};

// The focused control's top and bottom in the visible part of the settings page.
std::pair<int, int> InView(TfrmMain& f, HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, f.scbxSetting.Handle(), reinterpret_cast<POINT*>(&r), 2);
  return {static_cast<int>(r.top), static_cast<int>(r.bottom)};
}

// Presses the key and checks the scrolling it causes when the focus lands on the settings page:
// none when the control was wholly in view already, otherwise the least, which brings the control
// to the nearer edge. Returns the name of the focused control.
std::string PressAndCheckScroll(TfrmMain& f, bool backwards) {
  const int before = f.scbxSetting.VertPosition();
  PressKey(VK_TAB,
           backwards ? std::initializer_list<WORD>{VK_SHIFT} : std::initializer_list<WORD>{});
  HWND focused = FocusedControl();
  std::string name = WindowComponentName(focused);
  if (!focused || !IsChild(f.scbxSetting.Handle(), focused)) return name;
  const int visible = f.scbxSetting.ClientHeight();
  const int after = f.scbxSetting.VertPosition();
  auto now = InView(f, focused);
  // Where the control stood before the key: its content place is fixed.
  const int top = now.first + after - before, bottom = now.second + after - before;
  if (top >= 0 && bottom <= visible) {
    EXPECT_EQ(before, after) << name << " was in view";
  } else if (top < 0) {
    EXPECT_EQ(0, now.first) << name << " came from above";
  } else {
    EXPECT_EQ(visible, now.second) << name << " came from below";
  }
  EXPECT_GE(now.first, 0) << name;
  EXPECT_LE(now.second, visible) << name;
  return name;
}

}  // namespace

TEST_F(MainFormTest, TabbingThroughTheSettingsPageKeepsTheFocusInView) {
  StoreEverythingEnabled();
  Open();
  DesignSize();
  TfrmMain& f = Shown(frm());
  SelectNode(f, 1);
  SetFocus(f.tvwMenu.Handle());
  std::vector<std::string> forth;
  for (int i = 0; i < 100 && FocusName() != "btnOK"; ++i)
    forth.push_back(PressAndCheckScroll(f, false));
  ASSERT_EQ("btnOK", FocusName());
  forth.pop_back();
  // The page's own order, nothing left out that a user can reach with Tab (every enabled control
  // but the radio buttons that are not selected), and nothing of the pages behind.
  std::vector<std::string> expected;
  for (const char* name : kSettingsOrder) {
    auto* c = f.FindControl(name);
    auto* radio = dynamic_cast<TRadioButton*>(c);
    if (c->Enabled() &&
        (!radio || radio->Checked() || (GetWindowLongA(c->Handle(), GWL_STYLE) & WS_TABSTOP)))
      expected.push_back(name);
  }
  EXPECT_EQ(expected, forth);
  for (const char* deep : {"rdbxCEKShift", "cbxPageKey", "chkICW", "chkTrackRecent"}) {
    EXPECT_NE(forth.end(), std::find(forth.begin(), forth.end(), deep)) << deep;
  }

  std::vector<std::string> back;
  for (int i = 0; i < 100 && FocusName() != "tvwMenu"; ++i)
    back.push_back(PressAndCheckScroll(f, true));
  ASSERT_EQ("tvwMenu", FocusName());
  back.pop_back();
  std::reverse(back.begin(), back.end());
  EXPECT_EQ(forth, back);
}

TEST_F(MainFormTest, SectionCaptionsStayWhereTheTreePutThemWhileTheFocusIsInView) {
  StoreEverythingEnabled();
  Open();
  DesignSize();
  TfrmMain& f = Shown(frm());
  const struct {
    int node;
    TPanel* caption;
    int top;
    TControl* start;  // focused by a click: a control of the section in view
  } cases[] = {{2, &f.pnlCapFKey, 0, &f.rdbxCEKShift},
               {4, &f.pnlCapFuzzy, 0, &f.chkFZ},
               {5, &f.pnlCapAdvanced, 1, &f.rdbxGBK},
               {3, &f.pnlCapVisual, 0, &f.cbxChnFontFace}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.start->Name());
    SelectNode(f, c.node);
    const int position = f.scbxSetting.VertPosition();
    ASSERT_EQ(c.top, c.caption->Top());
    SetFocus(c.start->Handle());
    EXPECT_EQ(position, f.scbxSetting.VertPosition());
    // Two more controls of the section are in view: the caption stays; once the focus leaves the
    // visible part, the page scrolls by the least amount.
    for (int i = 0; i < 2; ++i) {
      PressAndCheckScroll(f, false);
      EXPECT_EQ(position, f.scbxSetting.VertPosition());
      EXPECT_EQ(c.top, c.caption->Top());
    }
    for (int i = 0; i < 60 && f.scbxSetting.VertPosition() == position; ++i) {
      if (!IsChild(f.scbxSetting.Handle(), GetFocus())) break;
      PressAndCheckScroll(f, false);
    }
  }
}

TEST_F(MainFormTest, FocusGivenByTheProgramOrAClickAlsoScrollsIntoView) {
  Open();
  DesignSize();
  TfrmMain& f = Shown(frm());
  // The editable font-height box gets a click on its text: the focus goes to the box's own edit.
  HWND heightEdit = GetWindow(f.cbxFontHeight.Handle(), GW_CHILD);
  ASSERT_NE(nullptr, heightEdit);
  const struct {
    HWND focus;
    HWND control;
  } cases[] = {{f.chkICW.Handle(), f.chkICW.Handle()},
               {heightEdit, f.cbxFontHeight.Handle()},
               {f.rdbtStyle2.Handle(), f.rdbtStyle2.Handle()}};
  for (const auto& c : cases) {
    SCOPED_TRACE(WindowComponentName(c.control));
    int before = f.scbxSetting.VertPosition();
    SetFocus(c.focus);
    auto now = InView(f, c.control);
    EXPECT_NE(before, f.scbxSetting.VertPosition());
    EXPECT_TRUE(now.first == 0 || now.second == f.scbxSetting.ClientHeight());
    EXPECT_GE(now.first, 0);
    EXPECT_LE(now.second, f.scbxSetting.ClientHeight());
  }
}

TEST_F(MainFormTest, ArrowKeysStayAmongTheControlsOfTheirBox) {
  TfrmMain& f = Shown(Open());
  const struct {
    int node;
    TControl* start;
    WORD key;
    TControl* expected;
  } cases[] = {
      {1, &f.btnHelp, VK_RIGHT, &f.btnOK},
      {1, &f.btnOK, VK_LEFT, &f.btnHelp},
      {1, &f.btnOK, VK_DOWN, &f.btnCancel},
      {1, &f.rdbtStyle2, VK_UP, &f.rdbtStyle1},
      {1, &f.chkTrackRecent, VK_DOWN, &f.chkICW},
      {7, &f.btnSpdefSaveas, VK_DOWN, &f.btnSpdefLoad},
      {8, &f.btnChnsymLoad, VK_UP, &f.btnChnsymSaveas},
      {10, &f.btnWLRepair, VK_DOWN, &f.btnLexVault},
      {10, &f.btnLexVault, VK_UP, &f.btnWLRepair},
  };
  for (const auto& c : cases) {
    SelectNode(f, c.node);
    SetFocus(c.start->Handle());
    PressKey(c.key);
    EXPECT_EQ(c.expected->Name(), FocusName()) << c.start->Name() << " key " << c.key;
  }
}

TEST_F(MainFormTest, EnterEscAndAltLettersOnThePages) {
  StoreEverythingEnabled();
  TfrmMain& f = Shown(Open());
  std::vector<std::string> pressed;
  for (TButton* b : {&f.btnOK, &f.btnCancel, &f.btnApply, &f.btnHelp, &f.btnBrowseImageFile,
                     &f.btnWordlibBrowse, &f.btnSpdefLoad, &f.btnSpdefSaveas, &f.btnLexVault,
                     &f.btnLexJoin, &f.btnWLImport, &f.btnWLReset, &f.btnWLRepair}) {
    b->OnClick = [&pressed](TObject* sender) {
      pressed.push_back(static_cast<TButton*>(sender)->Name());
    };
  }
  const struct {
    int node;
    TControl* focus;
    std::vector<WORD> tabsFirst;  // Tab presses before the key
    WORD key;
    bool alt;
    const char* expected;  // "": nothing pressed
  } cases[] = {
      {1, &f.tvwMenu, {}, VK_RETURN, false, "btnOK"},
      {1, &f.chkICW, {}, VK_RETURN, false, "btnOK"},
      // Enter presses the push button that has the focus.
      {1, &f.btnOK, {VK_TAB}, VK_RETURN, false, "btnCancel"},
      {7, &f.mmoSpdef, {VK_TAB}, VK_RETURN, false, "btnSpdefLoad"},
      // The window has no cancel button.
      {1, &f.chkICW, {}, VK_ESCAPE, false, ""},
      {7, &f.mmoSpdef, {}, VK_ESCAPE, false, ""},
      // Alt+letter presses what the page in front shows, never a button of a page behind it.
      {10, &f.tvwMenu, {}, 'K', true, "btnLexVault"},
      {10, &f.tvwMenu, {}, 'M', true, "btnLexJoin"},
      {10, &f.tvwMenu, {}, 'L', true, "btnWLImport"},
      {10, &f.tvwMenu, {}, 'C', true, "btnWLReset"},
      {10, &f.btnLexVault, {}, 'R', true, "btnWLRepair"},
      {1, &f.chkICW, {}, 'R', true, "btnWordlibBrowse"},
      {1, &f.tvwMenu, {}, 'B', true, "btnBrowseImageFile"},
      {1, &f.chkICW, {}, 'K', true, ""},
      {7, &f.mmoSpdef, {}, 'B', true, ""},
      {11, &f.tvwMenu, {}, 'M', true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "node " << c.node << " focus " << c.focus->Name() << " key " << c.key);
    SelectNode(f, c.node);
    SetFocus(c.focus->Handle());
    for (WORD k : c.tabsFirst) PressKey(k);
    pressed.clear();
    PressKey(c.key, c.alt ? std::initializer_list<WORD>{VK_MENU} : std::initializer_list<WORD>{});
    EXPECT_EQ(std::string(c.expected).empty() ? std::vector<std::string>{}
                                              : std::vector<std::string>{c.expected},
              pressed);
    EXPECT_TRUE(f.Visible());
  }
  // Enter in a definition editor is a line break, at the caret.
  SelectNode(f, 7);
  SetFocus(f.mmoSpdef.Handle());
  SendMessageA(f.mmoSpdef.Handle(), EM_SETSEL, 0, 0);
  pressed.clear();
  PressKey(VK_RETURN);
  EXPECT_TRUE(pressed.empty());
  EXPECT_EQ(std::string("\r\n") + kSpdefText, f.mmoSpdef.Text());
  EXPECT_TRUE(f.mmoSpdef.Modified());
}
