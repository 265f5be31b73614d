// Finish over the real registry and files: the newcomer answers, the habit presets, the ShuangPin
// preset copy, and every value written each time.
#include <gtest/gtest.h>

#include <string>

#include "WizardFlow.h"
#include "seams.h"
#include "testenv.h"
#include "uConfig.h"
#include "wiztest.h"

using namespace wiztest;

namespace {

KREVBOOL __stdcall FailingGetter(char*) { return 0; }

const char kEdited[] = "; edited by the user\r\nzh=v\r\n";

// Load from the registry and finish, as the wizard does between its start and its close.
void Finish(int usageMode, const TWizardAnswers& answers) {
  TKrevConfig config;
  config.LoadFromRegistry();
  FinishWizard(config, usageMode, answers);
}

// The six key and candidate values, set to a marker no preset uses.
const char* const kKeyValues[] = {"输入风格", "每页最多候选个数", "中英文输入切换键",
                                  "多个候选翻页键", "输入第二第三候选字词键", "以词定字选字键"};
const DWORD kUntouched = 7;

void SeedKeyValues() {
  for (const char* name : kKeyValues) SetDword(name, kUntouched);
}

struct NewcomerCase {
  const char* name;
  bool noFuzzy, fuzzy1, fuzzy2, fuzzy3;
  TCharsetAnswer charset;
  bool adjFreq, icw;
  TFontAnswer font;
  // expected
  bool initials1, finals, initials3;
  bool useGBK, simplified;
  DWORD fontHeight;
};

const NewcomerCase kNewcomer[] = {
    {"no fuzzy wins over ticked disabled boxes", true, true, true, true, TCharsetAnswer::GB, false, false,
     TFontAnswer::Small, false, false, false, false, true, 14},
    {"only the finals box", false, false, true, false, TCharsetAnswer::GBK, true, false, TFontAnswer::Medium,
     false, true, false, true, true, 22},
    {"only the flat and curled tongue box", false, true, false, false, TCharsetAnswer::Fanti, false, true,
     TFontAnswer::Large, true, false, false, true, false, 32},
    {"only the initials box", false, false, false, true, TCharsetAnswer::GB, true, true, TFontAnswer::Small,
     false, false, true, false, true, 14},
    {"all three boxes", false, true, true, true, TCharsetAnswer::GBK, false, false, TFontAnswer::Large, true, true,
     true, true, true, 32},
    {"nothing ticked", false, false, false, false, TCharsetAnswer::Fanti, false, false, TFontAnswer::Medium, false,
     false, false, true, false, 22},
};

class FinishNewcomer : public SettingsFixture, public testing::WithParamInterface<NewcomerCase> {};

TEST_P(FinishNewcomer, StoresTheAnswersAndNothingOfTheOtherPath) {
  const NewcomerCase& c = GetParam();
  // Every answered value starts stored as the opposite of what the answer gives.
  SetDword("声母模糊音设置", InitialsMask(!c.initials1, !c.initials1, !c.initials1, !c.initials3, !c.initials3,
                                          !c.initials3));
  SetBytes("韵母模糊音设置", FinalsMask(!c.finals, !c.finals, !c.finals, !c.finals, !c.finals));
  SetDword("支持GBK大字符集", !c.useGBK);
  SetDword("输入简体汉字", !c.simplified);
  SetDword("输入栏字体大小", 16);
  for (const char* name : {"动态调整词频", "动态调整字频", "最近输入字优先", "智能组词", "智能组词自动记忆"})
    SetDword(name, 0);
  // What the other path would change.
  SetDword("使用双拼输入", 1);
  SeedKeyValues();
  ASSERT_TRUE(krevtest::WriteFileBytes(spdefPath_, kEdited));

  TWizardAnswers a;
  a.NoFuzzy = c.noFuzzy;
  a.Fuzzy1 = c.fuzzy1;
  a.Fuzzy2 = c.fuzzy2;
  a.Fuzzy3 = c.fuzzy3;
  a.Charset = c.charset;
  a.AdjFreq = c.adjFreq;
  a.ICW = c.icw;
  a.Font = c.font;
  // Answers of the habit pages from an earlier pass are ignored.
  a.Habit = THabitAnswer::Ziranma;
  a.ShuangPin = true;
  Finish(umNewcomer, a);

  EXPECT_EQ(InitialsMask(c.initials1, c.initials1, c.initials1, c.initials3, c.initials3, c.initials3),
            GetDword("声母模糊音设置"));
  EXPECT_EQ(FinalsMask(c.finals, c.finals, c.finals, c.finals, c.finals), GetBytes("韵母模糊音设置"));
  EXPECT_EQ(c.useGBK, GetDword("支持GBK大字符集"));
  EXPECT_EQ(c.simplified, GetDword("输入简体汉字"));
  EXPECT_EQ(c.fontHeight, GetDword("输入栏字体大小"));
  // The wizard only switches these on; clear boxes keep what was loaded.
  for (const char* name : {"动态调整词频", "动态调整字频", "最近输入字优先"})
    EXPECT_EQ(c.adjFreq, GetDword(name)) << name;
  for (const char* name : {"智能组词", "智能组词自动记忆"}) EXPECT_EQ(c.icw, GetDword(name)) << name;

  EXPECT_EQ(1, GetDword("使用双拼输入"));
  for (const char* name : kKeyValues) EXPECT_EQ(kUntouched, GetDword(name)) << name;
  EXPECT_EQ(kEdited, krevtest::ReadFileBytes(spdefPath_));
}

std::string CaseName(const char* name) {
  std::string n = name;
  for (char& ch : n)
    if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return n;
}

INSTANTIATE_TEST_SUITE_P(Finish, FinishNewcomer, testing::ValuesIn(kNewcomer),
                         [](const auto& info) { return CaseName(info.param.name); });

TEST_F(SettingsFixture, NewcomerWithClearSmartBoxesKeepsTheDefaultsOn) {
  Finish(umNewcomer, TWizardAnswers());
  for (const char* name : {"动态调整词频", "动态调整字频", "最近输入字优先", "智能组词", "智能组词自动记忆"})
    EXPECT_EQ(1, GetDword(name)) << name;
}

// One row per habit: the preset values (-1: left as loaded) and the ShuangPin preset file.
struct HabitCase {
  const char* name;
  THabitAnswer habit;
  int inputStyle, maxCandidates, chnEngSwitchKey, pageKey, cand23Key, hzSelectKey;
  const char* presetFile;
};

const HabitCase kHabits[] = {
    {"dos", THabitAnswer::Dos, 1, 9, -1, 0, 1, 2, "vsp-dos.ini"},
    {"winpy", THabitAnswer::Winpy, 0, 9, -1, 1, -1, 2, "vsp-mspy.ini"},
    {"abc", THabitAnswer::Abc, 0, 9, -1, 1, -1, 2, "vsp-abc.ini"},
    {"cstar", THabitAnswer::Cstar, 1, 5, 0, 0, 1, 2, "vsp-cstar.ini"},
    {"kuangpin", THabitAnswer::Kuangpin, 1, 5, 0, 0, 1, 2, "vsp-cstar.ini"},
    {"pyjj", THabitAnswer::Pyjj, 1, 3, 1, 1, 0, 2, "vsp-pyjj.ini"},
    {"mspy", THabitAnswer::Mspy, 1, 9, 0, 1, 1, 2, "vsp-mspy.ini"},
    {"ziranma", THabitAnswer::Ziranma, -1, -1, -1, -1, -1, -1, "vsp-zrm.ini"},
};

class FinishHabit : public SettingsFixture,
                    public testing::WithParamInterface<std::tuple<HabitCase, bool>> {};

TEST_P(FinishHabit, StoresThePresetAndCopiesTheScheme) {
  const HabitCase& c = std::get<0>(GetParam());
  const bool shuangPin = std::get<1>(GetParam());
  SeedKeyValues();
  SetDword("使用双拼输入", 1);
  // Newcomer answers and values must stay as they are on this path.
  SetDword("输入栏字体大小", 16);
  SetDword("声母模糊音设置", InitialsMask(true, true, true, true, true, true));
  ASSERT_TRUE(krevtest::WriteFileBytes(spdefPath_, kEdited));

  TWizardAnswers a;
  a.Habit = c.habit;
  a.ShuangPin = shuangPin;
  a.NoFuzzy = true;
  a.Font = TFontAnswer::Large;
  a.Charset = TCharsetAnswer::Fanti;
  Finish(umOtherIme, a);

  const int expected[] = {c.inputStyle, c.maxCandidates, c.chnEngSwitchKey, c.pageKey, c.cand23Key, c.hzSelectKey};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(expected[i] < 0 ? kUntouched : expected[i], GetDword(kKeyValues[i])) << kKeyValues[i];

  const bool copies = shuangPin || c.habit == THabitAnswer::Ziranma;
  EXPECT_EQ(copies ? 1 : 0, GetDword("使用双拼输入"));
  if (copies) {
    const std::string preset = krevtest::ReadFileBytes(krevtest::InstallDir() + c.presetFile);
    ASSERT_FALSE(preset.empty()) << c.presetFile << " is not installed";
    EXPECT_EQ(preset, krevtest::ReadFileBytes(spdefPath_)) << "expected " << c.presetFile;
  } else {
    EXPECT_EQ(kEdited, krevtest::ReadFileBytes(spdefPath_));
  }

  EXPECT_EQ(16, GetDword("输入栏字体大小"));
  EXPECT_EQ(InitialsMask(true, true, true, true, true, true), GetDword("声母模糊音设置"));
  EXPECT_EQ(1, GetDword("输入简体汉字"));
}

INSTANTIATE_TEST_SUITE_P(Finish, FinishHabit, testing::Combine(testing::ValuesIn(kHabits), testing::Bool()),
                         [](const auto& info) {
                           return CaseName(std::get<0>(info.param).name) +
                                  (std::get<1>(info.param) ? "_shuangpin" : "_quanpin");
                         });

TEST_F(SettingsFixture, PresetFilesAreDistinctSchemesTheServiceLibraryCompiles) {
  const char* const files[] = {"vsp-zrm.ini", "vsp-dos.ini", "vsp-abc.ini", "vsp-cstar.ini", "vsp-mspy.ini",
                               "vsp-pyjj.ini"};
  // Otherwise the habit table could not tell which file was copied.
  for (int i = 0; i < 6; ++i)
    for (int j = i + 1; j < 6; ++j)
      EXPECT_NE(krevtest::ReadFileBytes(krevtest::InstallDir() + files[i]),
                krevtest::ReadFileBytes(krevtest::InstallDir() + files[j]))
          << files[i] << " " << files[j];

  // Once copied, the settings centre has the scheme compiled; each preset must be one it accepts.
  using TGen = KREVBOOL(__stdcall*)();
  auto gen = reinterpret_cast<TGen>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("krevset.dll"), "krevGenSPKSCFile")));
  ASSERT_NE(nullptr, gen);
  const std::string ksc = spdefPath_.substr(0, spdefPath_.find_last_of('\\') + 1) + "vardekosp.ksc";
  const bool hadKsc = krevtest::FileExists(ksc);
  const std::string kscBytes = krevtest::ReadFileBytes(ksc);
  for (const char* f : files) {
    ASSERT_TRUE(CopyFileA((krevtest::InstallDir() + f).c_str(), spdefPath_.c_str(), FALSE)) << f;
    DeleteFileA(ksc.c_str());
    EXPECT_NE(0, gen()) << f;
    EXPECT_EQ("KSC1", krevtest::ReadFileBytes(ksc).substr(0, 4)) << f;
  }
  if (hadKsc) {
    krevtest::WriteFileBytes(ksc, kscBytes);
  } else {
    DeleteFileA(ksc.c_str());
  }
}

TEST_F(SettingsFixture, EveryValueIsWrittenOnEitherPath) {
  for (int mode : {umNewcomer, umOtherIme}) {
    SCOPED_TRACE(mode);
    krevtest::DeleteSettingsKeys();
    // A value of the wrong type reads as its default and is written back in its own type.
    SetString("每页最多候选个数", "8");
    SetDword("回车键定义", 2);
    SetDword("输入栏显示样式", 2);
    SetString("输入栏中文字体", "黑体");
    Finish(mode, TWizardAnswers());
    // 34 per-user values; the save-prompt flag is never written by a save.
    EXPECT_EQ(34, CountUserValues());
    DWORD type = REG_NONE;
    GetBytes("属性设置保存提示", &type);
    EXPECT_EQ(static_cast<DWORD>(REG_NONE), type);
    EXPECT_EQ(mode == umNewcomer ? 5 : 9, GetDword("每页最多候选个数"));
    EXPECT_EQ(2, GetDword("回车键定义"));
    EXPECT_EQ(2, GetDword("输入栏显示样式"));
    EXPECT_EQ(std::string("黑体", 4) + '\0', GetBytes("输入栏中文字体"));
    EXPECT_EQ(0, GetMachineDword());
  }
}

TEST_F(SettingsFixture, FailedCopiesAreIgnoredAndShuangPinStillStored) {
  TWizardAnswers a;
  {
    // No installation directory: the bare file name is taken against the current directory.
    krevtest::ScopedCall noInstallDir(KrevConfigCalls.krevGetVardekoPath, FailingGetter);
    krevtest::ScratchDir cwd("wizcwd");
    ASSERT_TRUE(krevtest::WriteFileBytes(cwd / "vsp-zrm.ini", "from the current directory\r\n"));
    char old[MAX_PATH] = {0};
    GetCurrentDirectoryA(MAX_PATH, old);
    ASSERT_TRUE(SetCurrentDirectoryA(cwd.path().c_str()));
    a.Habit = THabitAnswer::Ziranma;
    Finish(umOtherIme, a);
    EXPECT_EQ("from the current directory\r\n", krevtest::ReadFileBytes(spdefPath_));

    // No such preset there: nothing copied, nothing reported, ShuangPin saved all the same.
    krevtest::DeleteSettingsKeys();
    ASSERT_TRUE(krevtest::WriteFileBytes(spdefPath_, kEdited));
    a.Habit = THabitAnswer::Dos;
    a.ShuangPin = true;
    Finish(umOtherIme, a);
    SetCurrentDirectoryA(old);
    EXPECT_EQ(kEdited, krevtest::ReadFileBytes(spdefPath_));
    EXPECT_EQ(1, GetDword("使用双拼输入"));
  }

  // No ShuangPin file path at all.
  krevtest::DeleteSettingsKeys();
  TKrevConfig config;
  config.LoadFromRegistry();
  config.FSpdefPath.clear();
  a.Habit = THabitAnswer::Mspy;
  EXPECT_NO_THROW(FinishWizard(config, umOtherIme, a));
  EXPECT_EQ(1, GetDword("使用双拼输入"));
  EXPECT_EQ(kEdited, krevtest::ReadFileBytes(spdefPath_));
}

}  // namespace
