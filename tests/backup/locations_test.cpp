// Where the program finds the user word library and the input method's files.
#include <gtest/gtest.h>

#include <cstring>

#include "backup_testutil.h"
#include "calls.h"
#include "front.h"
#include "locations.h"
#include "seams.h"
#include "testenv.h"

using lvtest::Dword;
using lvtest::SettingsValues;

namespace {

std::string ImeDir() { return krevtest::InstallDir(); }
std::string UserDir() { return krevtest::DefaultUserDataDir(); }

std::string Resolved() {
  char buf[kPathBufferSize];
  std::memset(buf, 'x', sizeof buf);
  ResolveUserWordlibPath(buf);
  return buf;
}

TEST(LocationsTest, RegistryStatesGiveTheUserWordLibrary) {
  SettingsValues values;
  const std::string explicitPath = "D:\\其他\\my lib.dat";
  struct Case {
    const char* what;
    const char* userWordlib;  // nullptr: absent
    std::string same;         // bytes of "使用同一用户词库"; empty: absent
    DWORD sameType;
    std::string expected;
  };
  const Case cases[] = {
      {"explicit file wins over the machine flag", explicitPath.c_str(), Dword(1), REG_DWORD, explicitPath},
      {"explicit file alone", explicitPath.c_str(), "", REG_DWORD, explicitPath},
      {"empty explicit file, machine flag 1", "", Dword(1), REG_DWORD, ImeDir() + "perlex.dat"},
      {"machine flag 1", nullptr, Dword(1), REG_DWORD, ImeDir() + "perlex.dat"},
      {"machine flag 0", nullptr, Dword(0), REG_DWORD, UserDir() + "perlex.dat"},
      {"machine flag 2", nullptr, Dword(2), REG_DWORD, UserDir() + "perlex.dat"},
      {"machine flag in 8 bytes", nullptr, Dword(1) + Dword(0), REG_BINARY, UserDir() + "perlex.dat"},
      {"machine flag in 2 bytes counts the rest as zero", nullptr, std::string("\x01\x00", 2), REG_BINARY,
       ImeDir() + "perlex.dat"},
      {"no value at all", nullptr, "", REG_DWORD, UserDir() + "perlex.dat"},
      {"explicit file longer than the buffer counts as absent", nullptr, Dword(1), REG_DWORD, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    values.ClearBoth();
    std::string expected = c.expected;
    if (c.userWordlib) values.SetUserWordlib(c.userWordlib);
    if (expected.empty()) {
      values.SetUserWordlib("C:\\" + std::string(300, 'a') + "\\perlex.dat");
      expected = ImeDir() + "perlex.dat";
    }
    if (!c.same.empty()) values.SetSameWordlib(c.same, c.sameType);
    EXPECT_EQ(Resolved(), expected);
    char viaTable[kPathBufferSize];
    EXPECT_EQ(GetUserWordlibFile(viaTable), 1);
    EXPECT_EQ(std::string(viaTable), expected);
    EXPECT_EQ(GetImeFilePath(0, USER_WORDLIB, viaTable), 1);
    EXPECT_EQ(std::string(viaTable), expected);
  }
}

TEST(LocationsTest, ReadSettingsRegValueEndsTextsAndReportsFailures) {
  SettingsValues values;
  char buf[kPathBufferSize];
  std::memset(buf, 'x', sizeof buf);
  EXPECT_EQ(ReadSettingsRegValue(1, REG_SZ, sizeof buf, "用户词库文件", buf), 0);
  EXPECT_EQ(buf[0], '\0');

  // A text stored without its ending zero.
  krevtest::WriteRaw(HKEY_CURRENT_USER, "用户词库文件", REG_SZ, "C:\\a.dat");
  std::memset(buf, 'x', sizeof buf);
  EXPECT_EQ(ReadSettingsRegValue(1, REG_SZ, sizeof buf, "用户词库文件", buf), 1);
  EXPECT_STREQ(buf, "C:\\a.dat");

  DWORD v = 7;
  values.SetSameWordlib(Dword(1) + Dword(1), REG_BINARY);
  EXPECT_EQ(ReadSettingsRegValue(0, REG_DWORD, sizeof v, "使用同一用户词库", &v), 0);
}

// Stand-ins for the platform where it cannot fail on demand.
const char* g_folder = nullptr;
HRESULT g_folderResult = S_OK;
int g_loads = 0;

HRESULT WINAPI FakeGetFolderPath(HWND, int csidl, HANDLE, DWORD flags, LPSTR out) {
  if (csidl != 0x801A || flags != 0) return E_INVALIDARG;
  std::strcpy(out, g_folder);
  return g_folderResult;
}
HMODULE WINAPI NoLibrary(LPCSTR) { return nullptr; }
HMODULE WINAPI RealLibraryCounted(LPCSTR name) {
  ++g_loads;
  return LoadLibraryA(name);
}
FARPROC WINAPI NoFunction(HMODULE, LPCSTR) { return nullptr; }
FARPROC WINAPI FakeFunction(HMODULE, LPCSTR name) {
  return std::strcmp(name, "SHGetFolderPathA") == 0 ? reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(FakeGetFolderPath))
                                                     : nullptr;
}

TEST(LocationsTest, UserDataDirFallsBackToTheImeDirWithoutShfolder) {
  SettingsValues values;
  krevtest::ScopedCalls seams(LexVaultCalls);
  char buf[kPathBufferSize];

  LexVaultCalls.LoadLibraryA = NoLibrary;
  EXPECT_EQ(GetUserDataDir(buf), 0);
  EXPECT_EQ(std::string(buf), ImeDir());
  EXPECT_EQ(Resolved(), ImeDir() + "perlex.dat");

  LexVaultCalls.LoadLibraryA = RealLibraryCounted;
  LexVaultCalls.GetProcAddress = NoFunction;
  EXPECT_EQ(GetUserDataDir(buf), 0);
  EXPECT_EQ(std::string(buf), ImeDir());

  LexVaultCalls.GetProcAddress = FakeFunction;
  g_folder = "C:\\somewhere";
  g_folderResult = E_FAIL;
  EXPECT_EQ(GetUserDataDir(buf), 0);
  EXPECT_EQ(std::string(buf), ImeDir());

  g_folderResult = S_OK;
  EXPECT_EQ(GetUserDataDir(buf), 1);
  EXPECT_STREQ(buf, "C:\\somewhere\\VARDEKO\\");

  // A folder that leaves no room for the rest is never cut into another path.
  std::string longFolder = "C:\\" + std::string(252, 'f');
  g_folder = longFolder.c_str();
  GetUserDataDir(buf);
  EXPECT_STREQ(buf, "");
  EXPECT_EQ(Resolved(), "");
  EXPECT_EQ(GetUserWordlibFile(buf), 0);
  EXPECT_STREQ(buf, "");
  EXPECT_EQ(GetImeFilePath(1, INTAKE_LOG, buf), 0);
  EXPECT_STREQ(buf, "");

  // The real library, loaded and freed on each call.
  LexVaultCalls.GetProcAddress = LexVaultRealCalls.GetProcAddress;
  g_loads = 0;
  EXPECT_EQ(GetUserDataDir(buf), 1);
  EXPECT_EQ(GetUserDataDir(buf), 1);
  EXPECT_EQ(g_loads, 2);
  EXPECT_EQ(std::string(buf), UserDir());
}

TEST(LocationsTest, FileTableJoinsEachNameWithItsBase) {
  SettingsValues values;
  const char* names[] = {"kvengine.exe", "krevcfg.exe", "vardekosp.ini", "punctdef.ini", "phrasedef.ini",
                         "vardeko.chm",  "baselex.dat", nullptr,         "qmtab.dat",    "glyphrank.dat",
                         "glyphmem.dat", "vardekosp.ksc", "intake.log",  "lexvault.exe", "zorvask.exe"};
  char buf[kPathBufferSize];
  for (int id = 0; id <= 14; ++id) {
    SCOPED_TRACE(id);
    std::string name = names[id] ? names[id] : "perlex.dat";
    EXPECT_EQ(GetImeFilePath(0, id, buf), 1);
    EXPECT_EQ(std::string(buf), (names[id] ? ImeDir() : UserDir()) + name);
    EXPECT_EQ(GetImeFilePath(1, id, buf), 1);
    EXPECT_EQ(std::string(buf), UserDir() + name);
  }
  for (int id : {15, -1, 1000}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(GetImeFilePath(0, id, buf), 0);
    EXPECT_EQ(std::string(buf), ImeDir());
    EXPECT_EQ(GetImeFilePath(1, id, buf), 0);
    EXPECT_EQ(std::string(buf), UserDir());
  }
  GetSystemImeDir(buf);
  EXPECT_EQ(std::string(buf), ImeDir());
}

TEST(LocationsTest, OverlongSystemDirectoryGivesNoPathAndNoHelpAddress) {
  krevtest::ScopedCall systemDir(LexVaultCalls.GetSystemDirectoryA, krevtest::FakeSystemDirectory);
  char buf[kPathBufferSize];
  struct Case {
    size_t length;
    bool imeDir;
    bool help;
  };
  // "\IME\VARDEKO\" adds 13 bytes, "vardeko.chm::/270-词库的备份和恢复.htm" 38 more (GBK).
  const Case cases[] = {{200, true, true}, {208, true, true}, {209, true, false}, {246, true, false}, {247, false, false},
                        {300, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    std::string dir = "C:\\" + std::string(c.length - 3, 's');
    krevtest::FakeSystemDir = {dir};
    GetSystemImeDir(buf);
    EXPECT_EQ(std::string(buf), c.imeDir ? dir + "\\IME\\VARDEKO\\" : "");
    EXPECT_EQ(BuildHelpAddress(buf), c.help);
    EXPECT_EQ(std::string(buf), c.help ? dir + "\\IME\\VARDEKO\\vardeko.chm::/270-词库的备份和恢复.htm" : "");
  }
}

}  // namespace
