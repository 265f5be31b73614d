// lexvault.exe as a real process: each command-line form, its boxes and its exit code.
#include <gtest/gtest.h>

#include <future>

#include "backup_testutil.h"
#include "codec.h"
#include "responder.h"
#include "testenv.h"

using krevtest::ReadFileBytes;
using krevtest::ScratchDir;
using krevtest::SeenWindow;
using krevtest::WriteFileBytes;

namespace {

const std::string kLibrary = "the library the processes work on";
const std::string kRestored = "content of the backup the processes restore";

struct Step {
  std::string caption;
  int button;
  std::string text;  // expected text of a box ("" for the dialog)
};

TEST(ProcessTest, CommandLineFormsAndExitCodes) {
  lvtest::SettingsValues values;
  ScratchDir dir("lexvault-proc");
  const std::string lib = dir / "perlex.dat";
  const std::string backup = dir / "wl.LXB";
  const std::string blankLib = dir / "lib dir\\my.dat";
  ASSERT_TRUE(CreateDirectoryA((dir / "lib dir").c_str(), nullptr));
  // Restoring from this file would show that a "/r" text was not cut at its first blank.
  ASSERT_TRUE(CreateDirectoryA((dir / "my backups").c_str(), nullptr));
  ASSERT_TRUE(WriteFileBytes(dir / "my backups\\wl.LXB", lvtest::Member("from the uncut path")));
  // Chinese names: GBK bytes right after the program name and inside the paths.
  const std::string chineseBackup = dir / "备份.LXB";
  const std::string chineseMade = dir / "词库备份.LXB";
  ASSERT_TRUE(CreateDirectoryA((dir / "词库").c_str(), nullptr));
  const std::string chineseLib = dir / "词库\\我的.dat";
  ASSERT_TRUE(WriteFileBytes(chineseBackup, lvtest::Member(kRestored)));
  // A bare name is looked up in the folder the program starts in, which it takes from this process.
  krevtest::CurrentDirectory current(dir.path());
  ASSERT_TRUE(current.ok());
  values.SetUserWordlib(lib);
  const std::string exe = "\"" + krevtest::InstallDir() + "lexvault.exe\"";
  ASSERT_TRUE(krevtest::FileExists(krevtest::InstallDir() + "lexvault.exe"));

  enum Check { kNone, kLibraryKept, kBackupOfLibrary, kLibraryRestored, kBlankLibRestored, kRestoredInto };
  struct Case {
    std::string args;
    std::vector<Step> steps;
    long exitCode;
    Check check;
    std::string file = "";  // kBackupOfLibrary: the backup made (default `backup`); kRestoredInto: the library
  };
  auto questionFor = [](const std::string& path) {
    return "从以下词库备份文件中恢复当前用户词库：\n\t" + path + "\n\n注意：恢复操作将覆盖当前用户词库！";
  };
  const std::string question = questionFor("\"" + backup + "\"");
  const Case cases[] = {
      {"", {{kLexVaultCaption, IDCANCEL, ""}}, 0, kLibraryKept},
      {"/B " + backup, {{kLexVaultCaption, IDCANCEL, ""}}, 0, kLibraryKept},
      {"/?", {{kLexVaultCaption, IDCANCEL, ""}}, 0, kLibraryKept},
      {"/b " + backup, {{kBackupTitle, IDOK, "备份词库成功。"}}, 1, kBackupOfLibrary},
      {"/b " + dir.path() + "missing\\wl.LXB", {{kBackupTitle, IDOK, "备份词库失败。"}}, 1, kLibraryKept},
      {"/b " + std::string(300, 'b'), {{kBackupTitle, IDOK, "备份词库失败。"}}, 1, kLibraryKept},
      {"/r " + backup + " " + blankLib, {}, 1, kBlankLibRestored},
      {"/r " + backup, {}, 1, kLibraryRestored},
      {"/r " + backup + " " + std::string(300, 'r'), {}, 1, kLibraryKept},
      // The backup path cannot hold a blank in this form: "...\my" is the backup file.
      {"/r " + dir.path() + "my backups\\wl.LXB", {}, 1, kLibraryKept},
      {"\"" + backup + "\"", {{kRestoreTitle, IDYES, question}, {kRestoreTitle, IDOK, "恢复词库失败。"}}, 1, kLibraryKept},
      {backup, {{kRestoreTitle, IDNO, ""}}, 0, kLibraryKept},
      // A name that starts with a Chinese character, and Chinese names after each switch.
      {"备份.LXB", {{kRestoreTitle, IDYES, questionFor("备份.LXB")}, {kRestoreTitle, IDOK, "恢复词库成功。"}}, 1,
       kLibraryRestored},
      {chineseBackup, {{kRestoreTitle, IDNO, questionFor(chineseBackup)}}, 0, kLibraryKept},
      {"/b " + chineseMade, {{kBackupTitle, IDOK, "备份词库成功。"}}, 1, kBackupOfLibrary, chineseMade},
      {"/r " + chineseBackup, {}, 1, kLibraryRestored},
      {"/r " + chineseBackup + " " + chineseLib, {}, 1, kRestoredInto, chineseLib},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.substr(0, 80));
    ASSERT_TRUE(WriteFileBytes(lib, kLibrary));
    ASSERT_TRUE(WriteFileBytes(backup, lvtest::Member(kRestored)));
    DeleteFileA(blankLib.c_str());
    DeleteFileA(chineseMade.c_str());
    DeleteFileA(chineseLib.c_str());
    std::vector<Step> steps = c.steps;
    auto script = std::async(std::launch::async, [steps]() {
      std::vector<SeenWindow> seen;
      for (const Step& s : steps) seen.push_back(lvtest::AnswerBox(s.caption, s.button, std::chrono::seconds(60)));
      return seen;
    });
    long code = krevtest::RunProcess(exe + (c.args.empty() ? "" : " " + c.args), 120000);
    std::vector<SeenWindow> seen = script.get();
    EXPECT_EQ(code, c.exitCode);
    for (size_t i = 0; i < steps.size(); ++i) {
      EXPECT_TRUE(seen[i].found) << steps[i].caption;
      if (!steps[i].text.empty()) {
        EXPECT_EQ(seen[i].text, steps[i].text);
      }
    }
    if (steps.size() == 1 && steps[0].caption == kLexVaultCaption && seen[0].found) {
      EXPECT_EQ(seen[0].caption, kLexVaultCaption);
    }
    switch (c.check) {
      case kNone:
        break;
      case kLibraryKept:
        EXPECT_EQ(ReadFileBytes(lib), kLibrary);
        break;
      case kBackupOfLibrary: {
        std::string check = dir / "check.dat";
        EXPECT_EQ(DecompressFileTo((c.file.empty() ? backup : c.file).c_str(), check.c_str()), 0);
        EXPECT_EQ(ReadFileBytes(check), kLibrary);
        DeleteFileA(check.c_str());
        break;
      }
      case kLibraryRestored:
        EXPECT_EQ(ReadFileBytes(lib), kRestored);
        break;
      case kBlankLibRestored:
        EXPECT_EQ(ReadFileBytes(blankLib), kRestored);
        EXPECT_EQ(ReadFileBytes(lib), kLibrary);
        break;
      case kRestoredInto:
        EXPECT_EQ(ReadFileBytes(c.file), kRestored);
        EXPECT_EQ(ReadFileBytes(lib), kLibrary);
        break;
    }
  }
}

}  // namespace
