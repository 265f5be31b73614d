// The two windowed programs with the keyboard as a person uses it: real key presses (and a click)
// on the screen they show on, through each program's own message loop, focus and key state. After
// every key the focus must be on a control the user sees; page changes, the radio groups, the tab
// stops and the focus when a window shows are read from outside, and what Finish or OK stored is
// read back from the registry.
#include <map>
#include <memory>
#include <vector>

#include "e2e.h"
#include "person.h"

namespace e2e {

namespace {

// Whether `h` and every window it lies in is shown.
bool Seen(HWND h) {
  for (; h; h = GetParent(h)) {
    if (!IsWindowVisible(h)) return false;
  }
  return true;
}

::testing::AssertionResult FocusOn(const Person& person, const std::string& name) {
  HWND focus = person.Focus();
  std::string now = focus ? NameOf(focus) : "(none)";
  if (!SameName(now, name)) return ::testing::AssertionFailure() << "the focus is on " << now << ", not " << name;
  if (!Seen(focus) || !IsWindowEnabled(focus))
    return ::testing::AssertionFailure() << "the focus is on " << name << ", which the user cannot see or use";
  return ::testing::AssertionSuccess();
}

// The radio buttons of the window `root` whose names are given, and which of them are tab stops.
std::vector<std::string> TabStops(HWND root, const std::vector<std::string>& radios) {
  std::vector<std::string> stops;
  for (const std::string& name : radios) {
    HWND h = Find(root, name);
    if (h && (GetWindowLongA(h, GWL_STYLE) & WS_TABSTOP)) stops.push_back(name);
  }
  return stops;
}

std::string SelectedOf(HWND root, const std::vector<std::string>& radios) {
  std::string selected;
  for (const std::string& name : radios) {
    if (Checked(Find(root, name))) selected += (selected.empty() ? "" : ",") + name;
  }
  return selected;
}

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

// What every named control of the window shows: tick, enabled, shown, text, a list's selection, a
// text box's modified flag. Keys are the names in small letters (as the session's atoms may spell
// them otherwise).
using Snapshot = std::map<std::string, std::string>;

BOOL CALLBACK AddState(HWND h, LPARAM lp) {
  std::string name = NameOf(h);
  if (name.empty()) return TRUE;
  const LONG style = GetWindowLongA(h, GWL_STYLE);
  std::string state = std::to_string(Checked(h)) + (IsWindowEnabled(h) ? " enabled" : " disabled") +
                      ((style & WS_VISIBLE) ? " shown " : " hidden ") + Text(h);
  const std::string cls = ClassOf(h);
  if (cls == "ComboBox") state += " item " + std::to_string(ComboIndex(h));
  if (cls == "Edit") state += SendMessageA(h, EM_GETMODIFY, 0, 0) ? " modified" : "";
  (*reinterpret_cast<Snapshot*>(lp))[Lower(name)] = state;
  return TRUE;
}

Snapshot StateOf(HWND root) {
  Snapshot s;
  EnumChildWindows(root, AddState, reinterpret_cast<LPARAM>(&s));
  return s;
}

// Tab from the focus round the window's tab order until it comes back, then Shift+Tab the same
// way back: the focus visits the same controls in reverse and nothing shown changes.
void CycleChangesNothing(Person& person, HWND main) {
  const Snapshot before = StateOf(main);
  const std::string start = person.FocusName();
  ASSERT_FALSE(start.empty());
  std::vector<std::string> forth;
  for (int i = 0; i < 120; ++i) {
    ASSERT_TRUE(person.Press(VK_TAB));
    ASSERT_TRUE(FocusOn(person, person.FocusName()));  // on a control the user sees
    forth.push_back(person.FocusName());
    if (SameName(forth.back(), start)) break;
  }
  ASSERT_TRUE(SameName(forth.back(), start)) << "Tab never came back to " << start;
  std::vector<std::string> back;
  for (size_t i = 0; i < forth.size(); ++i) {
    ASSERT_TRUE(person.Press(VK_TAB, {VK_SHIFT}));
    back.push_back(person.FocusName());
  }
  std::vector<std::string> expected(forth.rbegin() + 1, forth.rend());
  expected.push_back(start);
  EXPECT_EQ(expected, back);
  EXPECT_EQ(before, StateOf(main));
}

// ---- the wizard

const std::vector<std::string> kUsage = {"rdbtUsage1", "rdbtUsage2", "rdbtUsage3"};
const std::vector<std::string> kCharset = {"rdbxGB", "rdbxGBK", "rdbxFanti"};
const std::vector<std::string> kFont = {"rdbxCompSmall", "rdbxCompMedium", "rdbxCompLarge"};
const std::vector<std::string> kHabits = {"rdbxDos",   "rdbxWinpy",   "rdbxAbc",  "rdbxCstar",
                                          "rdbxPyjj",  "rdbxZiranma", "rdbxMspy", "rdbxKuangpin"};
const std::vector<std::string> kQuanShuang = {"rdbxQuanpin", "rdbxShuangpin"};

// One key of a walk through the wizard and what it must lead to.
struct Step {
  WORD key;
  bool shift;
  int page;           // the page in front afterwards
  const char* focus;  // the control with the focus afterwards
};

class WizardKeys : public Scenario {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartWizard()); }

  // A wizard of its own for the person, with nothing stored and no ShuangPin file of the user's.
  void StartWizard() {
    person_.reset();
    wizard_.reset();
    krevtest::DeleteSettingsKeys();
    // Where the ShuangPin preset is copied to.
    CreateDirectoryA(data_.c_str(), nullptr);
    DeleteFileA((data_ + "vardekosp.ini").c_str());
    wizard_.reset(new Program(Program::InInstallDir("kvcfgwiz.exe")));
    main_ = WaitWizard(*wizard_);
    ASSERT_TRUE(main_);
    person_.reset(new Person(main_));
    ASSERT_TRUE(person_->Settled());
  }

  // Presses the steps' keys one after the other; after each the page and the focus are as the step
  // says, and the wizard answers.
  void Walk(const std::vector<Step>& steps) {
    for (size_t i = 0; i < steps.size(); ++i) {
      const Step& s = steps[i];
      SCOPED_TRACE(::testing::Message() << "step " << i << ": key " << s.key << (s.shift ? " with Shift" : ""));
      ASSERT_TRUE(s.shift ? person_->Press(s.key, {VK_SHIFT}) : person_->Press(s.key));
      ASSERT_EQ(s.page, WizardPage(main_));
      ASSERT_TRUE(FocusOn(*person_, s.focus));
    }
  }

  // The radio buttons of `group`: one selected, exactly that one a tab stop.
  void ExpectGroup(const std::vector<std::string>& group, const std::string& selected) {
    EXPECT_EQ(selected, SelectedOf(main_, group));
    EXPECT_EQ(std::vector<std::string>{selected}, TabStops(main_, group));
  }

  // Presses a key on the page in front that must lead the wizard to its end (Finish, quit).
  long PressToEnd(WORD key) {
    if (!person_->Press(key) && wizard_->Running()) return -1000;
    return wizard_->WaitExit();
  }

  // The user's ShuangPin file is now the preset of that name.
  void ExpectShuangPinPreset(const char* preset) {
    const std::string bytes = krevtest::ReadFileBytes(krevtest::InstallDir() + preset);
    ASSERT_FALSE(bytes.empty()) << preset;
    EXPECT_EQ(bytes, krevtest::ReadFileBytes(data_ + "vardekosp.ini")) << preset;
  }

  std::unique_ptr<Program> wizard_;
  HWND main_ = nullptr;
  std::unique_ptr<Person> person_;
};

TEST_F(WizardKeys, OpensWithTheFocusOnItsFirstPageAndEveryGroupHasOneTabStop) {
  EXPECT_TRUE(FocusOn(*person_, "btnNext0"));
  for (const auto* group : {&kUsage, &kCharset, &kFont, &kHabits, &kQuanShuang}) ExpectGroup(*group, group->front());
}

// Each page change puts the focus on the new page: its first tab stop, or its default button where
// it has only buttons. Space, Enter and Tab then act on what the user sees, and a back button
// pressed with Enter leaves Enter to the next page's default button.
TEST_F(WizardKeys, PageChangesMoveTheFocusToThePageInFront) {
  ASSERT_NO_FATAL_FAILURE(Walk({
      {VK_TAB, false, 0, "btnCancel0"},
      {VK_TAB, false, 0, "btnResetDefaultValues"},
      {VK_TAB, false, 0, "btnNext0"},
      {VK_SPACE, false, 1, "rdbtUsage1"},
      {VK_SPACE, false, 1, "rdbtUsage1"},
      {VK_TAB, false, 1, "btnPrev1"},
      {VK_RETURN, false, 0, "btnNext0"},
      {VK_RETURN, false, 1, "rdbtUsage1"},
      {VK_RETURN, false, 2, "chkNoFuzzy"},
      {VK_TAB, true, 2, "btnCancel2"},
      {VK_TAB, true, 2, "btnNext2"},
      {VK_TAB, true, 2, "btnPrev2"},
      {VK_RETURN, false, 1, "rdbtUsage1"},
      {VK_RETURN, false, 2, "chkNoFuzzy"},
      {VK_SPACE, false, 2, "chkNoFuzzy"},
  }));
  // Space ticked the box, which disables the three below it without clearing them.
  EXPECT_TRUE(Checked(Find(main_, "chkNoFuzzy")));
  for (const char* box : {"chkFuzzy1", "chkFuzzy2", "chkFuzzy3"}) EXPECT_FALSE(Enabled(Find(main_, box))) << box;
  ASSERT_NO_FATAL_FAILURE(Walk({
      {VK_TAB, false, 2, "btnPrev2"},  // the disabled boxes are passed over
      {VK_TAB, false, 2, "btnNext2"},
      {VK_SPACE, false, 3, "rdbxGB"},
      {VK_RETURN, false, 4, "chkAdjFreq"},
      {VK_SPACE, false, 4, "chkAdjFreq"},
      {VK_RETURN, false, 5, "rdbxCompSmall"},
      {VK_RETURN, false, 8, "btnFinish"},
      {VK_TAB, false, 8, "btnCancel8"},
      {VK_TAB, false, 8, "btnPrev8"},
      {VK_RETURN, false, 5, "rdbxCompSmall"},
      {VK_RETURN, false, 8, "btnFinish"},
  }));
  ASSERT_EQ(0, PressToEnd(VK_SPACE));
  auto all = ReadAllValues();
  EXPECT_EQ(0u, all["声母模糊音设置"].dword() >> 24) << "no fuzzy initials: the standard sounds";
  EXPECT_EQ(0u, all["支持GBK大字符集"].dword());
  EXPECT_EQ(14u, all["输入栏字体大小"].dword());
}

// A key on a control the mouse left on a page that went away must not stop the wizard: the focus
// went on to the page in front with the page.
TEST_F(WizardKeys, AClickOnTheForwardButtonLeavesTheFocusOnTheNextPage) {
  ASSERT_TRUE(person_->Click(Find(main_, "btnNext0")));
  ASSERT_EQ(1, WizardPage(main_));
  EXPECT_TRUE(FocusOn(*person_, "rdbtUsage1"));
  ASSERT_TRUE(person_->Click(Find(main_, "btnNext1")));
  ASSERT_EQ(2, WizardPage(main_));
  EXPECT_TRUE(FocusOn(*person_, "chkNoFuzzy"));
  ASSERT_TRUE(person_->Press(VK_SPACE));
  EXPECT_TRUE(Checked(Find(main_, "chkNoFuzzy")));
  ASSERT_TRUE(person_->Click(Find(main_, "btnPrev2")));
  ASSERT_EQ(1, WizardPage(main_));
  ASSERT_NO_FATAL_FAILURE(Walk({{VK_SPACE, false, 1, "rdbtUsage1"}, {VK_RETURN, false, 2, "chkNoFuzzy"}}));
}

// A road through the wizard with the arrow keys, up to its last page: the selections it leaves,
// the key that ends the wizard there (Enter on "完成", Space on "退出"), what that stored (nothing at
// all when `stored` is empty) and the ShuangPin preset it copied (nullptr: none).
struct Road {
  const char* name;
  std::vector<Step> steps;
  std::vector<std::pair<const std::vector<std::string>*, const char*>> selected;
  WORD end;
  std::vector<std::pair<const char*, std::string>> stored;
  const char* preset;
};

std::string Dword(DWORD v) { return std::string(reinterpret_cast<const char*>(&v), 4); }

const Road kRoads[] = {
    {"Ziranma",
     {{VK_RETURN, false, 1, "rdbtUsage1"},
      {VK_DOWN, false, 1, "rdbtUsage2"},
      {VK_TAB, false, 1, "btnPrev1"},
      {VK_TAB, true, 1, "rdbtUsage2"},  // Tab comes back into the group at its selected button
      {VK_RETURN, false, 6, "rdbxDos"},
      {VK_UP, false, 6, "rdbxKuangpin"},  // wraps around inside the group, never onto the buttons
      {VK_DOWN, false, 6, "rdbxDos"},
      {VK_DOWN, false, 6, "rdbxWinpy"},
      {VK_RIGHT, false, 6, "rdbxAbc"},
      {VK_DOWN, false, 6, "rdbxCstar"},
      {VK_DOWN, false, 6, "rdbxPyjj"},
      {VK_DOWN, false, 6, "rdbxZiranma"},
      {VK_RETURN, false, 8, "btnFinish"}},  // Ziranma skips the QuanPin/ShuangPin page
     {{&kUsage, "rdbtUsage2"}, {&kHabits, "rdbxZiranma"}},
     VK_RETURN,
     {{"使用双拼输入", Dword(1)}},
     "vsp-zrm.ini"},
    {"Microsoft Pinyin and ShuangPin",
     {{VK_RETURN, false, 1, "rdbtUsage1"},
      {VK_RIGHT, false, 1, "rdbtUsage2"},
      {VK_RETURN, false, 6, "rdbxDos"},
      {VK_LEFT, false, 6, "rdbxKuangpin"},
      {VK_UP, false, 6, "rdbxMspy"},
      {VK_RETURN, false, 9, "btnNext9"},
      {VK_RETURN, false, 7, "rdbxQuanpin"},
      {VK_DOWN, false, 7, "rdbxShuangpin"},
      {VK_DOWN, false, 7, "rdbxQuanpin"},
      {VK_UP, false, 7, "rdbxShuangpin"},
      {VK_RETURN, false, 8, "btnFinish"}},
     {{&kUsage, "rdbtUsage2"}, {&kHabits, "rdbxMspy"}, {&kQuanShuang, "rdbxShuangpin"}},
     VK_RETURN,
     // The Microsoft Pinyin preset.
     {{"输入风格", Dword(1)}, {"每页最多候选个数", Dword(9)}, {"多个候选翻页键", Dword(1)}, {"使用双拼输入", Dword(1)}},
     "vsp-mspy.ini"},
    {"newcomer",
     {{VK_RETURN, false, 1, "rdbtUsage1"},
      {VK_UP, false, 1, "rdbtUsage3"},
      {VK_DOWN, false, 1, "rdbtUsage1"},
      {VK_RETURN, false, 2, "chkNoFuzzy"},
      {VK_DOWN, false, 2, "chkFuzzy1"},  // check boxes: the arrows move, Space ticks
      {VK_DOWN, false, 2, "chkFuzzy2"},
      {VK_SPACE, false, 2, "chkFuzzy2"},
      {VK_RETURN, false, 3, "rdbxGB"},
      {VK_DOWN, false, 3, "rdbxGBK"},
      {VK_DOWN, false, 3, "rdbxFanti"},
      {VK_RETURN, false, 4, "chkAdjFreq"},
      {VK_RETURN, false, 5, "rdbxCompSmall"},
      {VK_UP, false, 5, "rdbxCompLarge"},
      {VK_RETURN, false, 8, "btnFinish"}},
     {{&kUsage, "rdbtUsage1"}, {&kCharset, "rdbxFanti"}, {&kFont, "rdbxCompLarge"}},
     VK_RETURN,
     // Traditional characters, the large font, and only the finals hard to tell.
     {{"支持GBK大字符集", Dword(1)},
      {"输入简体汉字", Dword(0)},
      {"输入栏字体大小", Dword(32)},
      {"声母模糊音设置", Dword(0x00FFFFFF)},
      {"韵母模糊音设置", std::string("\xFF\xFF\xFF\xFF\xFF\x01\0\0", 8)}},
     nullptr},
    {"familiar, then quit",
     {{VK_RETURN, false, 1, "rdbtUsage1"},
      {VK_DOWN, false, 1, "rdbtUsage2"},
      {VK_DOWN, false, 1, "rdbtUsage3"},
      {VK_RETURN, false, 10, "btnQuit10"},
      {VK_TAB, false, 10, "btnPrev10"},
      {VK_RETURN, false, 1, "rdbtUsage3"},
      {VK_RETURN, false, 10, "btnQuit10"}},
     {{&kUsage, "rdbtUsage3"}},
     VK_SPACE,
     {},
     nullptr},
};

// The arrow keys select the radio button they reach (the answer the forward button then follows),
// stay inside the group and wrap around in it; only the selected one is a tab stop. Finish stores
// the answers selected so; quitting stores nothing.
TEST_F(WizardKeys, ArrowRoadsSelectTheAnswersFinishStores) {
  for (const Road& road : kRoads) {
    SCOPED_TRACE(road.name);
    if (&road != kRoads) {
      ASSERT_NO_FATAL_FAILURE(StartWizard());
    }
    ASSERT_NO_FATAL_FAILURE(Walk(road.steps));
    for (const auto& group : road.selected) ExpectGroup(*group.first, group.second);
    ASSERT_EQ(0, PressToEnd(road.end));
    auto all = ReadAllValues();
    if (road.stored.empty()) {
      EXPECT_TRUE(all.empty()) << "quitting stores nothing";
    }
    for (const auto& value : road.stored) EXPECT_EQ(value.second, all[value.first].data) << value.first;
    if (road.preset) {
      ExpectShuangPinPreset(road.preset);
    } else {
      EXPECT_FALSE(krevtest::FileExists(data_ + "vardekosp.ini")) << "no preset copied";
    }
  }
}

// A Tab and a Shift+Tab cycle on every page change no answer.
TEST_F(WizardKeys, TabCyclesOnEveryPageChangeNothing) {
  const std::vector<std::pair<WORD, int>> road = {
      {VK_RETURN, 1}, {VK_RETURN, 2}, {VK_RETURN, 3}, {VK_RETURN, 4}, {VK_RETURN, 5}, {VK_RETURN, 8},
  };
  ASSERT_NO_FATAL_FAILURE(CycleChangesNothing(*person_, main_));
  for (const auto& step : road) {
    SCOPED_TRACE(step.second);
    ASSERT_TRUE(person_->Press(step.first));
    ASSERT_EQ(step.second, WizardPage(main_));
    ASSERT_NO_FATAL_FAILURE(CycleChangesNothing(*person_, main_));
  }
  // Back to the usage page and on by the other roads: 6 and 9, then 7; and 10.
  ASSERT_NO_FATAL_FAILURE(Walk({{VK_TAB, false, 8, "btnCancel8"}, {VK_TAB, false, 8, "btnPrev8"},
                                {VK_RETURN, false, 5, "rdbxCompSmall"}}));
  for (int page : {4, 3, 2, 1}) {
    ASSERT_TRUE(person_->Press(VK_TAB));  // to the back button: the page's first button
    while (!SameName(person_->FocusName(), "btnPrev" + std::to_string(page + 1))) ASSERT_TRUE(person_->Press(VK_TAB));
    ASSERT_TRUE(person_->Press(VK_RETURN));
    ASSERT_EQ(page, WizardPage(main_));
  }
  ASSERT_NO_FATAL_FAILURE(Walk({{VK_DOWN, false, 1, "rdbtUsage2"}, {VK_RETURN, false, 6, "rdbxDos"}}));
  ASSERT_NO_FATAL_FAILURE(CycleChangesNothing(*person_, main_));
  ASSERT_NO_FATAL_FAILURE(Walk({{VK_UP, false, 6, "rdbxKuangpin"}, {VK_RETURN, false, 9, "btnNext9"}}));
  ASSERT_NO_FATAL_FAILURE(CycleChangesNothing(*person_, main_));
  ASSERT_NO_FATAL_FAILURE(Walk({{VK_RETURN, false, 7, "rdbxQuanpin"}}));
  ASSERT_NO_FATAL_FAILURE(CycleChangesNothing(*person_, main_));
  ASSERT_NO_FATAL_FAILURE(Walk({{VK_TAB, false, 7, "btnPrev7"}, {VK_RETURN, false, 6, "rdbxKuangpin"},
                                {VK_TAB, false, 6, "btnPrev6"}, {VK_RETURN, false, 1, "rdbtUsage2"},
                                {VK_DOWN, false, 1, "rdbtUsage3"}, {VK_RETURN, false, 10, "btnQuit10"}}));
  ASSERT_NO_FATAL_FAILURE(CycleChangesNothing(*person_, main_));
}

// ---- the settings centre

// A radio group of the settings page and the controls that follow its selection: each is enabled
// (or, for the previews, shown) exactly while one of `when` is selected.
struct Follower {
  const char* control;
  bool shown;  // shown, not enabled
  std::vector<std::string> when;
};
struct Group {
  const char* box;
  std::vector<std::string> radios;
  std::vector<Follower> followers;
};

const Group kGroups[] = {
    {"gbx11Style", {"rdbtStyle1", "rdbtStyle2"}, {{"chkUseAlpha", false, {"rdbtStyle1"}}}},
    {"gbx13QuanShuang",
     {"rdbxQuanPin", "rdbxShuangPin"},
     {{"chkShowSPHint", false, {"rdbxShuangPin"}}, {"chkAllowInputSpace", false, {"rdbxQuanPin"}}}},
    {"gbx21ChnEng", {"rdbxCEKShift", "rdbxCEKCtrl"}, {}},
    {"gbx22Cand", {"rdbxCandKShift", "rdbxCandKCtrl"}, {}},
    {"gbx31Comp",
     {"rdbxCompStyle1", "rdbxCompStyle2", "rdbxCompStyle3"},
     {{"edtBackImage", false, {"rdbxCompStyle3"}},
      {"btnBrowseImageFile", false, {"rdbxCompStyle3"}},
      {"imgCompFloat", true, {"rdbxCompStyle1"}},
      {"imgCompTradit", true, {"rdbxCompStyle2"}},
      {"imgCompModern", true, {"rdbxCompStyle3"}}}},
    {"gbx32Status", {"rdbxShowStatus1", "rdbxShowStatus2", "rdbxShowStatus0"}, {}},
    {"gbx51CharSet", {"rdbxGB", "rdbxGBK"}, {}},
    {"gbxJianFan", {"rdbxJian", "rdbxFan"}, {}},
    {"gbxDefaultInputMode", {"rdbxChnMode", "rdbxEngMode"}, {}},
    {"gbxWordlib",
     {"rdbxDefault", "rdbxOneWordlib", "rdbxDefineWordlib"},
     {{"edtDefineWordlibPath", false, {"rdbxDefineWordlib"}}, {"btnWordlibBrowse", false, {"rdbxDefineWordlib"}}}},
};

const Group* GroupOf(const std::string& radio) {
  for (const Group& g : kGroups) {
    for (const std::string& r : g.radios) {
      if (SameName(r, radio)) return &g;
    }
  }
  return nullptr;
}

class CfgKeys : public Scenario {
 protected:
  void Start(const std::string& args = "") {
    cfg_.reset(new Program(Program::InInstallDir("krevcfg.exe", args)));
    main_ = WaitCfgMain(*cfg_);
    ASSERT_TRUE(main_);
    person_.reset(new Person(main_));
    ASSERT_TRUE(person_->Settled());
  }

  // The focus is on a radio button of `g`: the arrows go round the group and back, each selecting
  // the button it reaches, whose followers follow; nothing else on the window changes.
  void ArrowRound(const Group& g) {
    SCOPED_TRACE(g.box);
    const int n = static_cast<int>(g.radios.size());
    int at = 0;
    while (at < n && !SameName(g.radios[static_cast<size_t>(at)], person_->FocusName())) ++at;
    ASSERT_LT(at, n);
    ASSERT_EQ(g.radios[static_cast<size_t>(at)], SelectedOf(main_, g.radios)) << "Tab enters at the selected one";
    const Snapshot before = StateOf(main_);
    auto others = [&](Snapshot s) {
      for (const std::string& r : g.radios) s.erase(Lower(r));
      for (const Follower& f : g.followers) s.erase(Lower(f.control));
      return s;
    };
    const struct {
      WORD key;
      int step;
    } keys[] = {{VK_DOWN, 1}, {VK_RIGHT, 1}, {VK_UP, -1}, {VK_LEFT, -1}};
    for (const auto& k : keys) {
      for (int i = 0; i < n; ++i) {
        at = (at + k.step + n) % n;
        const std::string& radio = g.radios[static_cast<size_t>(at)];
        SCOPED_TRACE(::testing::Message() << "key " << k.key << " to " << radio);
        ASSERT_TRUE(person_->Press(k.key));
        ASSERT_TRUE(FocusOn(*person_, radio));
        EXPECT_EQ(radio, SelectedOf(main_, g.radios));
        EXPECT_EQ(std::vector<std::string>{radio}, TabStops(main_, g.radios));
        for (const Follower& f : g.followers) {
          bool on = false;
          for (const std::string& w : f.when) on = on || w == radio;
          HWND h = Find(main_, f.control);
          EXPECT_EQ(on, f.shown ? IsWindowVisible(h) != FALSE : Enabled(h)) << f.control;
        }
        EXPECT_EQ(others(before), others(StateOf(main_))) << "only the group and its followers change";
      }
    }
    EXPECT_EQ(before, StateOf(main_));
  }

  std::unique_ptr<Program> cfg_;
  HWND main_ = nullptr;
  std::unique_ptr<Person> person_;
};

// The window opens with the focus on the first tab stop of its order (the page in front comes
// first); Tab then visits every radio group at its selected button, the only tab stop of the group,
// and the arrows go round each group.
TEST_F(CfgKeys, ArrowsGoRoundEachGroupOfTheSettingsPage) {
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_TRUE(FocusOn(*person_, "rdbtStyle2"));
  for (const Group& g : kGroups) EXPECT_EQ(std::vector<std::string>{SelectedOf(main_, g.radios)}, TabStops(main_, g.radios)) << g.box;
  const Snapshot start = StateOf(main_);
  std::vector<std::string> visited;
  for (int i = 0; i < 80 && !SameName(person_->FocusName(), "btnOK"); ++i) {
    const Group* g = GroupOf(person_->FocusName());
    if (g && (visited.empty() || visited.back() != g->box)) {
      visited.push_back(g->box);
      ASSERT_NO_FATAL_FAILURE(ArrowRound(*g));
    }
    ASSERT_TRUE(person_->Press(VK_TAB));
    ASSERT_TRUE(FocusOn(*person_, person_->FocusName()));
  }
  std::vector<std::string> all;
  for (const Group& g : kGroups) all.push_back(g.box);
  EXPECT_EQ(all, visited) << "each group once, in the page's order";
  EXPECT_EQ(start, StateOf(main_));
  Close(main_);
  EXPECT_EQ(0, cfg_->WaitExit());
  EXPECT_TRUE(ReadAllValues().empty()) << "nothing was saved";
}

// A setting changed with an arrow key is what OK stores; the save prompt opens with the focus on
// its check box, which Space ticks.
TEST_F(CfgKeys, AnArrowChangesWhatOkStoresAndThePromptTakesSpace) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(FocusOn(*person_, "rdbtStyle2"));
  ASSERT_TRUE(person_->Press(VK_UP));
  ASSERT_TRUE(FocusOn(*person_, "rdbtStyle1"));
  EXPECT_TRUE(Enabled(Find(main_, "chkUseAlpha")));
  ASSERT_TRUE(person_->Press(VK_RETURN));
  HWND prompt = cfg_->WaitWindow("TfrmSavePrompt");
  ASSERT_TRUE(prompt);
  ASSERT_TRUE(FocusOn(*person_, "chkNoPromptAgain"));
  ASSERT_TRUE(person_->Press(VK_SPACE));
  EXPECT_TRUE(Checked(Find(prompt, "chkNoPromptAgain")));
  ASSERT_TRUE(person_->Press(VK_RETURN) || !cfg_->Running());
  EXPECT_EQ(0, cfg_->WaitExit());
  auto all = ReadAllValues();
  EXPECT_EQ(0u, all["输入风格"].dword());
  EXPECT_EQ(0u, all["中英文输入切换键"].dword());
  ASSERT_TRUE(all.count("属性设置保存提示"));
  EXPECT_EQ(0u, all["属性设置保存提示"].dword());
}

// Every page of the window in front in turn: the focus moves onto it when the page it was on goes
// behind, and a Tab and Shift+Tab cycle there changes nothing.
TEST_F(CfgKeys, TabCyclesOnEveryPageChangeNothing) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const struct {
    const char* node;
    const char* page;
  } pages[] = {{"双拼编码", "pnlSpdef"},         {"中文符号输入", "pnlChnsym"},
               {"特殊字词和短语", "pnlSpewords"}, {"用户词库管理", "scbxWordlibMgr"},
               {"输入法版本信息", "scbxVersion"},   {"输入设置", "scbxSetting"}};
  for (const auto& p : pages) {
    SCOPED_TRACE(p.page);
    ASSERT_TRUE(ShowPage(main_, p.node, p.page));
    ASSERT_TRUE(person_->Settled());
    HWND focus = person_->Focus();
    ASSERT_TRUE(focus);
    EXPECT_TRUE(FocusOn(*person_, NameOf(focus)));
    EXPECT_TRUE(IsChild(Find(main_, p.page), focus)) << NameOf(focus) << " is not on the page in front";
    ASSERT_NO_FATAL_FAILURE(CycleChangesNothing(*person_, main_));
  }
  Close(main_);
  EXPECT_EQ(0, cfg_->WaitExit());
  EXPECT_TRUE(ReadAllValues().empty());
}

TEST_F(CfgKeys, OpensOnTheVersionPageWithTheFocusThere) {
  ASSERT_NO_FATAL_FAILURE(Start(" ?"));
  HWND focus = person_->Focus();
  ASSERT_TRUE(focus);
  EXPECT_TRUE(FocusOn(*person_, NameOf(focus)));
  EXPECT_TRUE(IsChild(Find(main_, "scbxVersion"), focus)) << NameOf(focus);
  Close(main_);
  EXPECT_EQ(0, cfg_->WaitExit());
}

// ---- minimising and restoring, by each route a shell takes

enum class Route { FormCommand, AppCommand, AppShow, AppRestoreShow, AppActivate };

void Take(Route r, HWND main, HWND app, bool minimise) {
  switch (r) {
    case Route::FormCommand: PostMessageA(main, WM_SYSCOMMAND, minimise ? SC_MINIMIZE : SC_RESTORE, 0); break;
    case Route::AppCommand: PostMessageA(app, WM_SYSCOMMAND, minimise ? SC_MINIMIZE : SC_RESTORE, 0); break;
    case Route::AppShow: ShowWindow(app, minimise ? SW_MINIMIZE : SW_RESTORE); break;
    case Route::AppRestoreShow: ShowWindow(app, minimise ? SW_SHOWMINIMIZED : SW_SHOWNORMAL); break;
    case Route::AppActivate: SetForegroundWindow(app); break;
  }
}

class Restore : public Scenario {};

TEST_F(Restore, EveryRouteLeavesTheProgramAndItsFormInOneState) {
  const struct {
    const char* exe;
    HWND (*wait)(const Program&);
    const char* focus;  // where two Tabs from the start put the focus
  } programs[] = {{"krevcfg.exe", WaitCfgMain, "chkCiAdjustFreq"}, {"kvcfgwiz.exe", WaitWizard, "btnResetDefaultValues"}};
  const Route minimise[] = {Route::FormCommand, Route::AppCommand, Route::AppShow, Route::AppRestoreShow};
  const Route restore[] = {Route::AppCommand, Route::AppShow, Route::AppRestoreShow};
  for (const auto& prog : programs) {
    SCOPED_TRACE(prog.exe);
    Program p(Program::InInstallDir(prog.exe));
    HWND main = prog.wait(p);
    ASSERT_TRUE(main);
    HWND app = GetWindow(main, GW_OWNER);
    ASSERT_TRUE(app);
    Person person(main);
    ASSERT_TRUE(person.PressTimes(VK_TAB, 2));
    ASSERT_TRUE(FocusOn(person, prog.focus));
    for (Route down : minimise) {
      for (Route up : restore) {
        SCOPED_TRACE(::testing::Message() << "minimise " << static_cast<int>(down) << ", restore " << static_cast<int>(up));
        Take(down, main, app, true);
        ASSERT_TRUE(WaitUntil([&] { return IsIconic(app) && !IsWindowVisible(main); }));
        EXPECT_FALSE(IsIconic(main));
        // Activated while minimised, the program stays so: no form shows without the program.
        Take(Route::AppActivate, main, app, false);
        ASSERT_TRUE(krevtest::Answers(app));
        EXPECT_TRUE(IsIconic(app));
        EXPECT_FALSE(IsWindowVisible(main));
        Take(up, main, app, false);
        ASSERT_TRUE(WaitUntil([&] {
          return !IsIconic(app) && IsWindowVisible(app) && IsWindowVisible(main) && GetForegroundWindow() == main;
        }));
        ASSERT_TRUE(person.Settled());
        EXPECT_TRUE(FocusOn(person, prog.focus)) << "the focus is back where it was";
      }
    }
    Close(main);
    EXPECT_EQ(0, p.WaitExit());
  }
}

}  // namespace
}  // namespace e2e
