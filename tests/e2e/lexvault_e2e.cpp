// The word-library page's backup button starts LexVault's dialog: a backup through it, a change
// to the library, and a restore through it bring the library back byte for byte.
#include "e2e.h"

namespace e2e {
namespace {

constexpr int kBackupRadio = 1000, kRestoreRadio = 1001;

// A library whose bytes a text-mode or truncating copy would change: every byte value, CR LF and
// lone LF, a zero run, and enough varied data for several deflate blocks.
std::string LibraryBytes() {
  std::string s = "KREVLEX 1\r\n中国\tzhong'guo\r\n青岚\tqing'lan\n";
  for (int i = 0; i < 256; ++i) s += static_cast<char>(i);
  s += std::string(3000, '\0');
  unsigned x = 12345;
  for (int i = 0; i < 200000; ++i) {
    x = x * 1103515245u + 12345u;
    s += static_cast<char>((x >> 16) % 7 == 0 ? (x >> 8) : "abcdefgh"[(x >> 20) & 7]);
  }
  return s;
}

// Which icon a box of another process shows cannot be told from here (Wine's icon handles are
// valid only in the process that loaded them); the programs' own tests check the icons.
class LexVaultFromCentre : public Scenario {
 protected:
  // Presses the page's button and waits for the dialog LexVault opens.
  HWND OpenDialog(HWND main) {
    if (!Click(Find(main, "btnLexVault"))) return nullptr;
    return WaitDialog(kLexVaultCaption);
  }
};

TEST_F(LexVaultFromCentre, BackupThenRestoreThroughTheDialogGivesTheLibraryBack) {
  krevtest::ScratchDir scratch("e2e-lxb");
  std::string backup = scratch / "saved.LXB";

  Program cfg(Program::InInstallDir("krevcfg.exe"));
  HWND main = WaitCfgMain(cfg);
  ASSERT_TRUE(main);
  ASSERT_TRUE(ShowPage(main, "用户词库管理", "scbxWordlibMgr"));
  // The page names the library that LexVault finds by its own rules.
  std::string library = Text(Find(main, "lblUsrWordlibPath"));
  ASSERT_EQ(library, data_ + "perlex.dat");
  const std::string original = LibraryBytes();
  ASSERT_TRUE(krevtest::WriteFileBytes(library, original));

  // Backup: the preselected choice.
  HWND dlg = OpenDialog(main);
  ASSERT_TRUE(dlg) << "LexVault's dialog did not open";
  krevtest::Process backupRun(dlg);
  EXPECT_TRUE(Checked(GetDlgItem(dlg, kBackupRadio)));
  EXPECT_FALSE(Checked(GetDlgItem(dlg, kRestoreRadio)));
  auto saveAs = krevtest::ExpectFileDialog(kSaveTitle, backup, kWindowWait);
  ASSERT_TRUE(Press(GetDlgItem(dlg, IDOK)));
  ASSERT_TRUE(saveAs.get().found);
  auto done = krevtest::ExpectBox(kBackupTitle, IDOK, kWindowWait).get();
  ASSERT_TRUE(done.found);
  EXPECT_EQ(done.text, "备份词库成功。");
  EXPECT_NE(done.icon, krevtest::BoxIcon::None);
  EXPECT_EQ(backupRun.WaitExit(), 1);
  std::string packed = krevtest::ReadFileBytes(backup);
  ASSERT_GT(packed.size(), 18u);
  EXPECT_EQ(packed.substr(0, 2), "\x1f\x8b");
  EXPECT_LT(packed.size(), original.size());

  // The library changes afterwards.
  ASSERT_TRUE(krevtest::WriteFileBytes(library, "KREVLEX 1\r\n新词\txin'ci\r\n"));

  // Restore: chosen in the dialog, the file picked, the question answered Yes.
  dlg = OpenDialog(main);
  ASSERT_TRUE(dlg) << "LexVault's dialog did not open a second time";
  krevtest::Process restoreRun(dlg);
  ASSERT_TRUE(Click(GetDlgItem(dlg, kRestoreRadio)));
  EXPECT_TRUE(Checked(GetDlgItem(dlg, kRestoreRadio)));
  auto open = krevtest::ExpectFileDialog(kOpenTitle, backup, kWindowWait);
  ASSERT_TRUE(Press(GetDlgItem(dlg, IDOK)));
  ASSERT_TRUE(open.get().found);
  auto question = krevtest::ExpectBox(kRestoreTitle, IDYES, kWindowWait).get();
  ASSERT_TRUE(question.found);
  EXPECT_EQ(question.buttons, (std::vector<int>{IDYES, IDNO}));
  EXPECT_NE(question.text.find(backup), std::string::npos) << question.text;
  ASSERT_TRUE(WaitGone(question.hwnd));
  auto restored = krevtest::ExpectBox(kRestoreTitle, IDOK, kWindowWait).get();
  ASSERT_TRUE(restored.found);
  EXPECT_EQ(restored.text, "恢复词库成功。");
  EXPECT_NE(restored.icon, krevtest::BoxIcon::None);
  EXPECT_EQ(restoreRun.WaitExit(), 1);

  EXPECT_TRUE(krevtest::ReadFileBytes(library) == original) << "the restored library differs";

  // The centre waited for none of it and is still there; Cancel ends it.
  ASSERT_TRUE(cfg.Running());
  ASSERT_TRUE(Press(Find(main, "btnCancel")));
  EXPECT_EQ(cfg.WaitExit(), 0);
}

}  // namespace
}  // namespace e2e
