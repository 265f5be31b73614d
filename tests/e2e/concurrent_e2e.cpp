// The settings centre and the wizard open at the same time: each saves its own copy of every
// value, so the one that saves later wins, value by value.
#include "e2e.h"

namespace e2e {
namespace {

class BothOpen : public Scenario {};

// The newcomer's path with the given character-set and font-size answers, ending with Finish.
void FinishNewcomer(Program& wiz, HWND main, const char* charset, const char* font) {
  ASSERT_TRUE(main);
  ASSERT_TRUE(Forward(main, "btnNext0", 1));
  ASSERT_TRUE(SetChecked(Find(main, "rdbtUsage1"), true));
  ASSERT_TRUE(Forward(main, "btnNext1", 2));
  ASSERT_TRUE(Forward(main, "btnNext2", 3));
  ASSERT_TRUE(SetChecked(Find(main, charset), true));
  ASSERT_TRUE(Forward(main, "btnNext3", 4));
  ASSERT_TRUE(Forward(main, "btnNext4", 5));
  ASSERT_TRUE(SetChecked(Find(main, font), true));
  ASSERT_TRUE(Forward(main, "btnNext5", 8));
  ASSERT_TRUE(Press(Find(main, "btnFinish")));
  ASSERT_EQ(wiz.WaitExit(), 0);
}

DWORD Stored(const char* name) { return ReadRaw(HKEY_CURRENT_USER, name).dword(); }

TEST_F(BothOpen, TheLaterSaveWinsValueByValue) {
  // With the prompt off and a user word library in place, Save shows nothing.
  WriteDword(HKEY_CURRENT_USER, "属性设置保存提示", 0);
  CreateDirectoryA(data_.c_str(), nullptr);
  ASSERT_TRUE(krevtest::WriteFileBytes(data_ + "perlex.dat", "KREVLEX 1\r\n"));
  Program cfg(Program::InInstallDir("krevcfg.exe"));
  HWND main = WaitCfgMain(cfg);
  ASSERT_TRUE(main);

  // Round 1: both loaded the defaults; the centre saves first, the wizard finishes later.
  {
    Program wiz(Program::InInstallDir("kvcfgwiz.exe"));
    HWND wizMain = WaitWizard(wiz);  // its settings are loaded once its window is there
    ASSERT_TRUE(wizMain);
    ASSERT_TRUE(ShowPage(main, "输入设置", "scbxSetting"));
    ASSERT_TRUE(SetChecked(Find(main, "chkCiAutoHide"), true));
    ASSERT_TRUE(ShowPage(main, "高级", "scbxSetting"));
    ASSERT_TRUE(SetChecked(Find(main, "rdbxFan"), true));
    ASSERT_TRUE(Click(Find(main, "btnApply")));
    ASSERT_EQ(Stored("自动隐藏低频词"), 1u);
    ASSERT_EQ(Stored("输入简体汉字"), 0u);
    FinishNewcomer(wiz, wizMain, "rdbxGB", "rdbxCompMedium");
    ASSERT_FALSE(HasFailure());
  }
  EXPECT_EQ(Stored("自动隐藏低频词"), 0u) << "the wizard's copy, loaded before the centre saved";
  EXPECT_EQ(Stored("输入简体汉字"), 1u);
  EXPECT_EQ(Stored("支持GBK大字符集"), 0u);
  EXPECT_EQ(Stored("输入栏字体大小"), 22u);

  // Round 2: a new wizard finishes first; the centre, still open with its own copy, saves later.
  {
    Program wiz(Program::InInstallDir("kvcfgwiz.exe"));
    FinishNewcomer(wiz, WaitWizard(wiz), "rdbxGBK", "rdbxCompLarge");
    ASSERT_FALSE(HasFailure());
    ASSERT_EQ(Stored("输入栏字体大小"), 32u);
    ASSERT_EQ(Stored("支持GBK大字符集"), 1u);
  }
  ASSERT_TRUE(Click(Find(main, "btnApply")));
  EXPECT_EQ(Stored("自动隐藏低频词"), 1u);
  EXPECT_EQ(Stored("输入简体汉字"), 0u);
  EXPECT_EQ(Stored("支持GBK大字符集"), 1u);
  EXPECT_EQ(Stored("输入栏字体大小"), 16u) << "the centre's copy, loaded before either wizard saved";
  EXPECT_FALSE(cfg.TopWindow("TfrmSavePrompt"));
  ASSERT_TRUE(Press(Find(main, "btnCancel")));
  EXPECT_EQ(cfg.WaitExit(), 0);
}

}  // namespace
}  // namespace e2e
