// Radio buttons and check boxes raise the same events whether the user clicks them or the program
// sets them; radio buttons exclude each other within their own parent only.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Toolkit.h"

namespace {

class EventForm : public TForm {
 public:
  EventForm() : TForm("TEventForm") {
    SetClientSize(320, 140);
    BuildLayout<EventForm>(this, {
        {&gbxA, "gbxA", "", 8, 8, 150, 120, "A"},
        {&rdbA1, "rdbA1", "gbxA", 8, 16, 120, 17, "A1", &EventForm::Seen, lfChecked},
        {&rdbA2, "rdbA2", "gbxA", 8, 36, 120, 17, "A2", &EventForm::Seen},
        {&chkA, "chkA", "gbxA", 8, 56, 120, 17, "check", &EventForm::Seen, lfChecked},
        {&gbxB, "gbxB", "", 164, 8, 150, 120, "B"},
        {&rdbB1, "rdbB1", "gbxB", 8, 16, 120, 17, "B1", &EventForm::Seen, lfChecked},
        {&rdbB2, "rdbB2", "gbxB", 8, 36, 120, 17, "B2", &EventForm::Seen},
    });
    Show();
  }
  void Seen(TObject* sender) { events.push_back(static_cast<TControl*>(sender)->Name()); }

  TGroupBox gbxA, gbxB;
  TRadioButton rdbA1, rdbA2, rdbB1, rdbB2;
  TCheckBox chkA;
  std::vector<std::string> events;
};

// What a mouse click sends: the button itself turns it into BN_CLICKED to its parent.
void UserClick(TControl& c) { SendMessageA(c.Handle(), BM_CLICK, 0, 0); }

struct Case {
  const char* what;
  std::function<void(EventForm&)> act;
  std::vector<std::string> events;
  // Afterwards: rdbA1 rdbA2 chkA rdbB1 rdbB2
  bool a1, a2, chk, b1, b2;
};

}  // namespace

TEST(ToolkitEvents, StartStateRaisesNothing) {
  EventForm f;
  EXPECT_TRUE(f.events.empty());
  EXPECT_TRUE(f.rdbA1.Checked());
  EXPECT_TRUE(f.chkA.Checked());
  EXPECT_TRUE(f.rdbB1.Checked());
}

TEST(ToolkitEvents, RadioAndCheckBoxTable) {
  const std::vector<Case> cases = {
      {"user selects the other radio", [](EventForm& f) { UserClick(f.rdbA2); },
       {"rdbA2"}, false, true, true, true, false},
      {"user clicks the selected radio", [](EventForm& f) { UserClick(f.rdbA1); },
       {}, true, false, true, true, false},
      {"program selects the other radio", [](EventForm& f) { f.rdbA2.SetChecked(true); },
       {"rdbA2"}, false, true, true, true, false},
      {"program selects the selected radio", [](EventForm& f) { f.rdbA1.SetChecked(true); },
       {}, true, false, true, true, false},
      {"program clears a radio", [](EventForm& f) { f.rdbA1.SetChecked(false); },
       {}, false, false, true, true, false},
      {"user selects in the other group box",
       [](EventForm& f) { UserClick(f.rdbB2); }, {"rdbB2"}, true, false, true, false, true},
      {"program selects in the other group box",
       [](EventForm& f) { f.rdbB2.SetChecked(true); }, {"rdbB2"}, true, false, true, false, true},
      {"user unticks and ticks again",
       [](EventForm& f) { UserClick(f.chkA); UserClick(f.chkA); },
       {"chkA", "chkA"}, true, false, true, true, false},
      {"user unticks", [](EventForm& f) { UserClick(f.chkA); },
       {"chkA"}, true, false, false, true, false},
      {"program unticks", [](EventForm& f) { f.chkA.SetChecked(false); },
       {"chkA"}, true, false, false, true, false},
      {"program ticks a ticked box", [](EventForm& f) { f.chkA.SetChecked(true); },
       {}, true, false, true, true, false},
      {"radio back and forth by user",
       [](EventForm& f) { UserClick(f.rdbA2); UserClick(f.rdbA1); UserClick(f.rdbA1); },
       {"rdbA2", "rdbA1"}, true, false, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EventForm f;
    c.act(f);
    EXPECT_EQ(f.events, c.events);
    EXPECT_EQ(f.rdbA1.Checked(), c.a1);
    EXPECT_EQ(f.rdbA2.Checked(), c.a2);
    EXPECT_EQ(f.chkA.Checked(), c.chk);
    EXPECT_EQ(f.rdbB1.Checked(), c.b1);
    EXPECT_EQ(f.rdbB2.Checked(), c.b2);
  }
}

TEST(ToolkitEvents, HandlerSeesTheNewState) {
  EventForm f;
  bool seenA2 = false, seenA1 = true;
  f.rdbA2.OnClick = [&](TObject*) {
    seenA2 = f.rdbA2.Checked();
    seenA1 = f.rdbA1.Checked();
  };
  UserClick(f.rdbA2);
  EXPECT_TRUE(seenA2);
  EXPECT_FALSE(seenA1);
}

TEST(ToolkitEvents, PushButtonInsideAPanelClicks) {
  EventForm f;
  TPanel bar;
  TButton btn;
  int clicks = 0;
  bar.Build(&f, {0, 100, 320, 40});
  btn.Build(&bar, {8, 8, 75, 25}, "OK");
  btn.OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, &btn);
    ++clicks;
  };
  UserClick(btn);
  EXPECT_EQ(clicks, 1);
}
