// The settings centre's window-free rules, against the real file system, clock and locale of Wine.
#include "cfglogic.h"

#include <gtest/gtest.h>

#include "testenv.h"

using namespace krevcfg;
using krevtest::ScratchDir;

namespace {

std::string ModuleDir() {
  char path[MAX_PATH] = {0};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s = path;
  return s.substr(0, s.find_last_of('\\') + 1);
}

// Sets the file's last-write time to the given local time.
bool SetLocalWriteTime(const std::string& path, WORD y, WORD mo, WORD d, WORD h, WORD mi, WORD s) {
  SYSTEMTIME st = {};
  st.wYear = y, st.wMonth = mo, st.wDay = d, st.wHour = h, st.wMinute = mi, st.wSecond = s;
  FILETIME local, utc;
  if (!SystemTimeToFileTime(&st, &local) || !LocalFileTimeToFileTime(&local, &utc)) return false;
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  bool ok = SetFileTime(f, nullptr, nullptr, &utc);
  CloseHandle(f);
  return ok;
}

std::string Formatted(WORD y, WORD mo, WORD d, WORD h, WORD mi, WORD s, bool withTime) {
  SYSTEMTIME st = {};
  st.wYear = y, st.wMonth = mo, st.wDay = d, st.wHour = h, st.wMinute = mi, st.wSecond = s;
  char date[100], time[100];
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date);
  GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, sizeof time);
  return withTime ? std::string(date) + " " + time : std::string(date);
}

}  // namespace

TEST(StartPage, OnlyALoneQuestionMarkAsFirstParameter) {
  struct Case {
    const char* cmdline;
    bool version;
  } cases[] = {
      {"krevcfg.exe", false},
      {"krevcfg.exe ?", true},
      {"\"C:\\Program Files\\krevcfg.exe\" ?", true},
      {"krevcfg.exe   ?   extra words", true},
      {"krevcfg.exe \"?\"", true},
      {"krevcfg.exe ??", false},
      {"krevcfg.exe /?", false},
      {"krevcfg.exe -?", false},
      {"krevcfg.exe ？", false},
      {"krevcfg.exe \"? \"", false},
      {"krevcfg.exe x ?", false},
      {"krevcfg.exe \"\" ?", false},
      {"", false},
      // Bytes of Chinese characters are parameter bytes like any other; the program's name is
      // the first parameter, split by the same rule.
      {"C:\\输入法\\krevcfg.exe ?", true},
      {"C:\\输入法\\krevcfg.exe", false},
      {"C:\\输入法\\krevcfg.exe\t?", true},
      {"\"C:\\输入 法\\krevcfg.exe\" ?", true},
      {"\"C:\\输入法\\krevcfg.exe\"?", false},
      {"C:\\输入法\\krevcfg.exe 输入法 ?", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.version, WantsVersionPage(c.cmdline)) << c.cmdline;
  }
}

TEST(StartPage, QuotesGroupBlanksAndAreRemoved) {
  std::vector<std::string> p =
      SplitCommandLine("\"C:\\a b\\krevcfg.exe\" one\t\"two three\" fo\"u r\" \"输入 法\"");
  ASSERT_EQ(5u, p.size());
  EXPECT_EQ("C:\\a b\\krevcfg.exe", p[0]);
  EXPECT_EQ("one", p[1]);
  EXPECT_EQ("two three", p[2]);
  EXPECT_EQ("fou r", p[3]);
  EXPECT_EQ("输入 法", p[4]);
}

TEST(WordlibTime, DosDatesThatFormNoCalendarDateAreRefused) {
  auto date = [](int y, int m, int d) { return static_cast<WORD>(((y - 1980) << 9) | (m << 5) | d); };
  auto time = [](int h, int m, int s2) { return static_cast<WORD>((h << 11) | (m << 5) | s2); };
  struct Case {
    WORD d, t;
    bool valid;
  } cases[] = {
      {date(2026, 3, 14), time(13, 5, 3), true},
      {date(1984, 2, 29), time(0, 0, 0), true},
      {date(1981, 2, 29), time(0, 0, 0), false},
      {date(2026, 0, 10), time(1, 0, 0), false},
      {date(2026, 13, 10), time(1, 0, 0), false},
      {date(2026, 4, 0), time(1, 0, 0), false},
      {date(2026, 4, 31), time(1, 0, 0), false},
      {date(2026, 4, 30), time(24, 0, 0), false},
      {date(2026, 4, 30), time(23, 60, 0), false},
      {date(2026, 4, 30), time(23, 59, 30), false},
      {date(2026, 4, 30), time(23, 59, 29), true},
  };
  for (const Case& c : cases) {
    SYSTEMTIME st;
    EXPECT_EQ(c.valid, DosDateTimeToSystemTime(c.d, c.t, &st)) << std::hex << c.d << " " << c.t;
  }
  SYSTEMTIME st;
  ASSERT_TRUE(DosDateTimeToSystemTime(date(2026, 3, 14), time(13, 5, 3), &st));
  EXPECT_EQ(2026, st.wYear);
  EXPECT_EQ(3, st.wMonth);
  EXPECT_EQ(14, st.wDay);
  EXPECT_EQ(13, st.wHour);
  EXPECT_EQ(5, st.wMinute);
  EXPECT_EQ(6, st.wSecond);
}

TEST(WordlibTime, LocalTimeRoundedDownToEvenSecondsAndDateAloneAtMidnight) {
  ScratchDir dir("wltime");
  std::string file = dir / "perlex.dat";
  ASSERT_TRUE(krevtest::WriteFileBytes(file, "lex"));
  struct Case {
    WORD h, mi, s;
    std::string expected;
  } cases[] = {
      {13, 5, 7, Formatted(2026, 3, 14, 13, 5, 6, true)},
      {13, 5, 6, Formatted(2026, 3, 14, 13, 5, 6, true)},
      {0, 0, 0, Formatted(2026, 3, 14, 0, 0, 0, false)},
      // One second past midnight rounds down to midnight itself.
      {0, 0, 1, Formatted(2026, 3, 14, 0, 0, 0, false)},
      {0, 0, 2, Formatted(2026, 3, 14, 0, 0, 2, true)},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(SetLocalWriteTime(file, 2026, 3, 14, c.h, c.mi, c.s));
    EXPECT_EQ(c.expected, WordlibTimeText(file)) << c.h << ":" << c.mi << ":" << c.s;
  }
  // The expected texts really differ from one another.
  EXPECT_NE(Formatted(2026, 3, 14, 13, 5, 6, true), Formatted(2026, 3, 14, 13, 5, 7, true));
  EXPECT_NE(std::string::npos, Formatted(2026, 3, 14, 13, 5, 6, true).find("13"));
}

TEST(WordlibTime, MissingFileDirectoryAndWildcardAreUnknown) {
  ScratchDir dir("wltime");
  ASSERT_TRUE(krevtest::WriteFileBytes(dir / "perlex.dat", "lex"));
  EXPECT_EQ("未知", WordlibTimeText(dir / "missing.dat"));
  EXPECT_EQ("未知", WordlibTimeText(dir.path()));
  EXPECT_EQ("未知", WordlibTimeText(dir / "*.dat"));
  EXPECT_EQ("未知", WordlibTimeText(""));
  EXPECT_NE("未知", WordlibTimeText(dir / "perlex.dat"));
}

TEST(FontHeight, TextOfAStoredValue) {
  EXPECT_EQ("16个像素", FontHeightText(16));
  EXPECT_EQ("8个像素", FontHeightText(8));
  EXPECT_EQ("-3个像素", FontHeightText(-3));
}

TEST(FontHeight, FirstTwoBytesSignBlanksDefaultAndClamp) {
  struct Case {
    std::string text;
    int height;
  } cases[] = {
      {"14个像素", 14}, {"32个像素", 32}, {"22个像素", 22}, {"40个像素", 32}, {"9个像素", 16},
      {"9", 12},        {"100", 12},      {"-5", 12},       {"", 16},         {" 9", 12},
      {"+2", 12},       {"20", 20},       {"  ", 16},       {"-", 16},        {"ab", 16},
      {"个像素", 16},   {"2 ", 16},       {"99", 32},       {"12", 12},       {"31px", 31},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.height, ParseFontHeight(c.text)) << c.text;
  }
  // A stored 8 is shown and read back as 16.
  EXPECT_EQ(16, ParseFontHeight(FontHeightText(8)));
}

TEST(FontList, ExactByteComparisonAndLastMatchWins) {
  std::vector<std::string> items = {"Arial", "Default", "宋体", "Arial"};
  EXPECT_EQ(3, FindFaceIndex(items, "Arial"));
  EXPECT_EQ(2, FindFaceIndex(items, "宋体"));
  EXPECT_EQ(-1, FindFaceIndex(items, "arial"));
  EXPECT_EQ(-1, FindFaceIndex(items, "ARIAL"));
  EXPECT_EQ(-1, FindFaceIndex(items, ""));
  EXPECT_EQ(-1, FindFaceIndex({}, "Arial"));
}

TEST(FileVersion, ExactEntryOnly) {
  const std::string chs = ModuleDir() + "verchs.dll";  // 080404b0 and 080403a8 tables
  const std::string eng = ModuleDir() + "vereng.dll";  // 040904b0 table only
  ASSERT_TRUE(krevtest::FileExists(chs)) << chs;
  ASSERT_TRUE(krevtest::FileExists(eng)) << eng;
  struct Case {
    std::string path;
    const char* entry;
    bool found;
    const char* text;
  } cases[] = {
      {chs, "StringFileInfo\\080404b0\\FileVersion", true, "3, 1, 0 ,2 beta"},
      {chs, "StringFileInfo\\080403a8\\FileVersion", true, "4.5.6.7"},
      {eng, "StringFileInfo\\080404b0\\FileVersion", false, "2.4"},
      {eng, "StringFileInfo\\080403a8\\FileVersion", false, "2.4"},
      {ModuleDir() + "missing.dll", "StringFileInfo\\080404b0\\FileVersion", false, "2.4"},
  };
  for (const Case& c : cases) {
    std::string text = "2.4";
    EXPECT_EQ(c.found, ReadFileVersionText(c.path, c.entry, &text)) << c.path << " " << c.entry;
    EXPECT_EQ(c.text, text) << c.path << " " << c.entry;
  }
  // The English table does hold a version text; only the exact entry counts.
  std::string text;
  EXPECT_TRUE(ReadFileVersionText(eng, "StringFileInfo\\040904b0\\FileVersion", &text));
  EXPECT_EQ("9.9.9.9", text);
}

TEST(FileVersion, FileWithoutVersionInformation) {
  ScratchDir dir("ver");
  ASSERT_TRUE(krevtest::WriteFileBytes(dir / "plain.dll", "not a module"));
  std::string text = "2.4";
  EXPECT_FALSE(ReadFileVersionText(dir / "plain.dll", "StringFileInfo\\080404b0\\FileVersion", &text));
  EXPECT_EQ("2.4", text);
}

TEST(Seeding, CopiesOnlyMissingLiveFiles) {
  ScratchDir install("inst"), user("user");
  ASSERT_TRUE(krevtest::WriteFileBytes(install / "vardekosp.ini", "seed sp"));
  ASSERT_TRUE(krevtest::WriteFileBytes(install / "punctdef.ini", "seed punct"));
  // No seed for phrasedef.ini: that live file stays missing, silently.
  ASSERT_TRUE(krevtest::WriteFileBytes(user / "punctdef.ini", "mine"));
  ASSERT_TRUE(CreateDirectoryA((user / "dir.ini").c_str(), nullptr));
  std::vector<SeedFile> files = {{user / "vardekosp.ini", "vardekosp.ini"},
                                 {user / "punctdef.ini", "punctdef.ini"},
                                 {user / "phrasedef.ini", "phrasedef.ini"},
                                 {user / "dir.ini", "vardekosp.ini"}};
  SeedDefinitionFiles(install.path(), files);
  EXPECT_EQ("seed sp", krevtest::ReadFileBytes(user / "vardekosp.ini"));
  EXPECT_EQ("mine", krevtest::ReadFileBytes(user / "punctdef.ini"));
  EXPECT_FALSE(krevtest::FileExists(user / "phrasedef.ini"));
  EXPECT_TRUE(DirectoryExistsAt(user / "dir.ini"));
  // A second run never overwrites what the first one copied and the user then changed.
  ASSERT_TRUE(krevtest::WriteFileBytes(user / "vardekosp.ini", "changed"));
  SeedDefinitionFiles(install.path(), files);
  EXPECT_EQ("changed", krevtest::ReadFileBytes(user / "vardekosp.ini"));
}

TEST(Seeding, UserDataDirectoryCreatedOneLevelOnly) {
  ScratchDir base("data");
  EnsureDirectory(base / "VARDEKO\\");
  EXPECT_TRUE(DirectoryExistsAt(base / "VARDEKO\\"));
  EnsureDirectory(base / "VARDEKO\\");  // already there: nothing happens
  EXPECT_TRUE(DirectoryExistsAt(base / "VARDEKO"));
  EnsureDirectory(base / "missing\\VARDEKO\\");
  EXPECT_FALSE(DirectoryExistsAt(base / "missing"));
  EXPECT_FALSE(FileExistsAt(base / "VARDEKO"));
}

TEST(ScrollToPanel, ClassNameWalkStopsAtPanelsPageControlsAndScrollBoxes) {
  for (const char* cls : {"TPanel", "TPageControl", "TScrollBox"}) EXPECT_TRUE(IsScrollAnchorClass(cls));
  for (const char* cls : {"TGroupBox", "TCheckBox", "TForm", "TTreeView", "", "TPanels"}) {
    EXPECT_FALSE(IsScrollAnchorClass(cls)) << cls;
  }
}

TEST(ScrollToPanel, PositionKeptWithinTheRange) {
  struct Case {
    int position, content, visible, expected;
  } cases[] = {
      {1248, 1592, 345, 1247},  // the last section at the design size
      {1067, 1592, 345, 1067},
      {-5, 1592, 345, 0},
      {100, 300, 345, 0},       // content shorter than the visible area
      {1248, 1592, 500, 1092},  // a taller window: a smaller range
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, ClampScrollPosition(c.position, c.content, c.visible)) << c.position;
  }
}
