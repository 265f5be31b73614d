// The real wizard window, hidden in the test process and driven through its components: start
// state, navigation, the two questions, quitting, and Finish with the real registry and files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "responder.h"
#include "seams.h"
#include "testenv.h"
#include "uCfgWiz.h"
#include "wiztest.h"

using namespace wiztest;
using krevtest::BoxIcon;

namespace {

const char kBoxCaption[] = "青岚拼音输入法配置向导";
const char kEdited[] = "; edited by the user\r\n";

class ToolkitEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    Application.Initialize();
    Application.SetTitle(WizardAppTitle);
  }
};
testing::Environment* const kToolkitEnv = testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

// A click as the user makes it: the button's notification to its parent.
void Press(TControl& c) {
  ASSERT_TRUE(IsWindowEnabled(c.Handle())) << c.Name() << " is disabled";
  HWND h = c.Handle();
  SendMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), BN_CLICKED), reinterpret_cast<LPARAM>(h));
}

// Presses a button that asks in the wizard's box, answered with `answer`: what the box showed.
krevtest::SeenWindow PressAnswered(TControl& c, int answer) {
  auto box = krevtest::ExpectBox(kBoxCaption, answer);
  Press(c);
  return box.get();
}

class WizardForm : public SettingsFixture {
 protected:
  void SetUp() override {
    SettingsFixture::SetUp();
    if (HasFatalFailure()) return;
  }
  void TearDown() override {
    delete form_;
    form_ = nullptr;
    SettingsFixture::TearDown();
  }
  // Creates the window after the test has put what it wants into the registry.
  TfrmMain& Open() {
    form_ = new TfrmMain();
    form_->OnClose = [this](TObject*) { ++closed_; };
    form_->DoCreate();
    return *form_;
  }
  int Page() const { return form_->pgctlMain.ActivePageIndex(); }
  TButton* Default() const { return form_->DefaultButton(); }

  TfrmMain* form_ = nullptr;
  int closed_ = 0;
};

TEST_F(WizardForm, OpensInItsStartStateWhateverIsStored) {
  SetDword("使用双拼输入", 1);
  SetDword("声母模糊音设置", InitialsMask(true, true, true, true, true, true));
  SetBytes("韵母模糊音设置", FinalsMask(true, true, true, true, true));
  SetDword("支持GBK大字符集", 1);
  SetDword("输入简体汉字", 0);
  SetDword("输入栏字体大小", 32);
  SetDword("动态调整词频", 0);
  SetDword("智能组词", 0);
  TfrmMain& f = Open();

  EXPECT_STREQ("TfrmMain", f.ClassName());
  EXPECT_EQ("青岚拼音输入法 配置向导", f.Caption());
  EXPECT_EQ(532, f.ClientWidth());
  EXPECT_EQ(370, f.ClientHeight());
  EXPECT_EQ(bsDialog, f.BorderStyle());
  EXPECT_EQ(poScreenCenter, f.Position());
  EXPECT_EQ(clCream, f.Color());
  EXPECT_EQ("宋体", f.Font().Name);
  EXPECT_EQ(12, f.Font().Height);
  EXPECT_EQ(DEFAULT_CHARSET, f.Font().Charset);
  const LONG style = GetWindowLongA(f.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_NE(nullptr, reinterpret_cast<HICON>(SendMessageA(f.Handle(), WM_GETICON, ICON_SMALL, 0)));

  EXPECT_STREQ("TPageControl", f.pgctlMain.ClassName());
  EXPECT_EQ(11, f.pgctlMain.PageCount());
  for (int i = 0; i < 11; ++i) EXPECT_EQ("TabSheet" + std::to_string(i), f.pgctlMain.Page(i)->Name());
  EXPECT_EQ(wpWelcome, Page());
  EXPECT_EQ(&f.btnNext0, Default());

  for (TRadioButton* on : {&f.rdbtUsage1, &f.rdbxGB, &f.rdbxCompSmall, &f.rdbxDos, &f.rdbxQuanpin})
    EXPECT_TRUE(on->Checked()) << on->Name();
  for (TRadioButton* off : {&f.rdbtUsage2, &f.rdbtUsage3, &f.rdbxGBK, &f.rdbxFanti, &f.rdbxCompMedium,
                            &f.rdbxCompLarge, &f.rdbxWinpy, &f.rdbxAbc, &f.rdbxCstar, &f.rdbxPyjj, &f.rdbxZiranma,
                            &f.rdbxMspy, &f.rdbxKuangpin, &f.rdbxShuangpin})
    EXPECT_FALSE(off->Checked()) << off->Name();
  for (TCheckBox* box : {&f.chkNoFuzzy, &f.chkFuzzy1, &f.chkFuzzy2, &f.chkFuzzy3, &f.chkAdjFreq, &f.chkICW}) {
    EXPECT_FALSE(box->Checked()) << box->Name();
    EXPECT_TRUE(box->Enabled()) << box->Name();
  }
  // Opening stores nothing.
  EXPECT_EQ(1, GetDword("使用双拼输入"));
  EXPECT_EQ(32, GetDword("输入栏字体大小"));
}

TEST_F(WizardForm, TextsKeepTheirBlanksAndButtonsTheirRow) {
  TfrmMain& f = Open();
  EXPECT_EQ("该向导用于帮助您设置青岚拼音输入法属性，使青岚拼音输入法设置符合您的使用习惯。 ", f.Label2.Caption());
  EXPECT_EQ("除了该向导， 青岚拼音输入法还带有“属性设置和管理中心”，您可以使用它来进行详细的属性项设置。",
            f.Label3.Caption());
  EXPECT_EQ("按“恢复默认值”按钮恢复青岚拼音输入法的默认设置；按“下一步”按钮进入配置向导进行设置。 ", f.Label4.Caption());
  EXPECT_EQ("青岚拼音输入法支持分别输入简体字和繁体字，并支持输入GBK大字符集中的汉字 。请选择：", f.Label11.Caption());
  EXPECT_EQ("青岚拼音输入法支持在输入过程中动态调整字词的频率，并支持智能组词 。 请选择：", f.Label13.Caption());
  EXPECT_EQ("按“完成”按钮保存设置并退出配置向导；按“上一步”按钮重新选择配置；按“取消”按钮放弃设置并退出配置向导。 ",
            f.Label26.Caption());
  EXPECT_EQ("按“退出”按钮退出配置向导；按“上一步”按钮重新选择配置；按“继续”按钮继续配置。 ", f.Label22.Caption());
  EXPECT_EQ("按“退出”按钮退出配置向导；按“上一步”按钮重新选择配置。 ", f.Label28.Caption());
  EXPECT_EQ("恢复默认值...", f.btnResetDefaultValues.Caption());
  EXPECT_EQ("下一步 >", f.btnNext3.Caption());
  EXPECT_EQ("< 上一步", f.btnPrev3.Caption());

  // Side headings are 14-pixel bold, question headings bold in the page font.
  EXPECT_EQ(14, f.Label1.Font().Height);
  EXPECT_TRUE(f.Label1.Font().Bold);
  EXPECT_EQ(12, f.Label5.Font().Height);
  EXPECT_TRUE(f.Label5.Font().Bold);

  struct Place {
    TControl* c;
    int left, top, width, height;
  };
  const Place places[] = {
      {&f.btnResetDefaultValues, 8, 328, 90, 22}, {&f.btnNext0, 328, 328, 90, 23}, {&f.btnCancel0, 424, 328, 90, 23},
      {&f.btnPrev8, 232, 328, 90, 23},            {&f.btnFinish, 328, 328, 90, 23}, {&f.btnPrev10, 328, 328, 90, 23},
      {&f.btnQuit10, 424, 328, 90, 23},           {&f.Image1, 10, 20, 168, 280},    {&f.Image2, 296, 0, 210, 54},
      {&f.rdbxKuangpin, 72, 280, 201, 25},        {&f.lblFinishPrompt, 208, 64, 295, 105},
  };
  for (const Place& p : places) {
    EXPECT_EQ(p.left, p.c->Left()) << p.c->Name();
    EXPECT_EQ(p.top, p.c->Top()) << p.c->Name();
    EXPECT_EQ(p.width, p.c->Width()) << p.c->Name();
    EXPECT_EQ(p.height, p.c->Height()) << p.c->Name();
  }
  // The same pictures on every page of a layout, at the sizes of the artwork.
  for (TImage* side : {&f.Image1, &f.Image9, &f.Image10, &f.Image11}) {
    EXPECT_EQ(168, side->PictureWidth()) << side->Name();
    EXPECT_EQ(280, side->PictureHeight()) << side->Name();
  }
  for (TImage* header : {&f.Image2, &f.Image3, &f.Image4, &f.Image5, &f.Image6, &f.Image7, &f.Image8}) {
    EXPECT_EQ(210, header->PictureWidth()) << header->Name();
    EXPECT_EQ(54, header->PictureHeight()) << header->Name();
    EXPECT_TRUE(header->Transparent()) << header->Name();
  }
  BITMAP bm{};
  ASSERT_TRUE(GetObjectA(f.Image1.Bitmap(), sizeof bm, &bm));
  HRSRC res = FindResourceA(GetModuleHandleA(nullptr), "WIZSIDE", RT_BITMAP);
  ASSERT_NE(nullptr, res);
  const auto* info = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, res)));
  EXPECT_EQ(8, info->biBitCount);
}

// A child window's place in its parent's client area.
RECT PlaceOf(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Every page's frame as an outside driver finds it by name: the picture and the heading first on
// the page, the rules in their places, and the bottom row last, in the order Tab visits it.
TEST_F(WizardForm, EveryPageHasItsFrame) {
  TfrmMain& f = Open();
  struct Frame {
    const char* picture;
    const char* heading;
    std::vector<std::string> rules;    // the upper one first on question pages
    std::vector<std::string> buttons;  // left to right
  };
  const Frame frames[] = {
      {"Image1", "Label1", {"pnlLineBottom"}, {"btnResetDefaultValues", "btnNext0", "btnCancel0"}},
      {"Image2", "Label5", {"Panel1", "Panel2"}, {"btnPrev1", "btnNext1", "btnCancel1"}},
      {"Image3", "Label7", {"Panel3", "Panel4"}, {"btnPrev2", "btnNext2", "btnCancel2"}},
      {"Image4", "Label10", {"Panel5", "Panel6"}, {"btnPrev3", "btnNext3", "btnCancel3"}},
      {"Image5", "Label12", {"Panel7", "Panel8"}, {"btnPrev4", "btnNext4", "btnCancel4"}},
      {"Image6", "Label16", {"Panel9", "Panel10"}, {"btnPrev5", "btnNext5", "btnCancel5"}},
      {"Image7", "Label19", {"Panel11", "Panel12"}, {"btnPrev6", "btnNext6", "btnCancel6"}},
      {"Image8", "Label20", {"Panel13", "Panel14"}, {"btnPrev7", "btnNext7", "btnCancel7"}},
      {"Image9", "Label25", {"Panel15"}, {"btnPrev8", "btnFinish", "btnCancel8"}},
      {"Image10", "Label24", {"Panel16"}, {"btnPrev9", "btnNext9", "btnQuit"}},
      {"Image11", "Label23", {"Panel17"}, {"btnPrev10", "btnQuit10"}},
  };
  for (int page = 0; page < 11; ++page) {
    SCOPED_TRACE("page " + std::to_string(page));
    const Frame& fr = frames[page];
    const bool question = fr.rules.size() == 2;
    HWND sheet = FindNamedWindow(f.Handle(), "TabSheet" + std::to_string(page));
    ASSERT_EQ(f.pgctlMain.Page(page)->Handle(), sheet);
    std::vector<HWND> children;
    for (HWND c = GetWindow(sheet, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
    ASSERT_GE(children.size(), 2 + fr.rules.size() + fr.buttons.size());

    HWND picture = FindNamedWindow(sheet, fr.picture);
    EXPECT_EQ(children[0], picture);
    const RECT pr = PlaceOf(picture);
    EXPECT_EQ(question ? 296 : 10, pr.left);
    EXPECT_EQ(question ? 0 : 20, pr.top);
    HWND heading = FindNamedWindow(sheet, fr.heading);
    EXPECT_EQ(children[1], heading);
    EXPECT_EQ(question ? 20 : 208, PlaceOf(heading).left);
    EXPECT_EQ(24, PlaceOf(heading).top);

    // The lower rule comes right before the buttons; the upper one right after the heading.
    const size_t firstButton = children.size() - fr.buttons.size();
    for (size_t i = 0; i < fr.rules.size(); ++i) {
      const bool lower = i + 1 == fr.rules.size();
      HWND rule = FindNamedWindow(sheet, fr.rules[i]);
      EXPECT_EQ(children[lower ? firstButton - 1 : 2], rule) << fr.rules[i];
      const RECT rr = PlaceOf(rule);
      EXPECT_EQ(-26, rr.left) << fr.rules[i];
      EXPECT_EQ(lower ? 315 : 64, rr.top) << fr.rules[i];
      EXPECT_EQ(585, rr.right - rr.left) << fr.rules[i];
      EXPECT_EQ(2, rr.bottom - rr.top) << fr.rules[i];
      auto* panel = dynamic_cast<TPanel*>(f.pgctlMain.Page(page)->FindControl(fr.rules[i]));
      ASSERT_NE(nullptr, panel) << fr.rules[i];
      EXPECT_EQ(bvLowered, panel->BevelOuter()) << fr.rules[i];
      EXPECT_EQ(1, panel->BevelWidth()) << fr.rules[i];
    }
    // The row ends at 424, one button every 96 pixels; the reset button stands apart at the left.
    for (size_t i = 0; i < fr.buttons.size(); ++i) {
      HWND button = FindNamedWindow(sheet, fr.buttons[i]);
      EXPECT_EQ(children[firstButton + i], button) << fr.buttons[i];
      const RECT br = PlaceOf(button);
      if (fr.buttons[i] != "btnResetDefaultValues") {
        EXPECT_EQ(424 - 96 * static_cast<int>(fr.buttons.size() - 1 - i), br.left) << fr.buttons[i];
      }
      EXPECT_EQ(328, br.top) << fr.buttons[i];
    }
  }
}

// Walks the window by its buttons; each step names the button and the page expected after it.
struct Step {
  TButton TfrmMain::*button;
  int page;
};

void Walk(TfrmMain& f, std::initializer_list<Step> steps) {
  for (const Step& s : steps) {
    TButton& b = f.*(s.button);
    ASSERT_TRUE(b.Parent() == f.pgctlMain.ActivePage()) << b.Name() << " is not on the page shown";
    Press(b);
    ASSERT_EQ(s.page, f.pgctlMain.ActivePageIndex()) << "after " << b.Name();
  }
}

TEST_F(WizardForm, NewcomerPathAndItsRememberedPage) {
  TfrmMain& f = Open();
  Walk(f, {{&TfrmMain::btnNext0, 1}, {&TfrmMain::btnNext1, 2}, {&TfrmMain::btnNext2, 3}, {&TfrmMain::btnNext3, 4},
           {&TfrmMain::btnNext4, 5}, {&TfrmMain::btnNext5, 8}});
  EXPECT_EQ(&f.btnFinish, Default());
  Walk(f, {{&TfrmMain::btnPrev8, 5}, {&TfrmMain::btnPrev5, 4}, {&TfrmMain::btnPrev4, 3}, {&TfrmMain::btnPrev3, 2},
           {&TfrmMain::btnPrev2, 1}, {&TfrmMain::btnPrev1, 0}});
}

TEST_F(WizardForm, FamiliarUsersGoToTheSettingsCentrePage) {
  TfrmMain& f = Open();
  f.rdbtUsage3.SetChecked(true);
  Walk(f, {{&TfrmMain::btnNext0, 1}, {&TfrmMain::btnNext1, 10}});
  EXPECT_EQ(&f.btnQuit10, Default());
  Walk(f, {{&TfrmMain::btnPrev10, 1}, {&TfrmMain::btnNext1, 10}});
  EXPECT_EQ(0, closed_);
  Press(f.btnQuit10);
  EXPECT_EQ(1, closed_);
  EXPECT_EQ(0, CountUserValues());
}

TEST_F(WizardForm, HabitBranchesAndTheAdvicePage) {
  TfrmMain& f = Open();
  f.rdbtUsage2.SetChecked(true);
  Walk(f, {{&TfrmMain::btnNext0, 1}, {&TfrmMain::btnNext1, 6}});
  EXPECT_EQ(&f.btnNext6, Default());
  Walk(f, {{&TfrmMain::btnNext6, 7}, {&TfrmMain::btnNext7, 8}, {&TfrmMain::btnPrev8, 7}, {&TfrmMain::btnPrev7, 6}});

  f.rdbxZiranma.SetChecked(true);
  Walk(f, {{&TfrmMain::btnNext6, 8}, {&TfrmMain::btnPrev8, 6}});

  f.rdbxMspy.SetChecked(true);
  Walk(f, {{&TfrmMain::btnNext6, 9}});
  EXPECT_EQ(BuildAdviceText(THabitAnswer::Mspy), f.lblFinishPrompt.Caption());
  // Enter goes on with "继续"; both buttons wear the default look.
  EXPECT_EQ(&f.btnNext9, Default());
  EXPECT_TRUE(f.btnNext9.IsDefault());
  EXPECT_TRUE(f.btnQuit.IsDefault());
  Walk(f, {{&TfrmMain::btnPrev9, 6}});

  // The text is built afresh for the method selected now.
  f.rdbxKuangpin.SetChecked(true);
  Walk(f, {{&TfrmMain::btnNext6, 9}});
  EXPECT_EQ(BuildAdviceText(THabitAnswer::Kuangpin), f.lblFinishPrompt.Caption());
  // "继续" keeps 6 remembered until page 7 moves on: page 8 then returns to 7, not 9.
  Walk(f, {{&TfrmMain::btnNext9, 7}, {&TfrmMain::btnNext7, 8}, {&TfrmMain::btnPrev8, 7}, {&TfrmMain::btnPrev7, 6},
           {&TfrmMain::btnNext6, 9}});
  EXPECT_EQ(0, closed_);
  Press(f.btnQuit);
  EXPECT_EQ(1, closed_);
  EXPECT_EQ(0, CountUserValues());
}

TEST_F(WizardForm, NoFuzzyDisablesTheBoxesAndKeepsTheirTicks) {
  TfrmMain& f = Open();
  Walk(f, {{&TfrmMain::btnNext0, 1}, {&TfrmMain::btnNext1, 2}});
  Press(f.chkFuzzy1);
  Press(f.chkFuzzy3);
  Press(f.chkNoFuzzy);
  ASSERT_TRUE(f.chkNoFuzzy.Checked());
  for (TCheckBox* b : {&f.chkFuzzy1, &f.chkFuzzy2, &f.chkFuzzy3}) EXPECT_FALSE(b->Enabled()) << b->Name();
  EXPECT_TRUE(f.chkFuzzy1.Checked());
  EXPECT_FALSE(f.chkFuzzy2.Checked());
  EXPECT_TRUE(f.chkFuzzy3.Checked());
  Press(f.chkNoFuzzy);
  for (TCheckBox* b : {&f.chkFuzzy1, &f.chkFuzzy2, &f.chkFuzzy3}) EXPECT_TRUE(b->Enabled()) << b->Name();
  EXPECT_TRUE(f.chkFuzzy1.Checked());
  EXPECT_FALSE(f.chkFuzzy2.Checked());
  EXPECT_TRUE(f.chkFuzzy3.Checked());
}

TEST_F(WizardForm, NewcomerFinishStoresTheAnswersAndCloses) {
  TfrmMain& f = Open();
  Walk(f, {{&TfrmMain::btnNext0, 1}, {&TfrmMain::btnNext1, 2}});
  Press(f.chkFuzzy1);
  Press(f.chkNoFuzzy);  // wins over the ticked, now disabled box
  Walk(f, {{&TfrmMain::btnNext2, 3}});
  f.rdbxFanti.SetChecked(true);
  Walk(f, {{&TfrmMain::btnNext3, 4}});
  Press(f.chkICW);
  Walk(f, {{&TfrmMain::btnNext4, 5}});
  f.rdbxCompMedium.SetChecked(true);
  Walk(f, {{&TfrmMain::btnNext5, 8}});
  Press(f.btnFinish);
  EXPECT_EQ(1, closed_);
  EXPECT_EQ(InitialsMask(false, false, false, false, false, false), GetDword("声母模糊音设置"));
  EXPECT_EQ(FinalsMask(false, false, false, false, false), GetBytes("韵母模糊音设置"));
  EXPECT_EQ(1, GetDword("支持GBK大字符集"));
  EXPECT_EQ(0, GetDword("输入简体汉字"));
  EXPECT_EQ(22, GetDword("输入栏字体大小"));
  EXPECT_EQ(1, GetDword("智能组词"));
  EXPECT_EQ(0, GetDword("使用双拼输入"));
  EXPECT_EQ(34, CountUserValues());
}

TEST_F(WizardForm, BackToTheUsagePageChangesThePath) {
  SetDword("输入风格", 0);
  ASSERT_TRUE(krevtest::WriteFileBytes(spdefPath_, kEdited));
  TfrmMain& f = Open();
  // First as a user of another method who picks Ziranma, then back to the newcomer answer.
  f.rdbtUsage2.SetChecked(true);
  Walk(f, {{&TfrmMain::btnNext0, 1}, {&TfrmMain::btnNext1, 6}});
  f.rdbxZiranma.SetChecked(true);
  Walk(f, {{&TfrmMain::btnPrev6, 1}});
  f.rdbtUsage1.SetChecked(true);
  Walk(f, {{&TfrmMain::btnNext1, 2}, {&TfrmMain::btnNext2, 3}, {&TfrmMain::btnNext3, 4}, {&TfrmMain::btnNext4, 5},
           {&TfrmMain::btnNext5, 8}});
  Press(f.btnFinish);
  EXPECT_EQ(1, closed_);
  EXPECT_EQ(14, GetDword("输入栏字体大小"));
  EXPECT_EQ(0, GetDword("使用双拼输入"));
  EXPECT_EQ(0, GetDword("输入风格"));
  EXPECT_EQ(kEdited, krevtest::ReadFileBytes(spdefPath_));
}

TEST_F(WizardForm, AdviceThenShuangPinCopiesTheMicrosoftScheme) {
  SetDword("动态调整词频", 0);
  ASSERT_TRUE(krevtest::WriteFileBytes(spdefPath_, kEdited));
  TfrmMain& f = Open();
  // The newcomer pages are visited first; their answers do not count on the other path.
  Walk(f, {{&TfrmMain::btnNext0, 1}, {&TfrmMain::btnNext1, 2}, {&TfrmMain::btnNext2, 3}, {&TfrmMain::btnNext3, 4}});
  Press(f.chkAdjFreq);
  Walk(f, {{&TfrmMain::btnPrev4, 3}, {&TfrmMain::btnPrev3, 2}, {&TfrmMain::btnPrev2, 1}});
  f.rdbtUsage2.SetChecked(true);
  Walk(f, {{&TfrmMain::btnNext1, 6}});
  f.rdbxMspy.SetChecked(true);
  Walk(f, {{&TfrmMain::btnNext6, 9}, {&TfrmMain::btnNext9, 7}});
  f.rdbxShuangpin.SetChecked(true);
  Walk(f, {{&TfrmMain::btnNext7, 8}});
  Press(f.btnFinish);
  EXPECT_EQ(1, closed_);
  EXPECT_EQ(1, GetDword("使用双拼输入"));
  EXPECT_EQ(9, GetDword("每页最多候选个数"));
  EXPECT_EQ(0, GetDword("动态调整词频"));
  EXPECT_EQ(krevtest::ReadFileBytes(krevtest::InstallDir() + "vsp-mspy.ini"), krevtest::ReadFileBytes(spdefPath_));
}

// Fails the write of one value name, as a registry that refuses it would.
LONG WINAPI RefuseFontHeight(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
  if (name && std::string(name) == "输入栏字体大小") return ERROR_ACCESS_DENIED;
  return KrevConfigRealCalls.RegSetValueExA(key, name, reserved, type, data, size);
}

TEST_F(WizardForm, ARegistryErrorKeepsTheWizardOnTheFinishPage) {
  TfrmMain& f = Open();
  Walk(f, {{&TfrmMain::btnNext0, 1}, {&TfrmMain::btnNext1, 2}, {&TfrmMain::btnNext2, 3}, {&TfrmMain::btnNext3, 4},
           {&TfrmMain::btnNext4, 5}, {&TfrmMain::btnNext5, 8}});
  {
    krevtest::ScopedCall refuse(KrevConfigCalls.RegSetValueExA, RefuseFontHeight);
    auto box = krevtest::ExpectBox(WizardAppTitle, IDOK);
    Press(f.btnFinish);
    krevtest::SeenWindow seen = box.get();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(ErrorBoxText("Failed to set data for '输入栏字体大小'"), seen.text);
    EXPECT_EQ(BoxIcon::Error, seen.icon);
    EXPECT_EQ(0, closed_);
    EXPECT_EQ(wpFinish, Page());
    // The values before the failing one stay written.
    EXPECT_EQ(1, GetDword("输入风格"));
    EXPECT_EQ(-1, GetDword("输入栏字体大小"));
  }

  // The user can try again once the registry takes the value.
  Press(f.btnFinish);
  EXPECT_EQ(1, closed_);
  EXPECT_EQ(14, GetDword("输入栏字体大小"));
}

TEST_F(WizardForm, ResetYesStoresTheDefaultsAtOnce) {
  SetDword("使用双拼输入", 1);
  SetDword("输入栏字体大小", 32);
  SetDword("属性设置保存提示", 0);
  TfrmMain& f = Open();
  krevtest::SeenWindow seen = PressAnswered(f.btnResetDefaultValues, IDYES);
  ASSERT_TRUE(seen.found);
  EXPECT_EQ("将所有设置恢复到默认值？", seen.text);
  EXPECT_EQ(BoxIcon::Question, seen.icon);
  EXPECT_EQ((std::vector<int>{IDYES, IDNO}), seen.buttons);
  EXPECT_EQ(wpWelcome, Page());
  EXPECT_EQ(0, closed_);
  EXPECT_EQ(0, GetDword("使用双拼输入"));
  EXPECT_EQ(16, GetDword("输入栏字体大小"));
  EXPECT_EQ(0, GetDword("属性设置保存提示"));  // never written by a save
  EXPECT_EQ(35, CountUserValues());
  EXPECT_TRUE(f.rdbtUsage1.Checked());

  // A later cancel does not undo it.
  ASSERT_TRUE(PressAnswered(f.btnCancel0, IDYES).found);
  EXPECT_EQ(1, closed_);
  EXPECT_EQ(16, GetDword("输入栏字体大小"));
}

TEST_F(WizardForm, ResetThenFinishAppliesTheAnswersOverTheDefaults) {
  SetDword("回车键定义", 2);
  TfrmMain& f = Open();
  ASSERT_TRUE(PressAnswered(f.btnResetDefaultValues, IDYES).found);
  SetDword("回车键定义", 0);  // changed elsewhere after the reset: Finish writes its own copy
  f.rdbtUsage2.SetChecked(true);
  Walk(f, {{&TfrmMain::btnNext0, 1}, {&TfrmMain::btnNext1, 6}, {&TfrmMain::btnNext6, 7}, {&TfrmMain::btnNext7, 8}});
  Press(f.btnFinish);
  EXPECT_EQ(1, GetDword("回车键定义"));
  EXPECT_EQ(9, GetDword("每页最多候选个数"));
}

TEST_F(WizardForm, ResetNoStoresNothing) {
  SetDword("输入栏字体大小", 32);
  TfrmMain& f = Open();
  ASSERT_TRUE(PressAnswered(f.btnResetDefaultValues, IDNO).found);
  EXPECT_EQ(1, CountUserValues());
  EXPECT_EQ(32, GetDword("输入栏字体大小"));
  EXPECT_EQ(0, closed_);
}

TEST_F(WizardForm, CancelNoKeepsThePageAndTheAnswers) {
  TfrmMain& f = Open();
  Walk(f, {{&TfrmMain::btnNext0, 1}, {&TfrmMain::btnNext1, 2}});
  Press(f.chkFuzzy2);
  // Every page's cancel button asks the same question.
  int pages = 0;
  for (TButton* cancel : {&f.btnCancel0, &f.btnCancel1, &f.btnCancel2, &f.btnCancel3, &f.btnCancel4,
                          &f.btnCancel5, &f.btnCancel6, &f.btnCancel7, &f.btnCancel8}) {
    krevtest::SeenWindow seen = PressAnswered(*cancel, IDNO);
    ASSERT_TRUE(seen.found) << cancel->Name();
    EXPECT_EQ("退出配置向导？", seen.text);
    EXPECT_EQ(BoxIcon::Question, seen.icon);
    EXPECT_EQ((std::vector<int>{IDYES, IDNO}), seen.buttons);
    ++pages;
  }
  EXPECT_EQ(9, pages);
  EXPECT_EQ(0, closed_);
  EXPECT_EQ(wpFuzzy, Page());
  EXPECT_TRUE(f.chkFuzzy2.Checked());
  Walk(f, {{&TfrmMain::btnNext2, 3}});

  ASSERT_TRUE(PressAnswered(f.btnCancel3, IDYES).found);
  EXPECT_EQ(1, closed_);
  EXPECT_EQ(0, CountUserValues());
}

TEST_F(WizardForm, TheCloseBoxSavesNothing) {
  TfrmMain& f = Open();
  f.rdbtUsage2.SetChecked(true);
  Walk(f, {{&TfrmMain::btnNext0, 1}, {&TfrmMain::btnNext1, 6}, {&TfrmMain::btnNext6, 7}, {&TfrmMain::btnNext7, 8}});
  SendMessageA(f.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(1, closed_);
  EXPECT_EQ(0, CountUserValues());
}

TEST_F(WizardForm, EscapePressesNothing) {
  TfrmMain& f = Open();
  f.Show();
  Walk(f, {{&TfrmMain::btnNext0, 1}});
  // Were Escape to start the cancel question, its modal loop would wait here: it is answered No
  // and reported instead.
  krevtest::NoWindow question("#32770", kBoxCaption);
  for (UINT msg : {WM_KEYDOWN, WM_KEYUP}) {
    MSG m{};
    m.hwnd = f.btnNext1.Handle();
    m.message = msg;
    m.wParam = VK_ESCAPE;
    Application.DispatchOne(m);
  }
  Application.ProcessMessages();
  EXPECT_EQ("", question.Finish());
  EXPECT_EQ(0, closed_);
  EXPECT_EQ(wpUsage, Page());
}

TEST_F(WizardForm, EnterPressesThePagesDefaultButton) {
  TfrmMain& f = Open();
  // The keyboard reaches only a shown window (the null display driver draws nothing).
  f.Show();
  f.rdbtUsage2.SetChecked(true);
  f.rdbxMspy.SetChecked(true);
  for (int expected : {wpUsage, wpHabit, wpAdvice, wpQuanShuang}) {
    for (UINT msg : {WM_KEYDOWN, WM_KEYUP}) {
      MSG m{};
      m.hwnd = Default()->Handle();
      m.message = msg;
      m.wParam = VK_RETURN;
      Application.DispatchOne(m);
    }
    Application.ProcessMessages();
    ASSERT_EQ(expected, Page());
  }
}

}  // namespace
