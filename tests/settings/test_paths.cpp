// ReadPaths against a scripted service library and system directory, and against the real one.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "seams.h"
#include "testenv.h"
#include "uConfig.h"

namespace {

// What one scripted getter call does: return `result` after writing `bytes` (nothing when
// `write` is false) at the start of the buffer. It also records what the buffer held on entry.
struct Step {
  KREVBOOL result;
  bool write;
  std::string bytes;
};
Step Ok(const std::string& text) { return {1, true, text + std::string(1, '\0')}; }
Step Fail() { return {0, false, std::string()}; }

std::deque<Step> g_script[6];
std::vector<std::string> g_seen[6];  // buffer text on entry to each call

template <int N>
KREVBOOL __stdcall Scripted(char* buffer) {
  g_seen[N].push_back(std::string(buffer, strnlen(buffer, KREV_PATH_BUFFER)));
  if (g_script[N].empty()) return 0;
  Step s = g_script[N].front();
  g_script[N].pop_front();
  if (s.write) memcpy(buffer, s.bytes.data(), s.bytes.size());
  return s.result;
}

class PathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 6; ++i) {
      g_script[i].clear();
      g_seen[i].clear();
    }
    krevtest::FakeSystemDir = {"C:\\WINDOWS\\system32"};
    KrevConfigCalls.GetSystemDirectoryA = krevtest::FakeSystemDirectory;
    KrevConfigCalls.krevGetVardekoPath = Scripted<0>;
    KrevConfigCalls.krevGetUserDataPath = Scripted<1>;
    KrevConfigCalls.krevGetUserWordlibPath = Scripted<2>;
    KrevConfigCalls.krevGetChnsymPath = Scripted<3>;
    KrevConfigCalls.krevGetSpdefPath = Scripted<4>;
    KrevConfigCalls.krevGetSpewordsPath = Scripted<5>;
  }
  // The scripted calls stay in place for the test only.
  krevtest::ScopedCalls<TKrevConfigCalls> calls_{KrevConfigCalls};

  static std::vector<std::string> Six(const TKrevConfig& c) {
    return {c.FInstallDir, c.FUserDataDir, c.FUserWordlibPath, c.FChnsymPath, c.FSpdefPath, c.FSpewordsPath};
  }
};

TEST_F(PathsTest, EveryGetterFailingLeavesSixEmptyButSetsTheModulePaths) {
  TKrevConfig c;
  EXPECT_EQ(std::vector<std::string>(6), Six(c));
  EXPECT_EQ("C:\\WINDOWS\\system32\\kvengine.dll", c.FEnginePath);
  EXPECT_EQ("C:\\WINDOWS\\system32\\vardeko.ime", c.FImePath);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(1u, g_seen[i].size()) << "getter " << i << " called once";
}

TEST_F(PathsTest, GettersInOrderShareOneBufferThatIsNotCleared) {
  const std::vector<std::string> paths = {"C:\\v\\", "C:\\u\\", "C:\\u\\perlex.dat",
                                          "C:\\u\\punctdef.ini", "C:\\u\\vardekosp.ini", "C:\\u\\phrasedef.ini"};
  for (int i = 0; i < 6; ++i) g_script[i].push_back(Ok(paths[i]));
  TKrevConfig c;
  EXPECT_EQ(paths, Six(c));
  // Each getter finds what the call before it left: the first one the system directory.
  EXPECT_EQ("C:\\WINDOWS\\system32", g_seen[0][0]);
  for (int i = 1; i < 6; ++i) EXPECT_EQ(paths[i - 1], g_seen[i][0]) << "getter " << i;
}

TEST_F(PathsTest, LaterFailureKeepsTheEarlierPath) {
  g_script[2].push_back(Ok("D:\\lex\\perlex.dat"));
  g_script[2].push_back(Fail());
  g_script[4].push_back(Fail());
  g_script[4].push_back(Ok("D:\\sp.ini"));
  TKrevConfig c;
  EXPECT_EQ("D:\\lex\\perlex.dat", c.FUserWordlibPath);
  EXPECT_EQ("", c.FSpdefPath);
  krevtest::FakeSystemDir.dir = "E:\\sys";
  c.ReadPaths();
  EXPECT_EQ("D:\\lex\\perlex.dat", c.FUserWordlibPath);
  EXPECT_EQ("D:\\sp.ini", c.FSpdefPath);
  EXPECT_EQ("E:\\sys\\kvengine.dll", c.FEnginePath);
  EXPECT_EQ("E:\\sys\\vardeko.ime", c.FImePath);
}

TEST_F(PathsTest, SuccessWithEmptyOrShorterText) {
  g_script[0].push_back(Ok("C:\\a rather long installation path\\"));
  g_script[1].push_back({1, true, std::string("D:\\\0", 4)});  // shorter, over the longer leftover
  g_script[2].push_back(Ok("F:\\old.dat"));
  TKrevConfig c;
  EXPECT_EQ("D:\\", c.FUserDataDir);
  g_script[2].push_back(Ok(""));
  c.ReadPaths();
  EXPECT_EQ("", c.FUserWordlibPath);
  EXPECT_EQ("C:\\a rather long installation path\\", c.FInstallDir) << "kept: its getter failed this time";
}

TEST_F(PathsTest, SuccessWithoutWritingTakesWhatTheBufferHolds) {
  g_script[0].push_back(Ok("C:\\inst\\"));
  g_script[1].push_back({1, false, std::string()});
  TKrevConfig c;
  EXPECT_EQ("C:\\inst\\", c.FUserDataDir);
}

TEST_F(PathsTest, FullBufferWithoutZeroIsCutAtItsEnd) {
  g_script[0].push_back({1, true, std::string(KREV_PATH_BUFFER, 'x')});
  TKrevConfig c;
  EXPECT_EQ(std::string(KREV_PATH_BUFFER, 'x'), c.FInstallDir);
}

TEST_F(PathsTest, SystemDirectoryThatWritesNothing) {
  krevtest::FakeSystemDir.fails = true;
  TKrevConfig c;
  EXPECT_EQ("\\kvengine.dll", c.FEnginePath);
  EXPECT_EQ("\\vardeko.ime", c.FImePath);
}

// The installed library and the real system directory of the prefix.
TEST(RealPaths, InstalledLibraryAndSystemDirectory) {
  TKrevConfig c;
  std::string sys = krevtest::SystemDir();  // ends in a backslash
  EXPECT_EQ(0, _stricmp((sys + "kvengine.dll").c_str(), c.FEnginePath.c_str())) << c.FEnginePath;
  EXPECT_EQ(0, _stricmp((sys + "vardeko.ime").c_str(), c.FImePath.c_str())) << c.FImePath;
  EXPECT_EQ(0, _stricmp(krevtest::InstallDir().c_str(), c.FInstallDir.c_str())) << c.FInstallDir;
  ASSERT_GE(c.FUserDataDir.size(), 9u);
  EXPECT_EQ("\\VARDEKO\\", c.FUserDataDir.substr(c.FUserDataDir.size() - 9));
  EXPECT_EQ(c.FUserDataDir + "punctdef.ini", c.FChnsymPath);
  EXPECT_EQ(c.FUserDataDir + "vardekosp.ini", c.FSpdefPath);
  EXPECT_EQ(c.FUserDataDir + "phrasedef.ini", c.FSpewordsPath);
  EXPECT_FALSE(c.FUserWordlibPath.empty());
}

}  // namespace
