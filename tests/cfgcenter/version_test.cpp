// The version page in the test process: its layout, the two file versions read from modules of our
// own put in place of the engine and the input-method module, the help button and the licence
// link (help calls recorded), and the two links (shell calls recorded).
#include <windows.h>

#include <algorithm>
#include <utility>

#include "pagestest.h"

using namespace cfgtest;

namespace {

void SelectNode(TfrmMain& f, int index) { f.tvwMenu.Select(f.tvwMenu.Item(index)); }

const char* const kPageNames[] = {"scbxSetting", "pnlSpdef", "pnlChnsym", "pnlSpewords",
                                  "scbxWordlibMgr", "scbxVersion"};

std::string FrontPage(TfrmMain& f) {
  for (const char* name : kPageNames) {
    if (f.FindControl(name)->IsFront()) return name;
  }
  return {};
}

class VersionPageTest : public PagesTest {};

// A label that shows data draws every "&" as it is and, sizing itself, measures it so.
void ExpectShownAsIs(const TLabel& label) {
  EXPECT_NE(0, GetWindowLongA(label.Handle(), GWL_STYLE) & SS_NOPREFIX) << label.Name();
  HDC dc = GetDC(label.Handle());
  HGDIOBJ old = SelectObject(dc, label.Font().Handle());
  RECT r = {0, 0, 0, 0};
  DrawTextA(dc, label.Caption().c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(label.Handle(), dc);
  EXPECT_EQ(r.right - r.left, label.Width()) << label.Name();
}

}  // namespace

TEST_F(VersionPageTest, PageAsLaidOutAndStretching) {
  TfrmMain& f = Open();
  struct {
    TControl* control;
    int left, top, width, height;  // -1: sized by its text
    const char* text;
    bool stretches;
  } rows[] = {
      {&f.pnlVersion, 0, 0, 421, 25, "  输入法版本信息", true},
      {&f.lblSepVersion, 10, 33, -1, -1, "版本与授权", false},
      {&f.Panel1, 79, 38, 333, 2, "", true},
      {&f.lblMainVersion, 30, 52, -1, -1, "青岚拼音输入法  版本：3.0", false},
      {&f.lblPEngine, 46, 68, -1, -1, "输入法引擎(kvengine.dll)：", false},
      {&f.lblVerEngine, 210, 68, -1, -1, nullptr, false},
      {&f.lblPIme, 46, 84, -1, -1, "输入法接口(vardeko.ime)：", false},
      {&f.lblVerIme, 210, 84, -1, -1, nullptr, false},
      {&f.lblCopyright, 30, 106, -1, -1, nullptr, false},
      {&f.Label23, 30, 122, -1, -1, nullptr, false},
      {&f.lblLicense, 53, 161, -1, -1, "“青岚拼音输入法最终用户使用许可”", false},
      {&f.Label21, 10, 184, -1, -1, "Internet", false},
      {&f.Panel3, 72, 189, 340, 2, "", true},
      {&f.lblUrl, 30, 199, -1, -1, nullptr, false},
      {&f.lblEmail, 30, 216, -1, -1, nullptr, false},
      {&f.Label16, 10, 237, -1, -1, "开发人员", false},
      {&f.Panel2, 72, 242, 340, 2, "", true},
      {&f.Memo1, 30, 256, 369, 56, nullptr, true},
      {&f.Label24, 30, 320, -1, -1, "感谢广大用户对青岚拼音输入法提出的宝贵建议。", false},
  };
  std::vector<int> widths;
  for (const auto& r : rows) {
    SCOPED_TRACE(r.control->Name());
    EXPECT_EQ(f.scbxVersion.Handle(), GetParent(r.control->Handle()));
    EXPECT_EQ(r.left, r.control->Left());
    EXPECT_EQ(r.top, r.control->Top());
    if (r.width >= 0) { EXPECT_EQ(r.width, r.control->Width()); }
    if (r.height >= 0) { EXPECT_EQ(r.height, r.control->Height()); }
    if (r.text) { EXPECT_EQ(r.text, r.control->Caption()); }
    // Every text shows whole: a label is as wide as its text needs, never empty.
    if (r.width < 0) { EXPECT_GT(r.control->Width(), 0); }
    widths.push_back(r.control->Width());
  }
  for (TLabel* heading : {&f.lblSepVersion, &f.Label21, &f.Label16}) {
    EXPECT_TRUE(heading->Font().Bold) << heading->Name();
    EXPECT_EQ(clBlack, heading->Font().Color) << heading->Name();
  }
  EXPECT_TRUE(f.lblLicense.LinkLook());
  EXPECT_TRUE(f.lblLicense.Font().Underline);
  EXPECT_EQ(clWindowText, f.lblLicense.Font().Color);
  for (TLabel* link : {&f.lblUrl, &f.lblEmail}) {
    EXPECT_TRUE(link->LinkLook()) << link->Name();
    EXPECT_TRUE(link->Font().Underline) << link->Name();
    EXPECT_EQ(clBlue, link->Font().Color) << link->Name();
  }
  EXPECT_EQ(0u, f.lblUrl.Caption().find("http://"));
  EXPECT_EQ(0u, f.lblEmail.Caption().find("mailto:"));
  EXPECT_GT(f.lblEmail.Caption().size(), 7u);
  EXPECT_FALSE(f.lblCopyright.Caption().empty());
  EXPECT_FALSE(f.Label23.Caption().empty());
  // The versions and the links show their texts as they are.
  for (TLabel* data : {&f.lblVerEngine, &f.lblVerIme, &f.lblUrl, &f.lblEmail}) ExpectShownAsIs(*data);
  // The credits: four lines, each a role and the people in it, not to be edited, in a box without
  // a scroll bar.
  EXPECT_TRUE(f.Memo1.ReadOnly());
  std::string credits = f.Memo1.Text();
  EXPECT_EQ(3, std::count(credits.begin(), credits.end(), '\n')) << credits;
  EXPECT_EQ(4, static_cast<int>(SendMessageA(f.Memo1.Handle(), EM_GETLINECOUNT, 0, 0)));
  EXPECT_EQ(0, GetWindowLongA(f.Memo1.Handle(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL));
  // The content fits the visible area of the design size.
  EXPECT_LE(f.Label24.Top() + f.Label24.Height(), 345);

  f.SetOuterSize(f.Width() + 100, f.Height());
  for (size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(rows[i].left, rows[i].control->Left()) << rows[i].control->Name();
    EXPECT_EQ(widths[i] + (rows[i].stretches ? 100 : 0), rows[i].control->Width()) << rows[i].control->Name();
  }
}

TEST_F(VersionPageTest, EachLabelShowsItsOwnEntryOrKeepsItsText) {
  const std::string engine = krevtest::SystemDir() + "kvengine.dll";
  const std::string ime = krevtest::SystemDir() + "vardeko.ime";
  FileGuard modules({engine, ime});
  const std::string dir = ModuleDir();
  const std::string chs = dir + "verchs.dll";  // 080404b0 "3, 1, 0 ,2 beta", 080403a8 "4.5.6.7"
  const std::string uni = dir + "veruni.dll";  // 080404b0 "5.0.1" only
  const std::string eng = dir + "vereng.dll";  // 040904b0 only
  const std::string none = dir + "vernone.dll";
  const std::string amp = dir + "veramp.dll";  // 080404b0 "3.1 R&D", 080403a8 "4.5 &&6 &"
  for (const std::string& p : {chs, uni, eng, none, amp}) ASSERT_TRUE(krevtest::FileExists(p)) << p;
  struct Case {
    const char* name;
    std::string engine, ime;  // empty: no such file
    const char* engineText;
    const char* imeText;
  } cases[] = {
      {"both Chinese tables", chs, chs, "3, 1, 0 ,2 beta", "4.5.6.7"},
      {"Unicode table only", uni, uni, "5.0.1", "2.4"},
      {"another language only", eng, eng, "2.4", "2.4"},
      {"no version information", none, none, "2.4", "2.4"},
      {"engine missing", "", chs, "2.4", "4.5.6.7"},
      {"texts with &", amp, amp, "3.1 R&D", "4.5 &&6 &"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (auto [target, source] : {std::pair{engine, c.engine}, std::pair{ime, c.ime}}) {
      if (source.empty()) {
        DeleteFileA(target.c_str());
      } else {
        ASSERT_TRUE(CopyFileA(source.c_str(), target.c_str(), FALSE)) << target;
      }
    }
    TfrmMain& f = Open();
    EXPECT_EQ(c.engineText, f.lblVerEngine.Caption());
    EXPECT_EQ(c.imeText, f.lblVerIme.Caption());
    ExpectShownAsIs(f.lblVerEngine);
    ExpectShownAsIs(f.lblVerIme);
    // The two versions line up, whatever their length.
    EXPECT_EQ(210, f.lblVerEngine.Left());
    EXPECT_EQ(210, f.lblVerIme.Left());
    delete frmSavePrompt;
    frmSavePrompt = nullptr;
    delete frmMain;
    frmMain = nullptr;
  }
}

TEST_F(VersionPageTest, HelpShowsTheSamePageWhateverPageIsInFront) {
  TfrmMain& f = Open();
  for (int node : {1, 5, 7, 10, 11}) {
    SelectNode(f, node);
    std::string front = FrontPage(f);
    g_help.clear();
    SendMessageA(f.btnHelp.Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(1u, g_help.size()) << node;
    EXPECT_EQ("195-输入法配置和管理.htm", g_help[0].page) << node;
    EXPECT_EQ(f.Handle(), g_help[0].owner) << node;
    EXPECT_EQ(front, FrontPage(f)) << node;
    EXPECT_EQ(node, f.tvwMenu.Selected()->AbsoluteIndex());
  }
  EXPECT_TRUE(g_started.empty());
  EXPECT_TRUE(g_shell.empty());
}

TEST_F(VersionPageTest, LicenceLinkShowsItsHelpPageAndChangesNothingElse) {
  TfrmMain& f = Open();
  SelectNode(f, 11);
  const std::string engine = f.lblVerEngine.Caption(), ime = f.lblVerIme.Caption();
  const std::string caption = f.lblLicense.Caption();
  const std::string spdef = krevtest::ReadFileBytes(spdef_), wordlib = krevtest::ReadFileBytes(wordlib_);
  f.ControlsToConfig();
  TKrevConfig before = *f.Config();
  ClickLabel(f.lblLicense);
  ASSERT_EQ(1u, g_help.size());
  EXPECT_EQ("030-用户许可说明.htm", g_help[0].page);
  EXPECT_EQ(f.Handle(), g_help[0].owner);

  EXPECT_EQ("scbxVersion", FrontPage(f));
  EXPECT_EQ(11, f.tvwMenu.Selected()->AbsoluteIndex());
  EXPECT_EQ(caption, f.lblLicense.Caption());
  EXPECT_EQ(engine, f.lblVerEngine.Caption());
  EXPECT_EQ(ime, f.lblVerIme.Caption());
  EXPECT_FALSE(SettingsKeyExists());
  EXPECT_EQ(spdef, krevtest::ReadFileBytes(spdef_));
  EXPECT_EQ(wordlib, krevtest::ReadFileBytes(wordlib_));
  f.ControlsToConfig();
  ExpectSameSettings(before, *f.Config());
  EXPECT_TRUE(g_started.empty());
  EXPECT_TRUE(g_shell.empty());
}

TEST_F(VersionPageTest, LinksHandTheirCaptionToTheShellAndAnEmptyOneNothing) {
  TfrmMain& f = Open();
  SelectNode(f, 11);
  struct {
    TLabel* link;
    std::string target;
  } cases[] = {{&f.lblUrl, "http://192.0.2.1/a b,c"}, {&f.lblEmail, "mailto:someone@example.org"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link->Name());
    // The handler opens what the label shows, whatever that is now.
    c.link->SetCaption(c.target);
    g_shell.clear();
    ClickLabel(*c.link);
    ASSERT_EQ(1u, g_shell.size());
    EXPECT_EQ(nullptr, g_shell[0].owner);
    EXPECT_EQ("open", g_shell[0].verb);
    EXPECT_EQ(c.target, g_shell[0].file);
    EXPECT_FALSE(g_shell[0].params);
    EXPECT_FALSE(g_shell[0].dir);
    EXPECT_EQ(SW_SHOW, g_shell[0].show);

    c.link->SetCaption("");
    g_shell.clear();
    ClickLabel(*c.link);
    EXPECT_TRUE(g_shell.empty());
    EXPECT_EQ("scbxVersion", FrontPage(f));
  }
  EXPECT_TRUE(g_help.empty());
  EXPECT_TRUE(g_started.empty());
}
