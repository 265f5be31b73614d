// The keyboard of every form, with keys pressed as real input through the toolkit's message loop:
// the focus never stays where the user cannot reach it, radio groups as in any dialog (the arrows
// select and stay in the group, one tab stop per group), and no key on any control in any state
// stops the form. The programs' own forms are tried the same way as processes (tests/e2e).
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "Toolkit.h"
#include "compname.h"
#include "keys.h"

using krevtest::PressKey;

namespace {

std::string FocusName() { return WindowComponentName(GetFocus()); }

// Two pages of a page control, each with a radio group, a check box, an edit and push buttons,
// and a page of push buttons only; page 0 in front.
class PagesForm : public TForm {
 public:
  PagesForm() : TForm("TKeyPagesForm") {
    SetClientSize(400, 260);
    BuildLayout<PagesForm>(this, {
        {&pages, "pages", "", 0, 0, 400, 260, "", nullptr, lfAlignClient},
        {&page0, "page0", "pages", 0, 0, 0, 0, ""},
        {&chk0, "chk0", "page0", 8, 8, 120, 17, "box"},
        {&radioA, "radioA", "page0", 8, 40, 120, 17, "A"},
        {&radioB, "radioB", "page0", 8, 64, 120, 17, "B"},
        {&radioC, "radioC", "page0", 8, 88, 120, 17, "C"},
        {&edit0, "edit0", "page0", 8, 120, 120, 20, "text"},
        {&next0, "next0", "page0", 200, 220, 80, 23, "&Next", &PagesForm::Next},
        {&page1, "page1", "pages", 0, 0, 0, 0, ""},
        {&radioX, "radioX", "page1", 8, 40, 120, 17, "X", nullptr, lfChecked},
        {&radioY, "radioY", "page1", 8, 64, 120, 17, "Y"},
        {&back1, "back1", "page1", 100, 220, 80, 23, "&Back", &PagesForm::Back},
        {&next1, "next1", "page1", 200, 220, 80, 23, "Ne&xt", &PagesForm::Next},
        {&page2, "page2", "pages", 0, 0, 0, 0, ""},
        {&back2, "back2", "page2", 100, 220, 80, 23, "Back", &PagesForm::Back},
        {&finish2, "finish2", "page2", 200, 220, 80, 23, "Finish"},
    });
    radioB.OnClick = [this](TObject*) { ++bClicks; };
    Go(0);
  }
  void Go(int page) {
    // As the wizard does: the page's default button first, then the page.
    TButton* defaults[] = {&next0, &next1, &finish2};
    SetDefaultButton(defaults[page]);
    pages.SetActivePageIndex(page);
    at = page;
  }
  void Next(TObject*) { Go(at + 1); }
  void Back(TObject*) { Go(at - 1); }

  TPageControl pages;
  TTabSheet page0, page1, page2;
  TCheckBox chk0;
  TRadioButton radioA, radioB, radioC, radioX, radioY;
  TEdit edit0;
  TButton next0, back1, next1, back2, finish2;
  int at = 0, bClicks = 0;
};

std::vector<std::string> TabStopsOf(std::initializer_list<TRadioButton*> group) {
  std::vector<std::string> v;
  for (TRadioButton* r : group)
    if (GetWindowLongA(r->Handle(), GWL_STYLE) & WS_TABSTOP) v.push_back(r->Name());
  return v;
}

// A key that does not come back within seconds fails the test and ends the program, instead of
// hanging the run until its time-out.
void PressWithin(WORD vk, std::initializer_list<WORD> held = {}) {
  std::atomic<bool> done{false};
  std::thread guard([&done, vk] {
    for (int i = 0; i < 1000 && !done; ++i) Sleep(10);
    if (!done) {
      std::fprintf(stderr, "key %u did not come back: the form stopped answering\n", vk);
      std::fflush(stderr);
      TerminateProcess(GetCurrentProcess(), 3);
    }
  });
  PressKey(vk, held);
  done = true;
  guard.join();
}

}  // namespace

TEST(ToolkitKeyboard, FormShowsWithTheFocusOnItsFirstTabStop) {
  PagesForm f;
  f.Show();
  Application.ProcessMessages();
  EXPECT_EQ("chk0", FocusName());
  f.Close();
}

TEST(ToolkitKeyboard, APageComingToFrontTakesTheFocus) {
  PagesForm f;
  f.Show();
  Application.ProcessMessages();
  // A page of buttons only starts at its default button, so Enter goes on as before.
  const struct {
    WORD key;
    int page;
    const char* focus;
  } steps[] = {
      {VK_TAB, 0, "radioA"},  {VK_TAB, 0, "edit0"},   {VK_TAB, 0, "next0"},   {VK_RETURN, 1, "radioX"},
      {VK_TAB, 1, "back1"},   {VK_RETURN, 0, "chk0"}, {VK_RETURN, 1, "radioX"}, {VK_RETURN, 2, "finish2"},
      {VK_TAB, 2, "back2"},   {VK_SPACE, 1, "radioX"}, {VK_SPACE, 1, "radioX"}, {VK_TAB, 1, "back1"},
      {VK_SPACE, 0, "chk0"},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(::testing::Message() << "key " << s.key << " to " << s.focus);
    PressWithin(s.key);
    EXPECT_EQ(s.page, f.pages.ActivePageIndex());
    EXPECT_EQ(s.focus, FocusName());
  }
  // A focused control hidden or disabled by the program hands the focus on within its page.
  SetFocus(f.edit0.Handle());
  f.edit0.SetEnabled(false);
  EXPECT_EQ("chk0", FocusName());
  SetFocus(f.chk0.Handle());
  f.chk0.Hide();
  EXPECT_EQ("radioA", FocusName());
  f.Close();
}

TEST(ToolkitKeyboard, NoKeyOnAControlOutOfReachStopsTheForm) {
  PagesForm f;
  f.Show();
  Application.ProcessMessages();
  // The platform leaves the focus on a window of a hidden page (the program never does).
  const struct {
    WORD key;
    bool alt;
  } keys[] = {{VK_SPACE, false}, {'X', false}, {'B', true}, {VK_RETURN, false}, {VK_ESCAPE, false},
              {VK_DOWN, false},  {VK_TAB, false}};
  for (TControl* hidden : std::initializer_list<TControl*>{&f.radioY, &f.back1, &f.next1, &f.back2}) {
    for (const auto& k : keys) {
      SCOPED_TRACE(::testing::Message() << hidden->Name() << " key " << k.key);
      f.Go(0);
      ::SetFocus(hidden->Handle());
      ASSERT_EQ(hidden->Handle(), GetFocus());
      PressWithin(k.key, k.alt ? std::initializer_list<WORD>{VK_MENU} : std::initializer_list<WORD>{});
      EXPECT_EQ(0, f.pages.ActivePageIndex()) << "a hidden button was pressed";
      EXPECT_TRUE(IsWindowVisible(GetFocus())) << FocusName();
      EXPECT_TRUE(IsChild(f.page0.Handle(), GetFocus())) << FocusName();
    }
  }
  f.Close();
}

TEST(ToolkitKeyboard, RadioGroupsSelectWithTheArrowsAndHaveOneTabStop) {
  PagesForm f;
  // No radio selected yet: the first one is the group's tab stop.
  EXPECT_EQ((std::vector<std::string>{"radioA"}), TabStopsOf({&f.radioA, &f.radioB, &f.radioC}));
  EXPECT_EQ((std::vector<std::string>{"radioX"}), TabStopsOf({&f.radioX, &f.radioY}));
  f.Show();
  Application.ProcessMessages();
  PressWithin(VK_TAB);
  ASSERT_EQ("radioA", FocusName());
  EXPECT_FALSE(f.radioA.Checked()) << "Tab into a group selects nothing";
  // The arrows select the button they reach, running its handler, and wrap inside the group: never
  // onto the check box before it or the edit after it.
  const struct {
    WORD key;
    const char* to;
  } arrows[] = {{VK_DOWN, "radioB"}, {VK_RIGHT, "radioC"}, {VK_DOWN, "radioA"}, {VK_UP, "radioC"},
                {VK_LEFT, "radioB"}};
  for (const auto& a : arrows) {
    PressWithin(a.key);
    EXPECT_EQ(a.to, FocusName());
    auto* radio = static_cast<TRadioButton*>(f.FindControl(a.to));
    EXPECT_TRUE(radio->Checked()) << a.to;
    EXPECT_EQ(std::vector<std::string>{a.to}, TabStopsOf({&f.radioA, &f.radioB, &f.radioC}));
  }
  EXPECT_EQ(2, f.bClicks);
  // Tab leaves the group and comes back at its selected button.
  PressWithin(VK_TAB);
  EXPECT_EQ("edit0", FocusName());
  PressWithin(VK_TAB, {VK_SHIFT});
  EXPECT_EQ("radioB", FocusName());
  // A disabled button is passed over; clearing the selection gives the tab stop back to the first.
  f.radioC.SetEnabled(false);
  PressWithin(VK_DOWN);
  EXPECT_EQ("radioA", FocusName());
  f.radioA.SetChecked(false);
  EXPECT_EQ((std::vector<std::string>{"radioA"}), TabStopsOf({&f.radioA, &f.radioB, &f.radioC}));
  f.Close();
}

// A global atom keeps the letter case of whoever added the name first: another program's
// "RDBXQUANPIN" must not hide this one's "rdbxQuanPin".
TEST(ToolkitKeyboard, ComponentNamesDoNotDependOnWhoAddedTheAtomFirst) {
  ATOM other = GlobalAddAtomA("RADIOB");
  ASSERT_NE(0, other);
  PagesForm f;
  EXPECT_EQ("radioB", WindowComponentName(f.radioB.Handle()));
  char stored[64] = {0};
  GlobalGetAtomNameA(static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropA(f.radioB.Handle(), "KrevName"))), stored,
                     sizeof stored);
  EXPECT_STREQ("RADIOB", stored) << "the atom reads as it was first added";
  for (const char* asked : {"radioB", "RADIOB", "radiob"}) EXPECT_EQ(f.radioB.Handle(), FindNamedWindow(f.Handle(), asked)) << asked;
  EXPECT_EQ(nullptr, FindNamedWindow(f.Handle(), "radioBB"));
  EXPECT_TRUE(krev::SameComponentName("rdbxQuanPin", "rdbxQuanpin"));
  EXPECT_FALSE(krev::SameComponentName("rdbxQuanPin", "rdbxQuanPi"));
  EXPECT_FALSE(krev::SameComponentName("btn\xB0\xA1", "btn\xB0\x81")) << "bytes beyond ASCII compare exactly";
  GlobalDeleteAtom(other);
}
