// The word-library page in the test process: its layout, the command lines of the programs it
// starts (recorded at the process-start call), the reset and the import with their boxes, over the
// real service library and the real file dialog.
#include <windows.h>

#include "krevset.h"
#include "pagestest.h"

using namespace cfgtest;
using krevtest::BoxIcon;
using krevtest::SeenWindow;

namespace {

const char kImportCaption[] = "选择自定义词文本文件";
const char kResetQuestion[] =
    "清除复位用户词库将从系统词库重新生成用户词库，\r\n用户词库中的自造词数据将丢失。\r\n\r\n是否确认？";
const char kImportQuestion[] = "导入词操作成功！\r\n\r\n是否查看导入日志？";

void Click(TControl& c) { SendMessageA(c.Handle(), BM_CLICK, 0, 0); }

// Sets a file's last-write time to 1 March 2001, 10:20:30 local time.
void MakeOld(const std::string& path) {
  SYSTEMTIME st = {2001, 3, 4, 1, 10, 20, 30, 0};
  FILETIME local, utc;
  SystemTimeToFileTime(&st, &local);
  LocalFileTimeToFileTime(&local, &utc);
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  SetFileTime(f, nullptr, nullptr, &utc);
  CloseHandle(f);
}

const char kOldLibrary[] = "KREVLEX 1\r\n旧词\tjiu'ci\r\n";

class WordlibPageTest : public PagesTest {
 protected:
  void SetUp() override {
    PagesTest::SetUp();
    log_ = UserDataDir() + "intake.log";
    baselex_ = InstallDir() + "baselex.dat";
    guard_.reset(new FileGuard({log_, baselex_}));
    DeleteFileA(log_.c_str());
    krevtest::WriteFileBytes(wordlib_, kOldLibrary);
    MakeOld(wordlib_);
  }
  void TearDown() override {
    guard_.reset();
    PagesTest::TearDown();
  }
  std::string log_, baselex_;
  std::unique_ptr<FileGuard> guard_;
};

struct Row {
  const char* cls;
  int left, top, width, height;  // -1: sized by its text
  const char* text;
  bool bold, stretches;
};

const Row kLayout[] = {
    {"TPanel", 0, 0, 421, 25, "  用户词库管理", true, true},
    {"Static", 10, 33, -1, -1, "当前用户词库", true, false},
    {"TPanel", 96, 38, 318, 2, "", false, true},
    {"Static", 29, 56, -1, -1, "词库文件：", false, false},
    {"Static", 117, 54, 284, 41, nullptr, false, true},  // the path
    {"Static", 29, 95, -1, -1, "最近访问时间：", false, false},
    {"Static", 117, 95, -1, -1, nullptr, false, false},  // the time
    {"Static", 10, 120, -1, -1, "用户词库管理操作", true, false},
    {"TPanel", 120, 125, 293, 2, "", false, true},
    {"Button", 23, 143, 170, 26, "(&K)用户词库备份/恢复...", false, false},
    {"Static", 202, 144, 204, -1, "备份当前用户词库，或者从备份文件中恢复当前词库。", false, false},
    {"TPanel", 20, 177, 393, 1, "", false, true},
    {"Button", 23, 183, 170, 26, "(&M)合并用户词库...", false, false},
    {"Static", 202, 180, 204, -1, "从其他用户词库文件，或词库备份文件中，合并用户自造词到当前用户词库中。", false, false},
    {"TPanel", 20, 217, 393, 1, "", false, true},
    {"Button", 23, 224, 170, 26, "(&L)从定义文本中导入新词...", false, false},
    {"Static", 202, 224, 204, -1, "用户可以使用文本文件定义新词，然后批量导入到当前用户词库中。", false, false},
    {"TPanel", 20, 257, 393, 1, "", false, true},
    {"Button", 23, 264, 170, 26, "(&C)清除复位用户词库...", false, false},
    {"Static", 202, 266, 204, -1, "复位用户词库到初始状态，将清除用户自造词信息和词频信息。", false, false},
    {"TPanel", 20, 297, 393, 1, "", false, true},
    {"Button", 23, 303, 170, 26, "(&R)清理修复用户词库...", false, false},
    {"Static", 202, 305, 210, 26, "根据系统词库对用户词库进行清理修复，将保留用户自造词。", false, false},
};

}  // namespace

TEST_F(WordlibPageTest, PageAsLaidOutAndStretching) {
  TfrmMain& f = Open();
  std::vector<ChildWindow> before = Children(f.scbxWordlibMgr.Handle());
  ASSERT_EQ(std::size(kLayout), before.size());
  for (size_t i = 0; i < before.size(); ++i) {
    const Row& r = kLayout[i];
    const ChildWindow& c = before[i];
    SCOPED_TRACE(testing::Message() << "row " << i);
    EXPECT_EQ(r.cls, c.cls);
    EXPECT_EQ(r.left, c.rect.left);
    EXPECT_EQ(r.top, c.rect.top);
    if (r.width >= 0) { EXPECT_EQ(r.width, c.rect.right - c.rect.left); }
    if (r.height >= 0) { EXPECT_EQ(r.height, c.rect.bottom - c.rect.top); }
    if (r.text) { EXPECT_EQ(r.text, c.text); }
    if (r.cls != std::string("TPanel")) { EXPECT_EQ(r.bold, c.bold); }
    // A description wraps within its width instead of running off the page.
    if (r.width == 204) { EXPECT_GT(c.rect.bottom - c.rect.top, 12); }
  }
  EXPECT_EQ(f.lblUsrWordlibPath.Handle(), before[4].hwnd);
  EXPECT_EQ(f.lblUsrWordlibTime.Handle(), before[6].hwnd);

  // The keyboard goes through the five buttons in the order of the page.
  TButton* order[] = {&f.btnLexVault, &f.btnLexJoin, &f.btnWLImport, &f.btnWLReset, &f.btnWLRepair};
  for (size_t i = 0; i + 1 < std::size(order); ++i) {
    EXPECT_EQ(order[i + 1]->Handle(), GetNextDlgTabItem(f.Handle(), order[i]->Handle(), FALSE)) << i;
  }

  f.SetOuterSize(f.Width() + 100, f.Height());
  std::vector<ChildWindow> after = Children(f.scbxWordlibMgr.Handle());
  ASSERT_EQ(before.size(), after.size());
  for (size_t i = 0; i < after.size(); ++i) {
    int grown = (after[i].rect.right - after[i].rect.left) - (before[i].rect.right - before[i].rect.left);
    EXPECT_EQ(kLayout[i].stretches ? 100 : 0, grown) << "row " << i;
    EXPECT_EQ(before[i].rect.left, after[i].rect.left) << "row " << i;
  }
}

TEST_F(WordlibPageTest, ProgramsStartFromTheInstallationDirectoryQuoted) {
  TfrmMain& f = Open();
  const std::string inst = InstallDir();
  struct {
    TButton* button;
    std::string cmdline;
  } cases[] = {
      {&f.btnLexVault, "\"" + inst + "lexvault.exe\""},
      {&f.btnLexJoin, "\"" + inst + "lexjoin.exe\""},
      {&f.btnWLRepair, "\"" + inst + "lexjoin.exe\" /r"},
  };
  for (const auto& c : cases) {
    g_started.clear();
    // Each click starts one more; nothing waits for the first.
    Click(*c.button);
    Click(*c.button);
    ASSERT_EQ(2u, g_started.size()) << c.cmdline;
    for (const StartedCall& s : g_started) {
      EXPECT_EQ(c.cmdline, s.cmdline);
      EXPECT_EQ(static_cast<UINT>(SW_SHOWNORMAL), s.show);
    }
  }
}

TEST_F(WordlibPageTest, ResetAsksThenReportsAndLeavesTheTimeLabel) {
  struct Case {
    const char* name;
    int answer;
    bool systemLibrary;
    const char* result;  // nullptr: no second box
    BoxIcon icon;
    bool generated;
  } cases[] = {
      {"no", IDNO, true, nullptr, BoxIcon::None, false},
      {"yes, generated", IDYES, true, "清除复位用户词库成功。", BoxIcon::Information, true},
      {"yes, failed", IDYES, false, "清除复位用户词库失败！", BoxIcon::Exclamation, false},
  };
  const std::string system = krevtest::ReadFileBytes(baselex_);
  ASSERT_FALSE(system.empty());
  TfrmMain& f = Open();
  const std::string time = f.lblUsrWordlibTime.Caption();
  ASSERT_NE("未知", time);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    krevtest::WriteFileBytes(wordlib_, kOldLibrary);
    if (c.systemLibrary) krevtest::WriteFileBytes(baselex_, system);
    else DeleteFileA(baselex_.c_str());
    BoxScript script(krevtest::kWordlibResetCaption, {Press(c.answer), Press(IDOK), Press(IDOK)});
    Click(f.btnWLReset);
    std::vector<SeenWindow> seen = script.Finish();
    ASSERT_GE(seen.size(), 1u);
    EXPECT_EQ(kResetQuestion, seen[0].text);
    EXPECT_EQ(BoxIcon::Question, seen[0].icon);
    EXPECT_EQ((std::vector<int>{IDYES, IDNO}), seen[0].buttons);
    if (c.result) {
      ASSERT_EQ(2u, seen.size());
      EXPECT_EQ(c.result, seen[1].text);
      EXPECT_EQ(c.icon, seen[1].icon);
      EXPECT_EQ(std::vector<int>{IDOK}, seen[1].buttons);
    } else {
      EXPECT_EQ(1u, seen.size());
    }
    EXPECT_EQ(c.generated ? system : std::string(kOldLibrary), krevtest::ReadFileBytes(wordlib_));
    EXPECT_EQ(time, f.lblUsrWordlibTime.Caption());
  }
  EXPECT_TRUE(g_started.empty());
}

TEST_F(WordlibPageTest, ImportCancelFailureAndTheLogQuestion) {
  krevtest::ScratchDir dir("krevimport");
  const std::string words = dir / "words.txt";
  krevtest::WriteFileBytes(words, "青岚 qing'lan\r\n");
  const std::string missing = dir / "missing.txt";
  const std::string notepad = "notepad.exe \"" + UserDataDir() + "intake.log\"";
  struct Case {
    const char* name;
    std::string chosen;  // empty: cancel
    int logAnswer;       // 0: no question expected
    const char* failure;
    bool imported, notepad;
  } cases[] = {
      {"cancel", "", 0, nullptr, false, false},
      {"unreadable file", missing, 0, "导入词操作失败！", false, false},
      // Typed without its extension: the dialog adds ".txt".
      {"imported, log not wanted", dir / "words", IDNO, nullptr, true, false},
      {"imported, log wanted", words, IDYES, nullptr, true, true},
  };
  TfrmMain& f = Open();
  const std::string time = f.lblUsrWordlibTime.Caption();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_started.clear();
    krevtest::WriteFileBytes(wordlib_, kOldLibrary);
    DeleteFileA(log_.c_str());
    BoxScript script(kImportCaption, {ChooseFile(c.chosen), Press(c.logAnswer ? c.logAnswer : IDOK), Press(IDOK)});
    Click(f.btnWLImport);
    std::vector<SeenWindow> seen = script.Finish();
    ASSERT_GE(seen.size(), 1u);
    EXPECT_EQ("文本文件(*.txt)|*.txt", f.dlgBrowseFile.Filter);
    EXPECT_EQ("txt", f.dlgBrowseFile.DefaultExt);
    if (c.chosen.empty()) {
      EXPECT_EQ(1u, seen.size());
    } else if (c.failure) {
      ASSERT_EQ(2u, seen.size());
      EXPECT_EQ(c.failure, seen[1].text);
      EXPECT_EQ(BoxIcon::Exclamation, seen[1].icon);
      EXPECT_EQ(std::vector<int>{IDOK}, seen[1].buttons);
    } else {
      ASSERT_EQ(2u, seen.size());
      EXPECT_EQ(kImportQuestion, seen[1].text);
      EXPECT_EQ(BoxIcon::Question, seen[1].icon);
      EXPECT_EQ((std::vector<int>{IDYES, IDNO}), seen[1].buttons);
      EXPECT_EQ(words, f.dlgBrowseFile.FileName);
    }
    std::string library = krevtest::ReadFileBytes(wordlib_);
    EXPECT_EQ(c.imported, library.find("青岚\tqing'lan") != std::string::npos) << library;
    EXPECT_EQ(c.imported, krevtest::FileExists(log_));
    EXPECT_EQ(time, f.lblUsrWordlibTime.Caption());
    if (c.notepad) {
      ASSERT_EQ(1u, g_started.size());
      EXPECT_EQ(notepad, g_started[0].cmdline);
      EXPECT_EQ(static_cast<UINT>(SW_SHOWNORMAL), g_started[0].show);
    } else {
      EXPECT_TRUE(g_started.empty());
    }
  }
}

TEST_F(WordlibPageTest, ImportOpensWhereThePreviousPickerLeftTheDialog) {
  krevtest::ScratchDir dir("krevpicker");
  const std::string picture = dir / "back.bmp";
  TfrmMain& f = Open();
  f.rdbxCompStyle3.SetChecked(true);
  {
    BoxScript script("选择背景图像文件", {ChooseFile(picture)});
    Click(f.btnBrowseImageFile);
    ASSERT_EQ(1u, script.Finish().size());
  }
  ASSERT_EQ(picture, f.edtBackImage.Text());
  BoxScript script(kImportCaption, {ChooseFile("")});
  Click(f.btnWLImport);
  std::vector<SeenWindow> seen = script.Finish();
  ASSERT_EQ(1u, seen.size());
  // The dialog opens in the picture's folder with its name filled in; cancelling keeps the path.
  EXPECT_EQ("back.bmp", seen[0].fileName);
  EXPECT_EQ(picture, f.dlgBrowseFile.FileName);
  EXPECT_EQ(f.Config()->FInstallDir, f.dlgBrowseFile.InitialDir);
  EXPECT_EQ(kImportCaption, f.dlgBrowseFile.Title);
}
