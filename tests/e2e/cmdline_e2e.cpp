// Each program that reads its command line, copied into a folder with a Chinese name and started by
// its unquoted path, as a user's shell starts it: the program must see everything after its name,
// however many GBK bytes the name holds.
#include <shlwapi.h>

#include "codec.h"
#include "e2e.h"

namespace e2e {
namespace {

constexpr const char* kFolder = "C:\\输入法\\";

// What a row leaves behind, checked after the program ended.
enum class Then { Nothing, LibraryKept, BackupOfLibrary, LibraryRestored, Registered, SettingsPage, VersionPage };

// A window the program shows (a message box or LexVault's dialog), and the button a user presses.
struct Box {
  std::string caption;
  int button;
  std::string text;  // the box's text; "" when it is not compared
};

struct Row {
  std::string exe;
  std::string tail;  // what follows the unquoted path after one blank; "" for none
  std::vector<Box> boxes;
  long exitCode;
  Then then;
};

const std::string kLibrary = "KREVLEX 1\r\n输入法\tshu'ru'fa\r\n";
const std::string kChanged = "KREVLEX 1\r\n改过\tgai'guo\r\n";

// Waits until the dialog's thread has finished creating it (it answers a message), reads it and
// presses `id` in it.
krevtest::SeenWindow Answer(HWND dlg, int id) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(dlg, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored);
  krevtest::SeenWindow seen = krevtest::Inspect(dlg);
  PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
  return seen;
}

std::string Question(const std::string& path) {
  return "从以下词库备份文件中恢复当前用户词库：\n\t" + path + "\n\n注意：恢复操作将覆盖当前用户词库！";
}

class ChineseFolder : public Scenario {
 protected:
  void SetUp() override {
    krevtest::RemoveTree(kFolder);
    ASSERT_TRUE(CreateDirectoryA(kFolder, nullptr));
    // krevset.dll goes beside krevcfg, as an installation in this folder would have it.
    for (const char* f : {"lexvault.exe", "instkrev.exe", "krevcfg.exe", "krevset.dll", "lexjoin.exe"}) {
      ASSERT_TRUE(CopyFileA((krevtest::InstallDir() + f).c_str(), (std::string(kFolder) + f).c_str(), FALSE)) << f;
    }
    CreateDirectoryA(data_.c_str(), nullptr);
  }
  void TearDown() override { krevtest::RemoveTree(kFolder); }
  // Layouts added since the last call that name the module.
  int NewRegistrations() {
    int n = 0;
    for (const krevtest::Layout& l : layouts_.New()) {
      if (StrStrIA(l.imeFile.c_str(), "vardeko.ime")) ++n;
    }
    return n;
  }
  krevtest::LayoutWatch layouts_;  // removes the layouts the runs added
  krevtest::ScratchDir scratch_{"e2e-cmdline"};
};

TEST_F(ChineseFolder, EachProgramStartedByItsUnquotedPathSeesItsWholeCommandLine) {
  const std::string library = data_ + "perlex.dat";
  const std::string backup = scratch_ / "备份.LXB";      // the restores read it
  const std::string made = scratch_ / "新备份.LXB";      // the backups write it
  {
    const std::string source = scratch_ / "source.dat";
    ASSERT_TRUE(krevtest::WriteFileBytes(source, kLibrary));
    ASSERT_EQ(CompressFileTo(source.c_str(), backup.c_str()), 0);
  }
  const std::string lexCaption = kLexVaultCaption, instCaption = kInstallerCaption;
  const std::string backupCaption = kBackupTitle, restoreCaption = kRestoreTitle;
  const std::string joinCaption = kLexjoinCaption;
  const Row rows[] = {
      {"lexvault.exe", "", {{lexCaption, IDCANCEL, ""}}, 0, Then::LibraryKept},
      {"lexvault.exe", "/b " + made, {{backupCaption, IDOK, "备份词库成功。"}}, 1, Then::BackupOfLibrary},
      {"lexvault.exe", "/r " + backup, {}, 1, Then::LibraryRestored},
      {"lexvault.exe", backup, {{restoreCaption, IDYES, Question(backup)}, {restoreCaption, IDOK, "恢复词库成功。"}}, 1,
       Then::LibraryRestored},
      {"instkrev.exe", "", {{instCaption, IDOK, "安装ime成功。"}}, 0, Then::Registered},
      {"instkrev.exe", "/s", {}, 0, Then::Registered},
      {"krevcfg.exe", "", {}, 0, Then::SettingsPage},
      {"krevcfg.exe", "?", {}, 0, Then::VersionPage},
      {"lexjoin.exe", "", {{joinCaption, IDOK, "合并用户词库"}}, 0, Then::Nothing},
      {"lexjoin.exe", "/r", {{joinCaption, IDOK, "修复用户词库"}}, 0, Then::Nothing},
  };
  for (const Row& row : rows) {
    const std::string cmdline = kFolder + row.exe + (row.tail.empty() ? "" : " " + row.tail);
    SCOPED_TRACE(cmdline);
    ASSERT_TRUE(krevtest::WriteFileBytes(library, kChanged));
    DeleteFileA(made.c_str());
    NewRegistrations();

    // No quotes and no application name: the platform finds the program as a shell would.
    Program p(cmdline);
    ASSERT_TRUE(p.started());
    if (row.then == Then::SettingsPage || row.then == Then::VersionPage) {
      HWND main = WaitCfgMain(p);
      ASSERT_TRUE(main) << "no main window";
      bool version = row.then == Then::VersionPage;
      EXPECT_TRUE(IsFront(Find(main, version ? "scbxVersion" : "scbxSetting")));
      EXPECT_EQ(TreeSelection(Find(main, "tvwMenu")), version ? "输入法版本信息" : "输入设置");
      Close(main);
    }
    bool wrongWindow = false;
    for (const Box& box : row.boxes) {
      HWND h = p.WaitWindow("#32770");
      if (!h) {
        ADD_FAILURE() << "no \"" << box.caption << "\" window; the program ended first";
        wrongWindow = true;
        break;
      }
      krevtest::SeenWindow seen = krevtest::Inspect(h);
      if (seen.caption != box.caption) {
        ADD_FAILURE() << "expected \"" << box.caption << "\", the program showed \"" << seen.caption << "\": "
                      << seen.text;
        wrongWindow = true;
        break;
      }
      seen = Answer(h, box.button);
      if (!box.text.empty()) {
        EXPECT_EQ(seen.text, box.text);
      }
      ASSERT_TRUE(WaitGone(h)) << box.caption << " stayed open";
    }
    // Nothing more may show before the program ends.
    HWND extra = nullptr;
    if (!wrongWindow) WaitUntil([&] { return !p.Running() || (extra = p.TopWindow("#32770")) != nullptr; }, kWindowWait);
    if (wrongWindow || extra) {
      if (extra) {
        ADD_FAILURE() << "the program showed \"" << Text(extra) << "\": " << krevtest::Inspect(extra).text;
      }
      p.Kill();
      continue;
    }
    EXPECT_EQ(p.WaitExit(), row.exitCode);

    switch (row.then) {
      case Then::LibraryKept:
        EXPECT_EQ(krevtest::ReadFileBytes(library), kChanged);
        break;
      case Then::BackupOfLibrary: {
        const std::string check = scratch_ / "check.dat";
        EXPECT_EQ(DecompressFileTo(made.c_str(), check.c_str()), 0) << "no backup at " << made;
        EXPECT_EQ(krevtest::ReadFileBytes(check), kChanged);
        DeleteFileA(check.c_str());
        break;
      }
      case Then::LibraryRestored:
        EXPECT_EQ(krevtest::ReadFileBytes(library), kLibrary);
        break;
      case Then::Registered:
        EXPECT_EQ(NewRegistrations(), 1);
        break;
      default:
        break;
    }
  }
}

}  // namespace
}  // namespace e2e
