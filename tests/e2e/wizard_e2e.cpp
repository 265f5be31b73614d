// The wizard as a user walks it: the newcomer's path and the Ziranma path, each ending with
// Finish, then the registry and the user's ShuangPin file read back.
#include <initializer_list>
#include <memory>
#include <utility>

#include "e2e.h"

namespace e2e {

namespace {

class WizardRun : public Scenario {
 protected:
  std::string spdef() const { return data_ + "vardekosp.ini"; }
  // A ShuangPin file the user edited earlier.
  const std::string kEdited = "; 我改过的\r\n[finals]\r\nang=h\r\n";

  // Starts the wizard over the stored values `loaded` and the edited ShuangPin file; its window
  // once page 0 shows, nullptr when it did not come.
  HWND Start(std::initializer_list<std::pair<const char*, DWORD>> loaded) {
    for (const auto& value : loaded) WriteDword(HKEY_CURRENT_USER, value.first, value.second);
    CreateDirectoryA(data_.c_str(), nullptr);
    if (!krevtest::WriteFileBytes(spdef(), kEdited)) {
      ADD_FAILURE() << "cannot write " << spdef();
      return nullptr;
    }
    wizard_.reset(new Program(Program::InInstallDir("kvcfgwiz.exe")));
    return WaitWizard(*wizard_);
  }
  // Presses Finish, where the wizard writes the answers and ends: its exit code (-1000 when the
  // button could not be pressed or the wizard did not end).
  long Finish(HWND main) { return Press(Find(main, "btnFinish")) ? wizard_->WaitExit() : -1000; }

 private:
  std::unique_ptr<Program> wizard_;
};

TEST_F(WizardRun, NewcomerPathWritesTheAnswersAndLeavesShuangPinAlone) {
  // Loaded values the answers may only switch on, never off.
  HWND main = Start({{"动态调整词频", 0}, {"动态调整字频", 0}, {"最近输入字优先", 0}, {"智能组词", 0}, {"使用双拼输入", 1}});
  ASSERT_TRUE(main);
  ASSERT_TRUE(Forward(main, "btnNext0", 1));
  ASSERT_TRUE(SetChecked(Find(main, "rdbtUsage1"), true));
  ASSERT_TRUE(Forward(main, "btnNext1", 2));
  ASSERT_TRUE(SetChecked(Find(main, "chkFuzzy2"), true));  // only the finals are hard to tell
  ASSERT_TRUE(Forward(main, "btnNext2", 3));
  ASSERT_TRUE(SetChecked(Find(main, "rdbxFanti"), true));
  ASSERT_TRUE(Forward(main, "btnNext3", 4));
  ASSERT_TRUE(SetChecked(Find(main, "chkAdjFreq"), true));
  ASSERT_FALSE(Checked(Find(main, "chkICW")));
  ASSERT_TRUE(Forward(main, "btnNext4", 5));
  ASSERT_TRUE(SetChecked(Find(main, "rdbxCompLarge"), true));
  ASSERT_TRUE(Forward(main, "btnNext5", 8));
  ASSERT_EQ(Finish(main), 0);

  auto all = ReadAllValues();
  EXPECT_EQ(all.size(), 34u) << "every per-user value but the save-prompt flag";
  EXPECT_FALSE(all.count("属性设置保存提示"));
  EXPECT_EQ(all["声母模糊音设置"].dword(), 0x00FFFFFFu);
  EXPECT_EQ(all["韵母模糊音设置"].data, std::string("\xFF\xFF\xFF\xFF\xFF\x01\0\0", 8));
  struct {
    const char* name;
    DWORD value;
  } expected[] = {{"支持GBK大字符集", 1}, {"输入简体汉字", 0},   {"动态调整词频", 1},     {"动态调整字频", 1},
                  {"最近输入字优先", 1},  {"智能组词", 0},       {"智能组词自动记忆", 1}, {"输入栏字体大小", 32},
                  {"使用双拼输入", 1},    {"输入风格", 1},       {"每页最多候选个数", 5}};
  for (auto& e : expected) {
    EXPECT_EQ(all[e.name].type, static_cast<DWORD>(REG_DWORD)) << e.name;
    EXPECT_EQ(all[e.name].dword(), e.value) << e.name;
  }
  EXPECT_EQ(krevtest::ReadFileBytes(spdef()), kEdited) << "the newcomer path copies no ShuangPin file";
}

TEST_F(WizardRun, ZiranmaPathTurnsShuangPinOnAndCopiesItsScheme) {
  HWND main = Start({{"输入风格", 0}, {"每页最多候选个数", 7}, {"多个候选翻页键", 2}});
  ASSERT_TRUE(main);
  ASSERT_TRUE(Forward(main, "btnNext0", 1));
  ASSERT_TRUE(SetChecked(Find(main, "rdbtUsage2"), true));
  ASSERT_TRUE(Forward(main, "btnNext1", 6));
  ASSERT_TRUE(SetChecked(Find(main, "rdbxZiranma"), true));
  ASSERT_TRUE(Forward(main, "btnNext6", 8)) << "Ziranma skips the QuanPin/ShuangPin page";
  ASSERT_EQ(Finish(main), 0);

  auto all = ReadAllValues();
  EXPECT_EQ(all.size(), 34u);
  EXPECT_EQ(all["使用双拼输入"].dword(), 1u);
  // The Ziranma row of the presets leaves the key settings as loaded.
  EXPECT_EQ(all["输入风格"].dword(), 0u);
  EXPECT_EQ(all["每页最多候选个数"].dword(), 7u);
  EXPECT_EQ(all["多个候选翻页键"].dword(), 2u);
  std::string preset = krevtest::ReadFileBytes(krevtest::InstallDir() + "vsp-zrm.ini");
  ASSERT_FALSE(preset.empty());
  EXPECT_EQ(krevtest::ReadFileBytes(spdef()), preset) << "the edited file is replaced by the preset";
}

}  // namespace
}  // namespace e2e
