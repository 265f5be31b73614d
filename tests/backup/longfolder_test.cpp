// Libraries and backups in long folders: every folder length up to the path limit, the new file
// written beside the target, names that are already taken, and folders where no new name fits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <future>
#include <set>

#include "backup_testutil.h"
#include "calls.h"
#include "codec.h"
#include "responder.h"
#include "run.h"
#include "seams.h"
#include "testenv.h"

using krevtest::ReadFileBytes;
using krevtest::ScratchDir;
using krevtest::WriteFileBytes;
using lvtest::LongFolder;

namespace {

const std::string kOldLibrary = "the library before the run";
const std::string kContent = "the library that is backed up and restored";
constexpr size_t kLongestPath = MAX_PATH - 1;

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

// A file name of `length` characters: `letter`s and then `ending` when there is room for both.
std::string NameOfLength(size_t length, char letter, const std::string& ending) {
  if (length > ending.size()) return std::string(length - ending.size(), letter) + ending;
  return std::string(length, letter);
}

// The folder as the run's first write into its new file found it: a test replaces the codec's write
// call for the length of a run, so it sees the new file while it exists.
std::string g_watchedFolder;
std::vector<std::string> g_namesWhileWriting;
bool g_wrote = false;

BOOL WINAPI WatchingWrite(HANDLE h, LPCVOID data, DWORD n, LPDWORD done, LPOVERLAPPED ov) {
  if (!g_wrote) {
    g_wrote = true;
    g_namesWhileWriting = lvtest::FolderNames(g_watchedFolder);
  }
  return WriteFile(h, data, n, done, ov);
}

class FolderWatch {
 public:
  explicit FolderWatch(const std::string& folder) {
    g_watchedFolder = folder;
    g_namesWhileWriting.clear();
    g_wrote = false;
  }
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  // The one name that was in the folder while the run wrote and not before it; empty when the run
  // did not write or when anything else appeared.
  std::string NewName(const std::vector<std::string>& before) const {
    std::vector<std::string> added;
    std::set<std::string> had;
    for (const std::string& n : before) had.insert(Lower(n));
    for (const std::string& n : g_namesWhileWriting) {
      if (!had.count(Lower(n))) added.push_back(n);
    }
    return g_wrote && added.size() == 1 ? added[0] : std::string();
  }

 private:
  krevtest::ScopedCall<decltype(TLexVaultCalls::WriteFile)> write_{LexVaultCalls.WriteFile, WatchingWrite};
};

class LongFolderTest : public ::testing::Test {
 protected:
  lvtest::SettingsValues values;
  ScratchDir scratch{"lexvault-long"};

  void SetUp() override { ResetRun(); }
  void TearDown() override { ResetRun(); }
  static void ResetRun() {
    BackupFilePath[0] = '\0';
    WordlibFilePath[0] = '\0';
    ShowMessages = 1;
  }

  // One run of the run function with its boxes answered (Yes to the restore question); the text of
  // the result box, or "" when none came.
  static std::string RunWithBoxes(int operation, const std::string& backup) {
    ResetRun();
    std::strcpy(BackupFilePath, backup.c_str());
    const char* title = operation ? kBackupTitle : kRestoreTitle;
    auto script = std::async(std::launch::async, [operation, title]() {
      if (!operation) lvtest::AnswerBox(kRestoreTitle, IDYES);
      return lvtest::AnswerBox(title, IDOK);
    });
    EXPECT_EQ(RunWordlibOperation(operation), 1);
    krevtest::SeenWindow box = script.get();
    return box.found ? box.text : std::string();
  }

  // What a backup file holds, restored into the scratch folder.
  std::string Restored(const std::string& backup) {
    std::string out = scratch / "check.dat";
    DeleteFileA(out.c_str());
    return DecompressFileTo(backup.c_str(), out.c_str()) == 0 ? ReadFileBytes(out) : "(not a backup)";
  }
};

// Every folder length from 240 to 259 characters, with the library and the backup file side by side:
// named "perlex.dat" and "bbbbbb.LXB" where that fits, and named so that the target's path is 259
// characters long (the limit) or one longer. A run that fits works; one that does not fails; the new
// file the run writes is never longer than its target's path, and the folder never keeps anything
// but what was there and the target.
TEST_F(LongFolderTest, EveryFolderLengthUpToThePathLimit) {
  std::string shortLib = scratch / "perlex.dat";
  std::string shortBackup = scratch / "wl.LXB";
  ASSERT_TRUE(WriteFileBytes(shortLib, kContent));
  ASSERT_EQ(CompressFileTo(shortLib.c_str(), shortBackup.c_str()), 0);

  for (size_t folderLength = 240; folderLength <= kLongestPath; ++folderLength) {
    LongFolder dir(folderLength);
    ASSERT_TRUE(dir.made()) << folderLength;
    std::set<size_t> nameLengths;
    if (folderLength + 1 + 10 <= kLongestPath) nameLengths.insert(10);
    for (size_t targetLength : {kLongestPath, kLongestPath + 1}) {
      if (targetLength > folderLength + 1) nameLengths.insert(targetLength - folderLength - 1);
    }
    if (nameLengths.empty()) nameLengths.insert(1);  // a folder of 259: any file in it is too long

    for (size_t nameLength : nameLengths) {
      const std::string lib = dir / (nameLength == 10 ? "perlex.dat" : NameOfLength(nameLength, 'p', ".dat"));
      const std::string backup = dir / NameOfLength(nameLength, 'b', ".LXB");
      const std::string libName = lib.substr(dir.path().size() + 1);
      const std::string backupName = backup.substr(dir.path().size() + 1);
      SCOPED_TRACE("folder of " + std::to_string(folderLength) + ", target path of " +
                   std::to_string(lib.size()));

      if (lib.size() > kLongestPath) {
        // No such path can be given to the program; the codec refuses it and writes nothing.
        EXPECT_EQ(CompressFileTo(shortLib.c_str(), backup.c_str()), -1);
        EXPECT_EQ(DecompressFileTo(shortBackup.c_str(), lib.c_str()), -1);
        EXPECT_TRUE(lvtest::FolderNames(dir.path()).empty());
        continue;
      }
      values.SetUserWordlib(lib);
      const std::vector<std::string> both = Sorted({libName, backupName});

      // Backup into a new file, then restore over the library, each with its boxes.
      ASSERT_TRUE(WriteFileBytes(lib, kContent));
      {
        FolderWatch watch(dir.path());
        EXPECT_EQ(RunWithBoxes(1, backup), "备份词库成功。");
        std::string added = watch.NewName({libName});
        EXPECT_NE(added, "");
        EXPECT_NE(Lower(added), Lower(backupName));
        EXPECT_LE(dir.path().size() + 1 + added.size(), backup.size()) << added;
      }
      EXPECT_EQ(Sorted(lvtest::FolderNames(dir.path())), both);
      EXPECT_EQ(Restored(backup), kContent);

      ASSERT_TRUE(WriteFileBytes(lib, kOldLibrary));
      {
        FolderWatch watch(dir.path());
        EXPECT_EQ(RunWithBoxes(0, backup), "恢复词库成功。");
        std::string added = watch.NewName(both);
        EXPECT_NE(added, "");
        EXPECT_LE(dir.path().size() + 1 + added.size(), lib.size()) << added;
      }
      EXPECT_EQ(ReadFileBytes(lib), kContent);
      EXPECT_EQ(Sorted(lvtest::FolderNames(dir.path())), both);

      // A restore that fails after it wrote (data after the member), and a backup of a missing library.
      const std::string backupBytes = ReadFileBytes(backup);
      ASSERT_TRUE(WriteFileBytes(backup, backupBytes + "trailing bytes"));
      ASSERT_TRUE(WriteFileBytes(lib, kOldLibrary));
      {
        FolderWatch watch(dir.path());
        EXPECT_EQ(RunWithBoxes(0, backup), "恢复词库失败。");
        EXPECT_NE(watch.NewName(both), "");
      }
      EXPECT_EQ(ReadFileBytes(lib), kOldLibrary);
      EXPECT_EQ(Sorted(lvtest::FolderNames(dir.path())), both);

      ASSERT_TRUE(DeleteFileA(lib.c_str()));
      EXPECT_EQ(RunWithBoxes(1, backup), "备份词库失败。");
      EXPECT_EQ(ReadFileBytes(backup), backupBytes + "trailing bytes");
      EXPECT_EQ(lvtest::FolderNames(dir.path()), std::vector<std::string>{backupName});
      DeleteFileA(backup.c_str());
    }
  }
}

// Names the new file would take are passed over when something already has them: other files, the
// run's own source, and the target's own name. The run then writes under the next free name, and
// nothing that was there changes. The folder is one whose target paths are at the limit.
TEST_F(LongFolderTest, TakenNamesArePassedOver) {
  LongFolder dir(kLongestPath - 1 - 10);
  ASSERT_TRUE(dir.made());
  struct Case {
    const char* what;
    int operation;
    std::string source;               // in the folder
    std::string target;               // in the folder; exists for a restore
    std::vector<std::string> taken;   // in the folder before the run
    std::string expected;             // the new file's name
  };
  const Case cases[] = {
      {"restore, three names taken, one in capitals", 0, "wl.LXB", "perlex.dat",
       {"perlex.~00", "PERLEX.~01", "perlex.~02"}, "perlex.~03"},
      {"restore from a file with the first name", 0, "perlex.~00", "perlex.dat", {}, "perlex.~01"},
      {"backup of a library with the first name", 1, "wl.~00", "wl.LXB", {"wl.~01"}, "wl.~02"},
      {"backup into a new file with the first name", 1, "perlex.dat", "wl.~00", {}, "wl.~01"},
      {"a double-byte character is replaced whole", 0, "wl.LXB", "a词bc", {}, "a~000"},
      {"a name of two characters", 1, "perlex.dat", "wl", {"~0"}, "~1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    krevtest::RemoveTree(dir.path() + "\\");
    ASSERT_TRUE(CreateDirectoryA(dir.path().c_str(), nullptr));
    const std::string lib = dir / (c.operation ? c.source : c.target);
    const std::string backup = dir / (c.operation ? c.target : c.source);
    ASSERT_TRUE(WriteFileBytes(lib, kContent));
    if (!c.operation) {
      ASSERT_EQ(CompressFileTo(lib.c_str(), backup.c_str()), 0);
      ASSERT_TRUE(WriteFileBytes(lib, kOldLibrary));
    }
    for (const std::string& name : c.taken) ASSERT_TRUE(WriteFileBytes(dir / name, "taken: " + name));
    const std::vector<std::string> before = lvtest::FolderNames(dir.path());
    values.SetUserWordlib(lib);

    FolderWatch watch(dir.path());
    EXPECT_EQ(RunWithBoxes(c.operation, backup), c.operation ? "备份词库成功。" : "恢复词库成功。");
    EXPECT_EQ(watch.NewName(before), c.expected);

    std::vector<std::string> after = before;
    after.push_back(c.target);
    std::sort(after.begin(), after.end());
    after.erase(std::unique(after.begin(), after.end()), after.end());
    EXPECT_EQ(Sorted(lvtest::FolderNames(dir.path())), after);
    for (const std::string& name : c.taken) EXPECT_EQ(ReadFileBytes(dir / name), "taken: " + name);
    if (c.operation) {
      EXPECT_EQ(ReadFileBytes(lib), kContent);
      EXPECT_EQ(Restored(backup), kContent);
    } else {
      EXPECT_EQ(ReadFileBytes(lib), kContent);
    }
  }
}

// A one-character name at the limit can only become another letter or digit. When all of them are
// taken no new name fits: the run fails with its box and writes nothing; once one is free it works.
TEST_F(LongFolderTest, NoFreeNameThatFitsFailsTheRunCleanly) {
  LongFolder dir(kLongestPath - 2);
  ASSERT_TRUE(dir.made());
  const std::string lib = dir / "p";
  const std::string backup = dir / "b";
  ASSERT_TRUE(WriteFileBytes(lib, kContent));
  ASSERT_EQ(CompressFileTo(lib.c_str(), backup.c_str()), 0);
  const std::string backupBytes = ReadFileBytes(backup);
  ASSERT_TRUE(WriteFileBytes(lib, kOldLibrary));
  for (char c : std::string("0123456789abcdefghijklmnopqrstuvwxyz")) {
    if (c != 'p' && c != 'b') {
      ASSERT_TRUE(WriteFileBytes(dir / std::string(1, c), "taken"));
    }
  }
  const std::vector<std::string> before = Sorted(lvtest::FolderNames(dir.path()));
  ASSERT_EQ(before.size(), 36u);
  values.SetUserWordlib(lib);

  EXPECT_EQ(RunWithBoxes(0, backup), "恢复词库失败。");
  EXPECT_EQ(ReadFileBytes(lib), kOldLibrary);
  EXPECT_EQ(RunWithBoxes(1, backup), "备份词库失败。");
  EXPECT_EQ(ReadFileBytes(backup), backupBytes);
  EXPECT_EQ(Sorted(lvtest::FolderNames(dir.path())), before);
  for (const std::string& name : before) {
    if (name != "p" && name != "b") {
      EXPECT_EQ(ReadFileBytes(dir / name), "taken");
    }
  }

  ASSERT_TRUE(DeleteFileA((dir / "z").c_str()));
  std::vector<std::string> afterwards = before;
  afterwards.erase(std::find(afterwards.begin(), afterwards.end(), "z"));
  FolderWatch watch(dir.path());
  EXPECT_EQ(RunWithBoxes(0, backup), "恢复词库成功。");
  EXPECT_EQ(watch.NewName(afterwards), "z");
  EXPECT_EQ(ReadFileBytes(lib), kContent);
  EXPECT_EQ(Sorted(lvtest::FolderNames(dir.path())), afterwards);
}

// lexvault.exe with "/b" and "/r" on libraries in long folders: at a few lengths the backup, the
// silent restore and a silent restore that fails, each with its exit code, and a "/b" target one
// character past the limit. Only the library and the backup file are ever left in the folder.
TEST_F(LongFolderTest, CommandLineBackupAndRestoreAsRealProcesses) {
  const std::string exe = "\"" + krevtest::InstallDir() + "lexvault.exe\"";
  ASSERT_TRUE(krevtest::FileExists(krevtest::InstallDir() + "lexvault.exe"));
  auto run = [&exe](const std::string& args, const char* boxTitle, std::string* boxText) {
    std::future<krevtest::SeenWindow> box;
    if (boxTitle) box = std::async(std::launch::async, [boxTitle]() {
      return lvtest::AnswerBox(boxTitle, IDOK, std::chrono::seconds(60));
    });
    long code = krevtest::RunProcess(exe + " " + args, 120000);
    if (boxTitle) *boxText = box.get().text;
    return code;
  };

  for (size_t folderLength : {size_t{248}, size_t{251}, size_t{254}, size_t{257}}) {
    LongFolder dir(folderLength);
    ASSERT_TRUE(dir.made());
    const size_t nameLength = kLongestPath - folderLength - 1;
    const std::string lib = dir / (nameLength == 10 ? "perlex.dat" : NameOfLength(nameLength, 'p', ".dat"));
    const std::string backup = dir / NameOfLength(nameLength, 'b', ".LXB");
    SCOPED_TRACE("folder of " + std::to_string(folderLength));
    ASSERT_EQ(lib.size(), kLongestPath);
    const std::vector<std::string> both =
        Sorted({lib.substr(dir.path().size() + 1), backup.substr(dir.path().size() + 1)});
    values.SetUserWordlib(lib);
    ASSERT_TRUE(WriteFileBytes(lib, kContent));

    std::string text;
    EXPECT_EQ(run("/b " + backup, kBackupTitle, &text), 1);
    EXPECT_EQ(text, "备份词库成功。");
    EXPECT_EQ(Restored(backup), kContent);
    EXPECT_EQ(Sorted(lvtest::FolderNames(dir.path())), both);

    ASSERT_TRUE(WriteFileBytes(lib, kOldLibrary));
    EXPECT_EQ(run("/r " + backup, nullptr, nullptr), 1);
    EXPECT_EQ(ReadFileBytes(lib), kContent);
    EXPECT_EQ(Sorted(lvtest::FolderNames(dir.path())), both);

    ASSERT_TRUE(WriteFileBytes(backup, ReadFileBytes(backup) + "trailing bytes"));
    ASSERT_TRUE(WriteFileBytes(lib, kOldLibrary));
    EXPECT_EQ(run("/r " + backup, nullptr, nullptr), 1);
    EXPECT_EQ(ReadFileBytes(lib), kOldLibrary);
    EXPECT_EQ(Sorted(lvtest::FolderNames(dir.path())), both);
  }

  LongFolder full(kLongestPath - 1);
  ASSERT_TRUE(full.made());
  const std::string lib = scratch / "perlex.dat";
  ASSERT_TRUE(WriteFileBytes(lib, kContent));
  values.SetUserWordlib(lib);
  std::string text;
  EXPECT_EQ(run("/b " + (full / "b"), kBackupTitle, &text), 1);
  EXPECT_EQ(text, "备份词库失败。");
  EXPECT_TRUE(lvtest::FolderNames(full.path()).empty());
}

}  // namespace
