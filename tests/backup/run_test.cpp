// One backup or restore run: the question, the result boxes, the attribute clearing and what is
// left of the library when a restore fails.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <future>
#include <utility>

#include "backup_testutil.h"
#include "calls.h"
#include "codec.h"
#include "responder.h"
#include "run.h"
#include "seams.h"
#include "testenv.h"

using krevtest::BoxIcon;
using krevtest::ExpectBox;
using krevtest::ReadFileBytes;
using krevtest::ScratchDir;
using krevtest::WriteFileBytes;

namespace {

const std::string kLibrary = "the current user word library";

class RunTest : public ::testing::Test {
 protected:
  lvtest::SettingsValues values;
  ScratchDir dir{"lexvault-run"};
  std::string lib = dir / "perlex.dat";
  std::string backup = dir / "wl.LXB";

  void SetUp() override {
    values.SetUserWordlib(lib);
    BackupFilePath[0] = '\0';
    WordlibFilePath[0] = '\0';
    ShowMessages = 1;
  }
  void TearDown() override {
    BackupFilePath[0] = '\0';
    WordlibFilePath[0] = '\0';
    ShowMessages = 1;
    SetFileAttributesA(lib.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  void SetBackupPath(const std::string& p) { std::strcpy(BackupFilePath, p.c_str()); }
};

TEST_F(RunTest, ResultBoxesTellSuccessAndFailure) {
  struct Case {
    const char* what;
    int operation;
    bool libraryExists;
    bool backupValid;
    const char* title;
    const char* text;
    BoxIcon icon;
  };
  const Case cases[] = {
      {"backup", 1, true, false, kBackupTitle, "备份词库成功。", BoxIcon::Information},
      {"backup of a missing library", 1, false, false, kBackupTitle, "备份词库失败。", BoxIcon::Error},
      {"restore", 0, true, true, kRestoreTitle, "恢复词库成功。", BoxIcon::Information},
      {"restore from a damaged backup", 0, true, false, kRestoreTitle, "恢复词库失败。", BoxIcon::Error},
  };
  const std::string restored = "library content from the backup";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    DeleteFileA(lib.c_str());
    if (c.libraryExists) {
      ASSERT_TRUE(WriteFileBytes(lib, kLibrary));
    }
    ASSERT_TRUE(WriteFileBytes(backup, c.backupValid ? lvtest::Member(restored) : "old backup"));
    SetBackupPath(backup);
    auto script = std::async(std::launch::async, [&c]() {
      if (c.operation == 0) lvtest::AnswerBox(kRestoreTitle, IDYES);
      return lvtest::AnswerBox(c.title, IDOK);
    });
    EXPECT_EQ(RunWordlibOperation(c.operation), 1);
    krevtest::SeenWindow box = script.get();
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.text, c.text);
    EXPECT_EQ(box.icon, c.icon);
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    if (c.operation) {
      EXPECT_EQ(ReadFileBytes(backup) == "old backup", !c.libraryExists);
    } else {
      EXPECT_EQ(ReadFileBytes(lib), c.backupValid ? restored : kLibrary);
    }
    EXPECT_EQ(std::string(WordlibFilePath), lib);
  }
}

TEST_F(RunTest, RestoreQuestionNamesTheFileAndNoDoesNothingButClearAttributes) {
  ASSERT_TRUE(WriteFileBytes(lib, kLibrary));
  ASSERT_TRUE(SetFileAttributesA(lib.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  std::string quoted = "\"" + backup + "\"";
  ASSERT_TRUE(WriteFileBytes(backup, lvtest::Member("would replace the library")));
  SetBackupPath(quoted);
  // The question answered No; a box after it would be a second one of the same caption, answered
  // and reported here until the run has returned.
  std::atomic<bool> returned{false};
  auto script = std::async(std::launch::async, [&returned] {
    krevtest::SeenWindow question = lvtest::AnswerBox(kRestoreTitle, IDNO);
    krevtest::NoWindow more("#32770", kRestoreTitle);
    krevtest::WaitFor([&] { return returned.load(); }, std::chrono::seconds(60));
    return std::make_pair(question, more.Finish());
  });
  EXPECT_EQ(RunWordlibOperation(0), 0);
  returned = true;
  auto seen = script.get();
  krevtest::SeenWindow box = seen.first;
  ASSERT_TRUE(box.found);
  EXPECT_EQ(box.text, "从以下词库备份文件中恢复当前用户词库：\n\t" + quoted + "\n\n注意：恢复操作将覆盖当前用户词库！");
  EXPECT_EQ(box.icon, BoxIcon::Question);
  EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
  EXPECT_EQ(seen.second, "") << "no result box follows";
  EXPECT_EQ(ReadFileBytes(lib), kLibrary);
  EXPECT_EQ(GetFileAttributesA(lib.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
  EXPECT_EQ(std::string(WordlibFilePath), lib);

  // Yes with the quotes kept: no such file, the library stays.
  auto failed = std::async(std::launch::async, []() {
    lvtest::AnswerBox(kRestoreTitle, IDYES);
    return lvtest::AnswerBox(kRestoreTitle, IDOK);
  });
  EXPECT_EQ(RunWordlibOperation(0), 1);
  EXPECT_EQ(failed.get().text, "恢复词库失败。");
  EXPECT_EQ(ReadFileBytes(lib), kLibrary);
}

TEST_F(RunTest, ReadOnlyLibraryIsRestoredOnlyWhenTheRunResolvedIt) {
  const std::string restored = "restored into a read-only library";
  ASSERT_TRUE(WriteFileBytes(backup, lvtest::Member(restored)));
  ShowMessages = 0;

  ASSERT_TRUE(WriteFileBytes(lib, kLibrary));
  ASSERT_TRUE(SetFileAttributesA(lib.c_str(), FILE_ATTRIBUTE_READONLY));
  SetBackupPath(backup);
  EXPECT_EQ(RunWordlibOperation(0), 1);
  EXPECT_EQ(ReadFileBytes(lib), restored);

  // Given by the caller: used untouched, so the read-only file cannot be replaced.
  std::string given = dir / "given.dat";
  ASSERT_TRUE(WriteFileBytes(given, kLibrary));
  ASSERT_TRUE(SetFileAttributesA(given.c_str(), FILE_ATTRIBUTE_READONLY));
  std::strcpy(WordlibFilePath, given.c_str());
  EXPECT_EQ(RunWordlibOperation(0), 1);
  EXPECT_EQ(ReadFileBytes(given), kLibrary);
  EXPECT_TRUE(GetFileAttributesA(given.c_str()) & FILE_ATTRIBUTE_READONLY);
  SetFileAttributesA(given.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(RunTest, SilentRunShowsNoBoxWhateverTheOutcome) {
  ShowMessages = 0;
  ASSERT_TRUE(WriteFileBytes(lib, kLibrary));
  krevtest::NoWindow any;
  SetBackupPath(dir / "missing.LXB");
  EXPECT_EQ(RunWordlibOperation(0), 1);
  ASSERT_TRUE(WriteFileBytes(backup, lvtest::Member("silently restored")));
  SetBackupPath(backup);
  EXPECT_EQ(RunWordlibOperation(0), 1);
  EXPECT_EQ(any.Finish(), "");
  EXPECT_EQ(ReadFileBytes(lib), "silently restored");
}

HMODULE WINAPI NoLibrary(LPCSTR) { return nullptr; }

TEST_F(RunTest, LibraryPathThatDoesNotFitIsAFailedRun) {
  values.ClearBoth();
  // No shfolder.dll, and a system directory that leaves no room for "perlex.dat".
  krevtest::FakeSystemDir = {"C:\\" + std::string(240, 'w')};
  krevtest::ScopedCall noLibrary(LexVaultCalls.LoadLibraryA, NoLibrary);
  krevtest::ScopedCall longSystemDir(LexVaultCalls.GetSystemDirectoryA, krevtest::FakeSystemDirectory);
  SetBackupPath(backup);
  ASSERT_TRUE(WriteFileBytes(backup, "old backup"));
  auto box = ExpectBox(kBackupTitle, IDOK);
  int result = RunWordlibOperation(1);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(box.get().text, "备份词库失败。");
  EXPECT_EQ(ReadFileBytes(backup), "old backup");

  auto restoreBox = ExpectBox(kRestoreTitle, IDOK);
  EXPECT_EQ(ReportFailedRun(0), 1);
  EXPECT_EQ(restoreBox.get().text, "恢复词库失败。");
}

}  // namespace
