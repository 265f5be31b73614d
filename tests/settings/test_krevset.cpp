// The krevset.dll stand-in as installed: its exports, its directory rules, the three user
// word-library modes, buffer limits, word-library generation, word import and the key-scheme file.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "krevset.h"
#include "testenv.h"

using namespace krevtest;

namespace {

typedef KREVBOOL(__stdcall* Getter)(char*);
typedef KREVBOOL(__stdcall* Action)(void);
typedef KREVBOOL(__stdcall* Import)(const char*);

// The installed library, bound by the plain export names as the programs bind them.
class Library {
 public:
  Library() : module_(LoadLibraryA((krevtest::InstallDir() + "krevset.dll").c_str())) {}
  ~Library() {
    if (module_) FreeLibrary(module_);
  }
  HMODULE module() const { return module_; }
  FARPROC Proc(const char* name) const { return module_ ? GetProcAddress(module_, name) : nullptr; }
  Getter GetterOf(const char* name) const { return reinterpret_cast<Getter>(reinterpret_cast<void*>(Proc(name))); }
  Action ActionOf(const char* name) const { return reinterpret_cast<Action>(reinterpret_cast<void*>(Proc(name))); }

  std::string Path(const char* getter, bool* ok = nullptr) const {
    char buffer[KREV_PATH_BUFFER] = {};
    KREVBOOL r = GetterOf(getter)(buffer);
    if (ok) *ok = r != 0;
    return std::string(buffer, strnlen(buffer, sizeof buffer));
  }

 private:
  HMODULE module_;
};

// Makes the user data directory for the test and removes it again if it was not there.
class UserDataDir {
 public:
  UserDataDir() : path_(DefaultUserDataDir()), made_(CreateDirectoryA(path_.c_str(), nullptr) != 0) {}
  ~UserDataDir() {
    if (made_) RemoveDirectoryA(path_.c_str());
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  bool made_;
};

class KrevsetTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(nullptr, lib_.module()) << "krevset.dll not installed"; }
  SettingsKeysGuard keys_;
  Library lib_;
};

TEST_F(KrevsetTest, ExportsTheTenFunctionsByPlainName) {
  for (const char* name : {"krevGetVardekoPath", "krevGetUserDataPath", "krevGetUserWordlibPath",
                           "krevGetChnsymPath", "krevGetSpdefPath", "krevGetSpewordsPath", "krevGenSPKSCFile",
                           "krevGenerateUserWordLib", "krevAddWordsFromTxtFile", "krevHelpSetting"})
    EXPECT_NE(nullptr, lib_.Proc(name)) << name;
}

TEST_F(KrevsetTest, DirectoriesAndDefinitionFiles) {
  bool ok = false;
  EXPECT_EQ(0, _stricmp(krevtest::InstallDir().c_str(), lib_.Path("krevGetVardekoPath", &ok).c_str()));
  EXPECT_TRUE(ok);
  const std::string data = lib_.Path("krevGetUserDataPath", &ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(DefaultUserDataDir(), data);
  EXPECT_EQ(data + "punctdef.ini", lib_.Path("krevGetChnsymPath"));
  EXPECT_EQ(data + "vardekosp.ini", lib_.Path("krevGetSpdefPath"));
  EXPECT_EQ(data + "phrasedef.ini", lib_.Path("krevGetSpewordsPath"));
}

struct ModeCase {
  const char* label;
  const char* file;  // "用户词库文件", nullptr: missing
  int machine;       // "使用同一用户词库", -1: missing
  int expected;      // 0 user data dir, 1 installation dir, 2 the file itself
};

TEST_F(KrevsetTest, UserWordlibByTheThreeModes) {
  const std::vector<ModeCase> cases = {
      {"nothing stored", nullptr, -1, 0},
      {"machine flag 0", nullptr, 0, 0},
      {"machine flag 1", nullptr, 1, 1},
      {"machine flag other than 1", nullptr, 2, 0},
      {"empty explicit file", "", 1, 1},
      {"explicit file wins", "E:\\词库\\mine.dat", 1, 2},
      {"explicit file alone", "E:\\词库\\mine.dat", -1, 2},
  };
  for (const ModeCase& k : cases) {
    SCOPED_TRACE(k.label);
    krevtest::DeleteSettingsKeys();
    if (k.file) WriteText(HKEY_CURRENT_USER, "用户词库文件", k.file);
    if (k.machine >= 0) WriteDword(HKEY_LOCAL_MACHINE, "使用同一用户词库", DWORD(k.machine));
    bool ok = false;
    std::string path = lib_.Path("krevGetUserWordlibPath", &ok);
    EXPECT_TRUE(ok);
    if (k.expected == 0) {
      EXPECT_EQ(DefaultUserDataDir() + "perlex.dat", path);
    }
    if (k.expected == 1) {
      EXPECT_EQ(0, _stricmp((krevtest::InstallDir() + "perlex.dat").c_str(), path.c_str())) << path;
    }
    if (k.expected == 2) {
      EXPECT_EQ(k.file, path);
    }
  }
}

TEST_F(KrevsetTest, PathThatWouldOverflowTheBufferFails) {
  Getter get = lib_.GetterOf("krevGetUserWordlibPath");
  // A 255-byte buffer followed by guard bytes that nothing may touch.
  char block[KREV_PATH_BUFFER + 16];

  const std::string fits = "C:\\" + std::string(KREV_PATH_BUFFER - 1 - 3, 'a');  // 254 characters
  WriteText(HKEY_CURRENT_USER, "用户词库文件", fits);
  memset(block, '#', sizeof block);
  EXPECT_NE(0, get(block));
  EXPECT_EQ(fits, std::string(block));
  EXPECT_EQ(std::string(16, '#'), std::string(block + KREV_PATH_BUFFER, 16));

  WriteText(HKEY_CURRENT_USER, "用户词库文件", fits + "b");  // 255 characters
  memset(block, '#', sizeof block);
  strcpy(block, "kept");
  EXPECT_EQ(0, get(block));
  EXPECT_EQ("kept", std::string(block));
  EXPECT_EQ(std::string(16, '#'), std::string(block + KREV_PATH_BUFFER, 16));

  // Longer than the system's path limit the value is taken as absent, as the backup program does.
  WriteText(HKEY_CURRENT_USER, "用户词库文件", "C:\\" + std::string(300, 'c'));
  bool ok = false;
  EXPECT_EQ(DefaultUserDataDir() + "perlex.dat", lib_.Path("krevGetUserWordlibPath", &ok));
  EXPECT_TRUE(ok);
}

// A library of 255 to 259 characters is one that LexVault finds but krevGetUserWordlibPath cannot
// name: the settings centre then takes it for missing and asks for a new one, which must not
// replace it; word import does not touch it either. At 254 characters both work.
TEST_F(KrevsetTest, ActionsLeaveALibraryThatTheGetterCannotName) {
  krevtest::ScratchDir dir("krevlong");
  const std::string folder = dir.path() + std::string(200 - dir.path().size(), 'd');
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  ASSERT_TRUE(krevtest::WriteFileBytes(dir / "w.txt", "你好 ni'hao\r\n"));
  Action generate = lib_.ActionOf("krevGenerateUserWordLib");
  Import import = reinterpret_cast<Import>(reinterpret_cast<void*>(lib_.Proc("krevAddWordsFromTxtFile")));
  UserDataDir data;
  FileGuard log(data.path() + "intake.log");
  const std::string base = krevtest::ReadFileBytes(krevtest::InstallDir() + "baselex.dat");
  ASSERT_FALSE(base.empty());
  for (size_t length : {255, 259, 254}) {
    SCOPED_TRACE(length);
    const std::string lib = folder + "\\" + std::string(length - folder.size() - 5, 'l') + ".dat";
    ASSERT_EQ(length, lib.size());
    const std::string words = "KREVLEX 1\r\n青岚\tqing'lan\r\n";
    ASSERT_TRUE(krevtest::WriteFileBytes(lib, words));
    WriteText(HKEY_CURRENT_USER, "用户词库文件", lib);
    const bool named = length <= KREV_PATH_BUFFER - 1;
    bool ok = false;
    EXPECT_EQ(named ? lib : std::string(), lib_.Path("krevGetUserWordlibPath", &ok));
    EXPECT_EQ(named, ok);
    EXPECT_EQ(named, import((dir / "w.txt").c_str()) != 0);
    EXPECT_EQ(named ? words + "你好\tni'hao\r\n" : words, krevtest::ReadFileBytes(lib));
    EXPECT_EQ(named, generate() != 0);
    EXPECT_EQ(named ? base : words, krevtest::ReadFileBytes(lib));
  }
}

TEST_F(KrevsetTest, GenerateReplacesTheLibraryWithTheSystemOne) {
  krevtest::ScratchDir dir("krevgen");
  const std::string target = dir / "我的词库.dat";
  ASSERT_TRUE(krevtest::WriteFileBytes(target, "old words"));
  WriteText(HKEY_CURRENT_USER, "用户词库文件", target);
  Action generate = lib_.ActionOf("krevGenerateUserWordLib");
  EXPECT_NE(0, generate());
  const std::string base = krevtest::ReadFileBytes(krevtest::InstallDir() + "baselex.dat");
  ASSERT_FALSE(base.empty());
  EXPECT_EQ(base, krevtest::ReadFileBytes(target));

  WriteText(HKEY_CURRENT_USER, "用户词库文件", dir / "missing\\folder\\p.dat");
  EXPECT_EQ(0, generate());
}

TEST_F(KrevsetTest, GenerateFailsWithoutTheSystemLibrary) {
  krevtest::ScratchDir dir("krevgen");
  WriteText(HKEY_CURRENT_USER, "用户词库文件", dir / "p.dat");
  const std::string base = krevtest::InstallDir() + "baselex.dat";
  FileGuard keep(base);
  ASSERT_TRUE(DeleteFileA(base.c_str()));
  EXPECT_EQ(0, lib_.ActionOf("krevGenerateUserWordLib")());
  EXPECT_FALSE(krevtest::FileExists(dir / "p.dat"));
}

// Moves an existing user data directory aside for the test and puts it back afterwards. Only a
// directory that the test itself made is removed.
class AbsentUserDataDir {
 public:
  AbsentUserDataDir() : path_(DefaultUserDataDir()), bare_(path_.substr(0, path_.size() - 1)), aside_(bare_ + ".krevtest") {
    if (GetFileAttributesA(bare_.c_str()) != INVALID_FILE_ATTRIBUTES)
      moved_ = MoveFileA(bare_.c_str(), aside_.c_str()) != 0;
    absent_ = GetFileAttributesA(bare_.c_str()) == INVALID_FILE_ATTRIBUTES;
  }
  ~AbsentUserDataDir() {
    if (absent_) krevtest::RemoveTree(path_);
    if (moved_) MoveFileA(aside_.c_str(), bare_.c_str());
  }
  bool absent() const { return absent_; }
  const std::string& path() const { return path_; }

 private:
  std::string path_, bare_, aside_;
  bool moved_ = false;
  bool absent_ = false;
};

TEST_F(KrevsetTest, GenerateInTheDefaultModeMakesTheUserDataDirectory) {
  AbsentUserDataDir data;
  ASSERT_TRUE(data.absent());
  EXPECT_NE(0, lib_.ActionOf("krevGenerateUserWordLib")());
  EXPECT_EQ(krevtest::ReadFileBytes(krevtest::InstallDir() + "baselex.dat"),
            krevtest::ReadFileBytes(data.path() + "perlex.dat"));
}

class ImportTest : public KrevsetTest {
 protected:
  ImportTest() : log_(data_.path() + "intake.log") {}
  bool Run(const std::string& list) {
    Import import = reinterpret_cast<Import>(reinterpret_cast<void*>(lib_.Proc("krevAddWordsFromTxtFile")));
    return import(list.c_str()) != 0;
  }
  UserDataDir data_;
  FileGuard log_;
  krevtest::ScratchDir dir_{"krevimport"};
};

TEST_F(ImportTest, AddsNewWordsAndWritesTheLog) {
  const std::string lib = dir_ / "perlex.dat";
  ASSERT_TRUE(krevtest::WriteFileBytes(lib, "KREVLEX 1\r\n中国\tzhong'guo\r\n"));
  WriteText(HKEY_CURRENT_USER, "用户词库文件", lib);
  const std::string list = dir_ / "新词.txt";
  ASSERT_TRUE(krevtest::WriteFileBytes(list,
                                       "# 我的新词\r\n"
                                       "青岚 qing'lan\r\n"
                                       "\r\n"
                                       "中国\tzhong'guo\r\n"
                                       "  输入法   shu'ru'fa  \n"
                                       "青岚 qing'lan\r\n"
                                       "abc a'b'c\r\n"
                                       "词语 ci\r\n"));
  ASSERT_TRUE(Run(list));
  EXPECT_EQ("KREVLEX 1\r\n中国\tzhong'guo\r\n青岚\tqing'lan\r\n输入法\tshu'ru'fa\r\n",
            krevtest::ReadFileBytes(lib));
  EXPECT_EQ("词条导入记录\r\n"
            "导入文件：" + list + "\r\n"
            "用户词库：" + lib + "\r\n"
            "新增词条：2\r\n"
            "已有词条：2\r\n"
            "无法识别的行：2\r\n"
            "第 7 行：abc a'b'c\r\n"
            "第 8 行：词语 ci\r\n",
            krevtest::ReadFileBytes(data_.path() + "intake.log"));
}

TEST_F(ImportTest, CreatesAMissingLibrary) {
  const std::string lib = dir_ / "new.dat";
  WriteText(HKEY_CURRENT_USER, "用户词库文件", lib);
  ASSERT_TRUE(krevtest::WriteFileBytes(dir_ / "w.txt", "你好 ni'hao"));
  ASSERT_TRUE(Run(dir_ / "w.txt"));
  EXPECT_EQ("KREVLEX 1\r\n你好\tni'hao\r\n", krevtest::ReadFileBytes(lib));
}

TEST_F(ImportTest, FailsAndTouchesNothingOnAMissingListOrAForeignLibrary) {
  const std::string lib = dir_ / "perlex.dat";
  WriteText(HKEY_CURRENT_USER, "用户词库文件", lib);
  ASSERT_TRUE(krevtest::WriteFileBytes(data_.path() + "intake.log", "earlier log"));

  ASSERT_TRUE(krevtest::WriteFileBytes(lib, "KREVLEX 1\r\n"));
  EXPECT_FALSE(Run(dir_ / "none.txt"));
  EXPECT_FALSE(Run(""));

  ASSERT_TRUE(krevtest::WriteFileBytes(lib, "some engine's binary library"));
  ASSERT_TRUE(krevtest::WriteFileBytes(dir_ / "w.txt", "你好 ni'hao\r\n"));
  EXPECT_FALSE(Run(dir_ / "w.txt"));
  EXPECT_EQ("some engine's binary library", krevtest::ReadFileBytes(lib));
  EXPECT_EQ("earlier log", krevtest::ReadFileBytes(data_.path() + "intake.log"));
}

class SchemeTest : public KrevsetTest {
 protected:
  SchemeTest() : ini_(data_.path() + "vardekosp.ini"), ksc_(data_.path() + "vardekosp.ksc") {}
  bool Compile() { return lib_.ActionOf("krevGenSPKSCFile")() != 0; }
  std::string Ksc() { return krevtest::ReadFileBytes(data_.path() + "vardekosp.ksc"); }
  bool WriteIni(const std::string& text) { return krevtest::WriteFileBytes(data_.path() + "vardekosp.ini", text); }
  UserDataDir data_;
  FileGuard ini_, ksc_;
};

TEST_F(SchemeTest, CompilesTheSchemeIntoTheKeySchemeFile) {
  ASSERT_TRUE(WriteIni("; 测试\r\n[scheme]\r\nname=测试\r\n[initials]\r\nzh=v\r\n[finals]\r\n"
                       "iu=q\r\nia=w\r\niu=r\r\n[zero]\r\nang=ah\r\n"));
  ASSERT_TRUE(Compile());
  const std::string name = "测试";  // GBK, 4 bytes
  EXPECT_EQ(std::string("KSC1") + char(name.size()) + name + std::string("\x04\x00", 2) +
                std::string("\x01\x02zh\x01v", 6) + std::string("\x02\x02iu\x01r", 6) +
                std::string("\x02\x02ia\x01w", 6) + std::string("\x03\x03" "ang\x02" "ah", 8),
            Ksc());
}

TEST_F(SchemeTest, MalformedSchemeLeavesTheOldFile) {
  ASSERT_TRUE(krevtest::WriteFileBytes(data_.path() + "vardekosp.ksc", "previous"));
  for (const char* bad : {"zh=v\r\n",                        // before any section
                          "[finals]\r\niu=qq\r\n",           // two keys for a final
                          "[zero]\r\nang=a\r\n",             // one key for a syllable
                          "[finals]\r\nIU=q\r\n",            // upper case
                          "[finals]\r\niu\r\n",              // no '='
                          "[keys]\r\niu=q\r\n",              // unknown section
                          "[initials]\r\nzh=v\r\n",          // no finals at all
                          ""}) {
    SCOPED_TRACE(bad);
    ASSERT_TRUE(WriteIni(bad));
    EXPECT_FALSE(Compile());
    EXPECT_EQ("previous", Ksc());
  }
  DeleteFileA((data_.path() + "vardekosp.ini").c_str());
  EXPECT_FALSE(Compile());
  EXPECT_EQ("previous", Ksc());
}

TEST_F(SchemeTest, TheInstalledSeedSchemeCompiles) {
  ASSERT_TRUE(WriteIni(krevtest::ReadFileBytes(krevtest::InstallDir() + "vardekosp.ini")));
  ASSERT_TRUE(Compile());
  const std::string name = "自然码";
  EXPECT_EQ(std::string("KSC1") + char(name.size()) + name, Ksc().substr(0, 5 + name.size()));
}

}  // namespace
