// The main window as a frame: start-up, the page tree, first loads of the editors, scrolling to a
// section, the word-library labels, the version labels, Cancel and the close box.
#include <windows.h>

#include "cfglogic.h"
#include "formtest.h"
#include "responder.h"

using namespace cfgtest;
using krevtest::ExpectBox;

namespace {

struct PageCase {
  int node;
  const char* text;
  const char* page;  // nullptr: the page in front stays
};

const PageCase kPages[] = {
    {0, "输入法设置", "scbxSetting"},   {1, "输入设置", "scbxSetting"},
    {2, "功能键", "scbxSetting"},       {3, "外观", "scbxSetting"},
    {4, "模糊音", "scbxSetting"},       {5, "高级", "scbxSetting"},
    {6, "自定义", nullptr},             {7, "双拼编码", "pnlSpdef"},
    {8, "中文符号输入", "pnlChnsym"},   {9, "特殊字词和短语", "pnlSpewords"},
    {10, "用户词库管理", "scbxWordlibMgr"}, {11, "输入法版本信息", "scbxVersion"},
};

const char* const kPageNames[] = {"scbxSetting", "pnlSpdef", "pnlChnsym", "pnlSpewords",
                                  "scbxWordlibMgr", "scbxVersion"};

// The one page in front; empty when none or several claim it.
std::string FrontPage(TfrmMain& f) {
  std::string front;
  int count = 0;
  for (const char* name : kPageNames) {
    if (f.FindControl(name)->IsFront()) {
      front = name;
      ++count;
    }
  }
  return count == 1 ? front : std::string();
}

void SelectNode(TfrmMain& f, int index) { f.tvwMenu.Select(f.tvwMenu.Item(index)); }

}  // namespace

TEST_F(MainFormTest, MainWindowAsLaidOut) {
  TfrmMain& f = Open();
  EXPECT_EQ("青岚拼音输入法 － 属性设置和管理中心", f.Caption());
  EXPECT_EQ(588, f.Width());
  EXPECT_EQ(431, f.Height());
  EXPECT_EQ(&f, Application.MainForm());
  EXPECT_EQ(&f.btnOK, f.DefaultButton());
  EXPECT_EQ("宋体", f.Font().Name);
  EXPECT_EQ(12, f.Font().Height);
  EXPECT_EQ(GB2312_CHARSET, f.Font().Charset);
  EXPECT_TRUE(f.imgLogo.HasPicture());
  EXPECT_EQ(194, f.imgLogo.PictureWidth());
  EXPECT_EQ(50, f.imgLogo.PictureHeight());
  EXPECT_EQ(3, f.imgsIcons.Count());
  EXPECT_EQ(19, f.tvwMenu.Indent());

  // Twelve fixed nodes: texts, levels and images.
  ASSERT_EQ(12, f.tvwMenu.Count());
  for (const PageCase& c : kPages) {
    TTreeNode* n = f.tvwMenu.Item(c.node);
    ASSERT_NE(nullptr, n);
    EXPECT_EQ(c.text, n->Text());
    bool top = c.node == 0 || c.node == 6 || c.node == 10 || c.node == 11;
    EXPECT_EQ(top ? 0 : 1, n->Level()) << c.text;
    EXPECT_EQ(top ? 0 : 2, n->ImageIndex()) << c.text;
    EXPECT_EQ(1, n->SelectedIndex()) << c.text;
    if (c.node == 0 || c.node == 6) {
      EXPECT_TRUE(n->Expanded()) << c.text;
    }
  }

  // The buttons follow the right edge; the logo stays.
  int okLeft = f.btnOK.Left(), helpLeft = f.btnHelp.Left(), logoLeft = f.imgLogo.Left();
  f.SetOuterSize(f.Width() + 100, f.Height());
  EXPECT_EQ(okLeft + 100, f.btnOK.Left());
  EXPECT_EQ(helpLeft + 100, f.btnHelp.Left());
  EXPECT_EQ(logoLeft, f.imgLogo.Left());
  EXPECT_EQ(f.ClientWidth() - 155, f.scbxSetting.Width());
}

TEST_F(MainFormTest, StartsOnTheFirstSettingsSection) {
  TfrmMain& f = Open();
  EXPECT_EQ("scbxSetting", FrontPage(f));
  ASSERT_NE(nullptr, f.tvwMenu.Selected());
  EXPECT_EQ(1, f.tvwMenu.Selected()->AbsoluteIndex());
  EXPECT_EQ(0, f.scbxSetting.VertPosition());
  EXPECT_EQ(0, f.pnlCapSetting.Top());
  EXPECT_EQ(1592, f.scbxSetting.VertRange());
}

TEST_F(MainFormTest, EachNodeBringsItsPageToFront) {
  TfrmMain& f = Open();
  for (const PageCase& c : kPages) {
    // Start every case from a page that no node but the last one shows.
    SelectNode(f, 10);
    ASSERT_EQ("scbxWordlibMgr", FrontPage(f));
    SelectNode(f, c.node);
    EXPECT_EQ(c.node, f.tvwMenu.Selected()->AbsoluteIndex());
    EXPECT_EQ(c.page ? c.page : "scbxWordlibMgr", FrontPage(f)) << c.text;
  }
  // Bringing a page to front rebuilds nothing: the editors keep their text.
  EXPECT_EQ(kSpdefText, f.mmoSpdef.Text());
  EXPECT_EQ("chn\r\nsym\r\n", f.mmoChnsym.Text());
  EXPECT_EQ("spe\r\nwords", f.mmoSpewords.Text());
}

TEST_F(MainFormTest, SectionNodesScrollTheirCaptionToTheTop) {
  Open();
  DesignSize();
  TfrmMain& f = frm();
  struct {
    int node;
    TPanel* panel;
    int position, top;
  } cases[] = {
      {2, &f.pnlCapFKey, 375, 0},      {3, &f.pnlCapVisual, 702, 0},   {4, &f.pnlCapFuzzy, 1067, 0},
      {5, &f.pnlCapAdvanced, 1247, 1}, {1, &f.pnlCapSetting, 0, 0},    {4, &f.pnlCapFuzzy, 1067, 0},
      {3, &f.pnlCapVisual, 702, 0},
  };
  for (const auto& c : cases) {
    SelectNode(f, c.node);
    EXPECT_EQ(c.position, f.scbxSetting.VertPosition()) << c.node;
    EXPECT_EQ(c.top, c.panel->Top()) << c.node;
  }
  // "输入法设置" shows the page without scrolling it.
  SelectNode(f, 0);
  EXPECT_EQ("scbxSetting", FrontPage(f));
  EXPECT_EQ(702, f.scbxSetting.VertPosition());
}

TEST_F(MainFormTest, TallerWindowStopsTheLastSectionLower) {
  Open();
  DesignSize(155);
  SelectNode(frm(), 5);
  EXPECT_EQ(1592 - 500, frm().scbxSetting.VertPosition());
  EXPECT_EQ(1248 - 1092, frm().pnlCapAdvanced.Top());
}

TEST_F(MainFormTest, ScrollToPanelIgnoresNullAndStopsAtThePanelOfAControl) {
  Open();
  DesignSize();
  TfrmMain& f = frm();
  f.ScrollToPanel(nullptr);
  EXPECT_EQ(0, f.scbxSetting.VertPosition());
  // A control inside a group box walks up to the scroll box itself, whose top is 0 in the form:
  // only the scroll into view remains, which brings the box below to the bottom edge.
  f.ScrollToPanel(&f.chkICW);
  EXPECT_EQ(345, f.gbx52Int.Top() + f.chkICW.Top() + f.chkICW.Height());
  EXPECT_EQ(1495 + f.chkICW.Top() + f.chkICW.Height() - 345, f.scbxSetting.VertPosition());
}

TEST_F(MainFormTest, EditorsLoadOnceWithCrLfAndStayUnmodified) {
  TfrmMain& f = Open();
  EXPECT_EQ(0, f.mmoSpdef.Tag);
  EXPECT_EQ("", f.mmoSpdef.Text());
  SelectNode(f, 8);
  EXPECT_EQ("pnlChnsym", FrontPage(f));
  EXPECT_EQ("chn\r\nsym\r\n", f.mmoChnsym.Text());
  EXPECT_EQ(1, f.mmoChnsym.Tag);
  EXPECT_FALSE(f.mmoChnsym.Modified());
  EXPECT_EQ(0, f.mmoSpdef.Tag);

  SelectNode(f, 7);
  TypeInto(f.mmoSpdef, "typed");
  EXPECT_TRUE(f.mmoSpdef.Modified());
  std::string typed = f.mmoSpdef.Text();
  EXPECT_NE(std::string::npos, typed.find("typed"));
  // The live file changes on disk; the memo is not read again.
  krevtest::WriteFileBytes(spdef_, "changed on disk");
  SelectNode(f, 5);
  SelectNode(f, 7);
  EXPECT_EQ("pnlSpdef", FrontPage(f));
  EXPECT_EQ(typed, f.mmoSpdef.Text());
  EXPECT_TRUE(f.mmoSpdef.Modified());
  EXPECT_EQ("changed on disk", krevtest::ReadFileBytes(spdef_));
}

TEST_F(MainFormTest, MissingDefinitionFileShowsTheErrorKeepsThePageAndRetries) {
  DeleteFileA(spewords_.c_str());
  // No seed either, so start-up cannot bring the file back.
  DeleteFileA((InstallDir() + "phrasedef.ini").c_str());
  TfrmMain& f = Open();
  ASSERT_FALSE(krevtest::FileExists(spewords_));
  SelectNode(f, 10);
  auto box = ExpectBox(kAppTitle, IDOK);
  SelectNode(f, 9);
  krevtest::SeenWindow seen = box.get();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ("Cannot open file " + spewords_ + ".", seen.text);
  EXPECT_EQ(krevtest::BoxIcon::Error, seen.icon);
  EXPECT_EQ(std::vector<int>{IDOK}, seen.buttons);
  EXPECT_EQ("scbxWordlibMgr", FrontPage(f));
  EXPECT_EQ(9, f.tvwMenu.Selected()->AbsoluteIndex());
  EXPECT_EQ(0, f.mmoSpewords.Tag);

  // Tried again on the next selection of the node.
  krevtest::WriteFileBytes(spewords_, "now here");
  SelectNode(f, 11);
  SelectNode(f, 9);
  EXPECT_EQ("pnlSpewords", FrontPage(f));
  EXPECT_EQ("now here", f.mmoSpewords.Text());
  EXPECT_EQ(1, f.mmoSpewords.Tag);
}

TEST_F(MainFormTest, SeedingCopiesMissingFilesOnlyAndCreatesTheDataDirectory) {
  std::string inst = InstallDir();
  krevtest::WriteFileBytes(inst + "vardekosp.ini", "seed sp");
  krevtest::WriteFileBytes(inst + "punctdef.ini", "seed punct");
  DeleteFileA(spdef_.c_str());
  krevtest::WriteFileBytes(chnsym_, "my symbols");
  TfrmMain& f = Open();
  EXPECT_EQ("seed sp", krevtest::ReadFileBytes(spdef_));
  EXPECT_EQ("my symbols", krevtest::ReadFileBytes(chnsym_));
  SelectNode(f, 7);
  EXPECT_EQ("seed sp", f.mmoSpdef.Text());
  EXPECT_FALSE(f.mmoSpdef.Modified());
}

TEST_F(MainFormTest, MissingUserDataDirectoryIsCreated) {
  std::string data = UserDataDir();
  // The directory goes with its files (the guard puts the files back afterwards).
  krevtest::RemoveTree(data);
  ASSERT_FALSE(krevcfg::DirectoryExistsAt(data));
  Open();
  EXPECT_TRUE(krevcfg::DirectoryExistsAt(data));
}

TEST_F(MainFormTest, WordlibLabelsShowPathAndRoundedTime) {
  krevtest::ScratchDir dir("wl");
  std::string lib = dir / "mylex.dat";
  ASSERT_TRUE(krevtest::WriteFileBytes(lib, "KREVLEX 1\r\n"));
  SYSTEMTIME st = {};
  st.wYear = 2025, st.wMonth = 11, st.wDay = 3, st.wHour = 13, st.wMinute = 5, st.wSecond = 7;
  FILETIME local, utc;
  ASSERT_TRUE(SystemTimeToFileTime(&st, &local) && LocalFileTimeToFileTime(&local, &utc));
  HANDLE h = CreateFileA(lib.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  SetFileTime(h, nullptr, nullptr, &utc);
  CloseHandle(h);

  TKrevConfig c;
  c.LoadDefaults();
  c.FUserWordlibFile = lib;
  StoreSettings(c);
  TfrmMain& f = Open();
  EXPECT_EQ(lib, f.lblUsrWordlibPath.Caption());
  st.wSecond = 6;
  EXPECT_EQ(krevcfg::FormatDateTime(st), f.lblUsrWordlibTime.Caption());
  EXPECT_NE(std::string::npos, f.lblUsrWordlibTime.Caption().find("13"));
}

// A folder named "R&D" or "R&&D" shows as it is, when the window opens and after Save reads the
// path again: the labels that show data take no "&" for the mark of an accelerator.
TEST_F(MainFormTest, WordlibLabelsShowEveryAmpersand) {
  krevtest::ScratchDir dir("wl");
  std::vector<std::string> libs;
  for (const char* folder : {"R&D", "R&&D"}) {
    const std::string sub = dir / folder;
    ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr)) << sub;
    libs.push_back(sub + "\\lex.dat");
    ASSERT_TRUE(krevtest::WriteFileBytes(libs.back(), "KREVLEX 1\r\n"));
  }
  TKrevConfig c;
  c.LoadDefaults();
  c.FUserWordlibFile = libs[0];
  StoreSettings(c);
  StorePromptOff();

  TfrmMain& f = Open();
  auto expectShownAsIs = [&f](const std::string& lib) {
    EXPECT_EQ(lib, f.lblUsrWordlibPath.Caption());
    EXPECT_NE("未知", f.lblUsrWordlibTime.Caption());
    for (TLabel* label : {&f.lblUsrWordlibPath, &f.lblUsrWordlibTime}) {
      EXPECT_NE(0, GetWindowLongA(label->Handle(), GWL_STYLE) & SS_NOPREFIX) << label->Name();
    }
  };
  expectShownAsIs(libs[0]);
  ASSERT_TRUE(f.rdbxDefineWordlib.Checked());
  f.edtDefineWordlibPath.SetText(libs[1]);
  SendMessageA(f.btnApply.Handle(), BM_CLICK, 0, 0);
  expectShownAsIs(libs[1]);
}

TEST_F(MainFormTest, MissingWordlibShowsUnknownAndThePath) {
  TKrevConfig c;
  c.LoadDefaults();
  c.FUserWordlibFile = "C:\\no such folder\\perlex.dat";
  StoreSettings(c);
  TfrmMain& f = Open();
  EXPECT_EQ("C:\\no such folder\\perlex.dat", f.lblUsrWordlibPath.Caption());
  EXPECT_EQ("未知", f.lblUsrWordlibTime.Caption());
}

TEST_F(MainFormTest, VersionLabelsFromTheExactEntries) {
  TfrmMain& f = Open();
  // The stand-ins carry 080404b0 (engine) and 080403a8 (module) tables.
  EXPECT_EQ("3.0.1.25", f.lblVerEngine.Caption());
  EXPECT_EQ("3.0.1.31", f.lblVerIme.Caption());
  EXPECT_EQ(f.lblVerEngine.Left(), f.lblVerIme.Left());
}

TEST_F(MainFormTest, CancelAndTheCloseBoxWriteNothing) {
  for (bool closeBox : {false, true}) {
    bool kscBefore = krevtest::FileExists(ksc_);
    TfrmMain& f = Open();
    f.Show();
    f.chkFZ.SetChecked(true);
    f.rdbxShuangPin.SetChecked(true);
    SelectNode(f, 7);
    TypeInto(f.mmoSpdef, "lost");
    ASSERT_TRUE(f.mmoSpdef.Modified());
    if (closeBox) {
      SendMessageA(f.Handle(), WM_CLOSE, 0, 0);
    } else {
      SendMessageA(f.btnCancel.Handle(), BM_CLICK, 0, 0);
    }
    EXPECT_FALSE(f.Visible()) << closeBox;
    EXPECT_FALSE(SettingsKeyExists()) << closeBox;
    EXPECT_EQ(kSpdefText, krevtest::ReadFileBytes(spdef_)) << closeBox;
    EXPECT_EQ(kscBefore, krevtest::FileExists(ksc_)) << closeBox;
    StartNextCase();
  }
}
