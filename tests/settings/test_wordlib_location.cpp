// The rule that finds the user word library (common/userwordlib) over one table of registry states
// and application-data folders: the path it gives for each, and the word-library mode that the
// settings model derives from the same state. Then each program that names the library (LexVault,
// which backs it up and restores it; the krevset.dll stand-in, through which the settings centre
// generates it and imports into it; the settings model, which shows the stand-in's answer) names the
// one the rule names, for a state that no other reading of the two values answers the same way.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "krevset.h"
#include "locations.h"
#include "testenv.h"
#include "uConfig.h"
#include "userwordlib.h"

using namespace krevtest;

namespace {

typedef KREVBOOL(__stdcall* Getter)(char*);

const char kFileValue[] = "用户词库文件";
const char kSameValue[] = "使用同一用户词库";
const char kUserShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// A stored registry value: its type and its bytes exactly as stored (texts with or without their
// zero byte), or no value at all.
using Stored = RawValue;
Stored Absent() { return Stored(); }
Stored Raw(DWORD type, const std::string& bytes) { return {true, type, bytes}; }
Stored Sz(const std::string& text) { return Raw(REG_SZ, text + std::string(1, '\0')); }

// Where the two values go; normally "用户词库文件" under the current user and "使用同一用户词库"
// under the local machine.
enum class Keys {
  Usual,
  Swapped,        // each value under the other root
  Empty,          // both keys there, holding nothing but the values given
  NoUserKey,      // the per-user key missing ("用户词库文件" not written)
  NoMachineKey,   // the machine-wide key missing ("使用同一用户词库" not written)
};

// The application-data folder as the shell finds it: the "AppData" entry under the current user's
// User Shell Folders. The shell writes the folder it found to Shell Folders; both are put back.
class AppDataFolder {
 public:
  void Set(const std::string& folder) {
    WriteRaw(HKEY_CURRENT_USER, kUserShellFolders, "AppData", REG_EXPAND_SZ, folder + std::string(1, '\0'));
  }
  void Restore() {
    user_.Restore();
    shell_.Restore();
  }

 private:
  ValueGuard user_{HKEY_CURRENT_USER, kUserShellFolders, "AppData"};
  ValueGuard shell_{HKEY_CURRENT_USER, kShellFolders, "AppData"};
};

struct Row {
  std::string what;
  Stored file;          // "用户词库文件"
  Stored same;          // "使用同一用户词库"
  Keys keys;
  std::string appData;  // the application-data folder for this row; empty: the prefix's own
  std::string expected; // the user word library by the rule; empty: none can be named
  int configMode;       // the word-library mode the settings model derives
};

class WordlibLocationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, module_) << "krevset.dll not installed";
    standInWordlib_ = reinterpret_cast<Getter>(reinterpret_cast<void*>(GetProcAddress(module_, "krevGetUserWordlibPath")));
    standInUserData_ = reinterpret_cast<Getter>(reinterpret_cast<void*>(GetProcAddress(module_, "krevGetUserDataPath")));
    ASSERT_NE(nullptr, standInWordlib_);
    ASSERT_NE(nullptr, standInUserData_);
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }

  static void Write(HKEY root, const char* name, const Stored& v) {
    if (v.found) WriteRaw(root, name, v.type, v.data);
  }

  static void Prepare(const Row& r) {
    krevtest::DeleteSettingsKeys();
    switch (r.keys) {
      case Keys::Usual:
      case Keys::Empty:
        if (r.keys == Keys::Empty) {
          CreateSettingsKey(HKEY_CURRENT_USER);
          CreateSettingsKey(HKEY_LOCAL_MACHINE);
        }
        Write(HKEY_CURRENT_USER, kFileValue, r.file);
        Write(HKEY_LOCAL_MACHINE, kSameValue, r.same);
        break;
      case Keys::Swapped:
        Write(HKEY_LOCAL_MACHINE, kFileValue, r.file);
        Write(HKEY_CURRENT_USER, kSameValue, r.same);
        break;
      case Keys::NoUserKey:
        Write(HKEY_LOCAL_MACHINE, kSameValue, r.same);
        break;
      case Keys::NoMachineKey:
        Write(HKEY_CURRENT_USER, kFileValue, r.file);
        break;
    }
  }

  // What a getter of the stand-in gives in a 255-byte buffer: the path when it succeeds; when it
  // fails, the buffer must be as it was.
  static std::string Ask(Getter get, bool* ok) {
    char buffer[KREV_PATH_BUFFER];
    std::memset(buffer, 0, sizeof buffer);
    std::strcpy(buffer, "untouched");
    *ok = get(buffer) != 0;
    std::string text(buffer, strnlen(buffer, sizeof buffer));
    if (!*ok) {
      EXPECT_EQ("untouched", text) << "a failing getter changed the buffer";
    }
    return *ok ? text : std::string();
  }

  void Run(const Row& r) {
    SCOPED_TRACE(r.what);
    if (!r.appData.empty()) appData_.Set(r.appData);
    Prepare(r);

    char resolved[krev::kPathBufferSize];
    std::memset(resolved, 'x', sizeof resolved);
    krev::ResolveUserWordlibPath(krev::LocationRealCalls, resolved);
    EXPECT_EQ(r.expected, std::string(resolved));

    // The settings model's mode comes from its own reading of the two values.
    TKrevConfig config;
    config.LoadFromRegistry();
    EXPECT_EQ(r.configMode, config.FWordlibMode);

    if (!r.appData.empty()) appData_.Restore();
  }

  HMODULE module_ = LoadLibraryA((krevtest::InstallDir() + "krevset.dll").c_str());
  Getter standInWordlib_ = nullptr;
  Getter standInUserData_ = nullptr;
  SettingsKeysGuard keys_;
  AppDataFolder appData_;
};

std::string Bytes(const char* text, size_t n) { return std::string(text, n); }

TEST_F(WordlibLocationTest, TheRuleForEveryRegistryState) {
  const std::string user = DefaultUserDataDir() + "perlex.dat";
  const std::string machine = krevtest::InstallDir() + "perlex.dat";
  const std::string mine = "D:\\其他\\my lib.dat";
  const Stored one = Raw(REG_DWORD, Dword(1));
  // Paths of a given length (ASCII, so characters are bytes).
  auto Long = [](size_t n) { return "C:\\" + std::string(n - 3, 'p'); };

  krevtest::ScratchDir scratch("wlloc");
  ASSERT_TRUE(krevtest::WriteFileBytes(scratch / "a file", "x"));
  // An application-data folder of n characters below the scratch folder.
  auto Folder = [&](size_t n) { return scratch.path() + std::string(n - scratch.path().size(), 'f'); };

  const std::vector<Row> rows = {
      // Which keys and roots hold the values.
      {"both keys missing", Absent(), Absent(), Keys::Usual, "", user, 0},
      {"both keys there, no values", Absent(), Absent(), Keys::Empty, "", user, 0},
      {"the file under the machine key, the flag under the user key", Sz(mine), one, Keys::Swapped, "", user, 0},
      {"no per-user key, flag 1", Absent(), one, Keys::NoUserKey, "", machine, 1},
      {"explicit file, no machine-wide key", Sz(mine), Absent(), Keys::NoMachineKey, "", mine, 2},

      // "使用同一用户词库" alone: at most 4 bytes of any type, missing bytes zero, equal to 1.
      {"flag DWORD 1", Absent(), one, Keys::Usual, "", machine, 1},
      {"flag DWORD 0", Absent(), Raw(REG_DWORD, Dword(0)), Keys::Usual, "", user, 0},
      {"flag DWORD 2 (settings model: mode 1)", Absent(), Raw(REG_DWORD, Dword(2)), Keys::Usual, "", user, 1},
      {"flag DWORD 0x101 (settings model: mode 1)", Absent(), Raw(REG_DWORD, Dword(0x101)), Keys::Usual, "", user, 1},
      {"flag DWORD in 1 byte", Absent(), Raw(REG_DWORD, Bytes("\x01", 1)), Keys::Usual, "", machine, 1},
      {"flag DWORD in 2 bytes", Absent(), Raw(REG_DWORD, Bytes("\x01\x00", 2)), Keys::Usual, "", machine, 1},
      {"flag DWORD in 3 bytes", Absent(), Raw(REG_DWORD, Bytes("\x01\x00\x00", 3)), Keys::Usual, "", machine, 1},
      {"flag DWORD 2 in 1 byte (settings model: mode 1)", Absent(), Raw(REG_DWORD, Bytes("\x02", 1)), Keys::Usual, "",
       user, 1},
      {"flag DWORD of no bytes", Absent(), Raw(REG_DWORD, ""), Keys::Usual, "", user, 0},
      {"flag DWORD in 8 bytes", Absent(), Raw(REG_DWORD, Dword(1) + Dword(0)), Keys::Usual, "", user, 0},
      {"flag 1 as 4 binary bytes (settings model: mode 0)", Absent(), Raw(REG_BINARY, Dword(1)), Keys::Usual, "",
       machine, 0},
      {"flag 1 as 1 binary byte (settings model: mode 0)", Absent(), Raw(REG_BINARY, Bytes("\x01", 1)), Keys::Usual, "",
       machine, 0},
      {"flag 1 as 8 binary bytes", Absent(), Raw(REG_BINARY, Dword(1) + Dword(0)), Keys::Usual, "", user, 0},
      {"flag 1 as a QWORD", Absent(), Raw(REG_QWORD, Dword(1) + Dword(0)), Keys::Usual, "", user, 0},
      {"flag as the text \"1\"", Absent(), Sz("1"), Keys::Usual, "", user, 0},
      {"flag 1 as a big-endian DWORD", Absent(), Raw(REG_DWORD_BIG_ENDIAN, Bytes("\0\0\0\x01", 4)), Keys::Usual, "",
       user, 0},

      // "用户词库文件": any type, into 260 bytes, up to its first zero byte; empty means none.
      {"explicit file and flag 1", Sz(mine), one, Keys::Usual, "", mine, 2},
      {"empty text and flag 1", Sz(""), one, Keys::Usual, "", machine, 1},
      {"text of no bytes and flag 1", Raw(REG_SZ, ""), one, Keys::Usual, "", machine, 1},
      {"expandable text, taken as stored", Raw(REG_EXPAND_SZ, Bytes("%APPDATA%\\x.dat", 16)), Absent(), Keys::Usual,
       "", "%APPDATA%\\x.dat", 2},
      {"text with a zero byte inside", Raw(REG_SZ, Bytes("D:\\a.dat\0junk", 14)), one, Keys::Usual, "", "D:\\a.dat", 2},
      {"text without its zero byte", Raw(REG_SZ, "D:\\a.dat"), one, Keys::Usual, "", "D:\\a.dat", 2},
      {"path in binary bytes with a zero byte (settings model: mode 1)", Raw(REG_BINARY, mine + '\0'), one, Keys::Usual,
       "", mine, 1},
      {"path in binary bytes without one (settings model: mode 0)", Raw(REG_BINARY, mine), Absent(), Keys::Usual, "",
       mine, 0},
      {"binary bytes starting with a zero byte, flag 1", Raw(REG_BINARY, Bytes("\0D:\\a.dat", 9)), one, Keys::Usual,
       "", machine, 1},
      {"path list (settings model: mode 1)", Raw(REG_MULTI_SZ, Bytes("D:\\a.dat\0D:\\b.dat\0\0", 19)), one,
       Keys::Usual, "", "D:\\a.dat", 1},
      {"DWORD whose bytes are \"a\" (settings model: mode 0)", Raw(REG_DWORD, Dword('a')), Absent(), Keys::Usual, "",
       "a", 0},
      {"path of 254 characters", Sz(Long(254)), one, Keys::Usual, "", Long(254), 2},
      {"path of 255 characters: past the getters' buffer", Sz(Long(255)), one, Keys::Usual, "", Long(255), 2},
      {"path of 259 characters and its zero byte", Sz(Long(259)), one, Keys::Usual, "", Long(259), 2},
      {"path of 259 characters without a zero byte", Raw(REG_SZ, Long(259)), one, Keys::Usual, "", Long(259), 2},
      {"260 characters without a zero byte count as none (settings model: mode 2)", Raw(REG_SZ, Long(260)), one,
       Keys::Usual, "", machine, 2},
      {"260 characters and a zero byte count as none (settings model: mode 2)", Sz(Long(260)), one, Keys::Usual, "",
       machine, 2},
      {"300 characters count as none (settings model: mode 2)", Sz(Long(300)), Absent(), Keys::Usual, "", user, 2},

      // The application-data folder.
      {"no application-data folder: the system IME directory", Absent(), Absent(), Keys::Usual,
       scratch / "a file\\below", machine, 0},
      {"no application-data folder, explicit file", Sz(mine), Absent(), Keys::Usual, scratch / "a file\\below", mine,
       2},
      {"application data in a drive's root", Absent(), Absent(), Keys::Usual, "C:\\", "C:\\\\VARDEKO\\perlex.dat", 0},
      {"application-data folder of 235 characters", Absent(), Absent(), Keys::Usual, Folder(235),
       Folder(235) + "\\VARDEKO\\perlex.dat", 0},
      {"application-data folder of 236 characters: past the getters' buffer", Absent(), Absent(), Keys::Usual,
       Folder(236), Folder(236) + "\\VARDEKO\\perlex.dat", 0},
      {"application-data folder of 240 characters", Absent(), Absent(), Keys::Usual, Folder(240),
       Folder(240) + "\\VARDEKO\\perlex.dat", 0},
      {"application-data folder of 241 characters: no path fits", Absent(), Absent(), Keys::Usual, Folder(241), "", 0},
      {"application-data folder of 241 characters, flag 1", Absent(), one, Keys::Usual, Folder(241), machine, 1},
  };
  for (const Row& r : rows) Run(r);
}

// A state that only the rule answers as the rule does: the machine-wide flag stored as 2, which the
// settings model's own reading takes for one library per machine and the rule does not, with an
// application-data folder of the test's own, which only the rule's folder lookup finds.
TEST_F(WordlibLocationTest, EveryProgramNamesTheLibraryTheRuleNames) {
  krevtest::ScratchDir scratch("wlusers");
  const std::string folder = scratch / "应用数据";
  appData_.Set(folder);
  Prepare({"flag DWORD 2", Absent(), Raw(REG_DWORD, Dword(2)), Keys::Usual, folder, "", 1});

  char rule[krev::kPathBufferSize];
  krev::ResolveUserWordlibPath(krev::LocationRealCalls, rule);
  char ruleData[krev::kPathBufferSize];
  krev::GetUserDataDir(krev::LocationRealCalls, ruleData);
  ASSERT_EQ(folder + "\\VARDEKO\\perlex.dat", std::string(rule));
  ASSERT_EQ(folder + "\\VARDEKO\\", std::string(ruleData));

  char lexvault[kPathBufferSize];
  std::memset(lexvault, 'x', sizeof lexvault);
  EXPECT_EQ(1, GetUserWordlibFile(lexvault));
  char lexvaultData[kPathBufferSize];
  std::memset(lexvaultData, 'x', sizeof lexvaultData);
  EXPECT_EQ(1, GetUserDataDir(lexvaultData));
  bool named = false, dataNamed = false;
  const std::string standIn = Ask(standInWordlib_, &named);
  const std::string standInData = Ask(standInUserData_, &dataNamed);
  EXPECT_TRUE(named);
  EXPECT_TRUE(dataNamed);
  TKrevConfig config;
  config.LoadFromRegistry();

  const struct {
    const char* who;
    std::string wordlib, userData;
  } users[] = {
      {"LexVault", lexvault, lexvaultData},
      {"krevset.dll", standIn, standInData},
      {"the settings model, through krevset.dll", config.FUserWordlibPath, config.FUserDataDir},
  };
  for (const auto& u : users) {
    SCOPED_TRACE(u.who);
    EXPECT_EQ(std::string(rule), u.wordlib);
    EXPECT_EQ(std::string(ruleData), u.userData);
  }
  EXPECT_EQ(1, config.FWordlibMode);
  appData_.Restore();
}

}  // namespace
