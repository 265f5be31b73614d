// The settings centre as a user starts it: the version page by "?", and the road of one request
// (options changed in every section, the ShuangPin definition edited, OK, the save prompt turned
// off), then a second start that shows what was saved.
#include <future>

#include "e2e.h"

namespace e2e {
namespace {

std::string FileVersion(const std::string& path, const char* entry) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  if (!size) return "";
  std::string block(size, '\0');
  if (!GetFileVersionInfoA(path.c_str(), 0, size, &block[0])) return "";
  char* text = nullptr;
  UINT len = 0;
  if (!VerQueryValueA(&block[0], entry, reinterpret_cast<void**>(&text), &len) || !text) return "";
  return text;
}

class KrevcfgRun : public Scenario {};

TEST_F(KrevcfgRun, QuestionMarkStartsOnTheVersionPageWithTheFilesVersions) {
  Program cfg(Program::InInstallDir("krevcfg.exe", " ?"));
  HWND main = WaitCfgMain(cfg);
  ASSERT_TRUE(main);
  EXPECT_TRUE(WaitUntil([&] { return IsFront(Find(main, "scbxVersion")); }));
  EXPECT_EQ(TreeSelection(Find(main, "tvwMenu")), "输入法版本信息");
  std::string engine = FileVersion(krevtest::SystemDir() + "kvengine.dll", "\\StringFileInfo\\080404b0\\FileVersion");
  std::string ime = FileVersion(krevtest::SystemDir() + "vardeko.ime", "\\StringFileInfo\\080403a8\\FileVersion");
  ASSERT_FALSE(engine.empty());
  ASSERT_FALSE(ime.empty());
  ASSERT_NE(engine, ime) << "the two stand-ins must differ for the labels to tell them apart";
  EXPECT_EQ(Text(Find(main, "lblVerEngine")), engine);
  EXPECT_EQ(Text(Find(main, "lblVerIme")), ime);
  Close(main);
  EXPECT_EQ(cfg.WaitExit(), 0);
}

// One change a user makes, and what the registry holds for it after OK.
enum class Act { Tick, Untick, Select, Item };
struct Change {
  const char* node;       // tree node that shows the section
  const char* control;
  Act act;
  int item;               // Item: index in the combo box
  const char* value;      // registry value name
  DWORD type;
  std::string data;       // stored bytes
  const char* shown = nullptr;  // Item: the text an editable combo box shows
};

std::string Dw(DWORD v) { return std::string(reinterpret_cast<const char*>(&v), sizeof v); }

const std::vector<Change>& Changes() {
  static const std::vector<Change> changes = {
      {"输入设置", "rdbtStyle1", Act::Select, 0, "输入风格", REG_DWORD, Dw(0)},
      {"输入设置", "chkUseAlpha", Act::Tick, 0, "用字母键选择候选字词", REG_DWORD, Dw(1)},
      {"输入设置", "rdbxShuangPin", Act::Select, 0, "使用双拼输入", REG_DWORD, Dw(1)},
      {"输入设置", "chkCiAutoHide", Act::Tick, 0, "自动隐藏低频词", REG_DWORD, Dw(1)},
      {"输入设置", "cbxMaxNCand", Act::Item, 4, "每页最多候选个数", REG_DWORD, Dw(7)},
      {"功能键", "rdbxCEKCtrl", Act::Select, 0, "中英文输入切换键", REG_DWORD, Dw(1)},
      {"功能键", "cbxPageKey", Act::Item, 2, "多个候选翻页键", REG_DWORD, Dw(2)},
      {"功能键", "rdbxCandKShift", Act::Select, 0, "输入第二第三候选字词键", REG_DWORD, Dw(0)},
      {"功能键", "cbxHZSelectKey", Act::Item, 0, "以词定字选字键", REG_DWORD, Dw(0)},
      {"功能键", "cbxEnterKey", Act::Item, 2, "回车键定义", REG_DWORD, Dw(2)},
      {"功能键", "cbxSKKey", Act::Item, 18, "软键盘开关键", REG_DWORD, Dw(18)},
      {"外观", "cbxFontHeight", Act::Item, 2, "输入栏字体大小", REG_DWORD, Dw(22), "22个像素"},
      {"外观", "rdbxCompStyle2", Act::Select, 0, "输入栏显示样式", REG_DWORD, Dw(1)},
      {"外观", "rdbxShowStatus2", Act::Select, 0, "状态条显示", REG_DWORD, Dw(2)},
      {"模糊音", "chkFZ", Act::Tick, 0, "声母模糊音设置", REG_DWORD, Dw(0x01FFFFFF)},
      {"模糊音", "chkFan", Act::Tick, 0, "韵母模糊音设置", REG_BINARY, std::string("\xFF\xFF\xFF\xFF\x1F\x01\0\0", 8)},
      {"模糊音", "chkFuan", Act::Tick, 0, "韵母模糊音设置", REG_BINARY, std::string("\xFF\xFF\xFF\xFF\x1F\x01\0\0", 8)},
      {"高级", "rdbxGB", Act::Select, 0, "支持GBK大字符集", REG_DWORD, Dw(0)},
      {"高级", "rdbxFan", Act::Select, 0, "输入简体汉字", REG_DWORD, Dw(0)},
      {"高级", "rdbxEngMode", Act::Select, 0, "打开时默认为英文输入状态", REG_DWORD, Dw(1)},
      {"高级", "chkESynAfterNumber", Act::Tick, 0, "数字后跟随英文符号", REG_DWORD, Dw(1)},
      {"高级", "chkICW", Act::Untick, 0, "智能组词", REG_DWORD, Dw(0)},
  };
  return changes;
}

bool Apply(HWND main, const Change& c) {
  HWND h = Find(main, c.control);
  switch (c.act) {
    case Act::Tick: return SetChecked(h, true);
    case Act::Untick: return SetChecked(h, false);
    case Act::Select: return SetChecked(h, true);
    case Act::Item: return SelectComboIndex(h, c.item);
  }
  return false;
}

bool Shows(HWND main, const Change& c) {
  HWND h = Find(main, c.control);
  switch (c.act) {
    case Act::Tick: return Checked(h);
    case Act::Untick: return !Checked(h);
    case Act::Select: return Checked(h);
    case Act::Item: {
      // An editable combo box shows the stored text without selecting its item.
      return ComboIndex(h) == c.item || (c.shown && Text(h) == c.shown);
    }
  }
  return false;
}

const std::string kSpdefText =
    "; 我的双拼方案\r\n[scheme]\r\nname=我的方案\r\n[initials]\r\nzh=v\r\nch=i\r\nsh=u\r\n"
    "[finals]\r\niu=q\r\nang=h\r\n[zero]\r\nang=ah\r\n";

// Presses Save; true when it finished without showing the save prompt.
bool SaveWithoutPrompt(const Program& cfg, HWND main) {
  HWND apply = Find(main, "btnApply");
  auto click = std::async(std::launch::async, [apply] { return Click(apply); });
  HWND prompt = nullptr;
  WaitUntil([&] {
    return (prompt = cfg.TopWindow("TfrmSavePrompt")) != nullptr ||
           click.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
  });
  if (prompt) Click(Find(prompt, "btnOK"));
  return click.get() && !prompt;
}

TEST_F(KrevcfgRun, RoadOfOneRequestSavesEverythingAndTheNextStartShowsIt) {
  DeleteFileA((data_ + "perlex.dat").c_str());
  DeleteFileA((data_ + "vardekosp.ksc").c_str());
  std::string chnFace;
  {
    Program cfg(Program::InInstallDir("krevcfg.exe"));
    HWND main = WaitCfgMain(cfg);
    ASSERT_TRUE(main);
    auto counts = ComboItems(Find(main, "cbxMaxNCand"));
    EXPECT_EQ(counts, (std::vector<std::string>{"3个", "4个", "5个", "6个", "7个", "8个", "9个"}));
    for (const auto& c : Changes()) {
      ASSERT_TRUE(ShowPage(main, c.node, "scbxSetting")) << c.node;
      EXPECT_TRUE(Apply(main, c)) << c.control;
    }
    EXPECT_FALSE(Enabled(Find(main, "chkICWAutoSave"))) << "clearing 智能组词 disables its companion";
    // The face lists hold the installed families; a stored face that is none of them is shown,
    // and saved, as no selection.
    chnFace = Text(Find(main, "cbxChnFontFace"));

    ASSERT_TRUE(ShowPage(main, "双拼编码", "pnlSpdef"));
    HWND memo = Find(main, "mmoSpdef");
    EXPECT_EQ(Text(memo), krevtest::ReadFileBytes(data_ + "vardekosp.ini")) << "the editor shows the live file";
    ASSERT_TRUE(Type(memo, kSpdefText));

    ASSERT_TRUE(Press(Find(main, "btnOK")));
    HWND prompt = cfg.WaitWindow("TfrmSavePrompt");
    ASSERT_TRUE(prompt) << "no save prompt after OK";
    EXPECT_EQ(Text(Find(prompt, "Label1")), "属性设置与自定义信息已保存。");
    ASSERT_TRUE(SetChecked(Find(prompt, "chkNoPromptAgain"), true));
    ASSERT_TRUE(Press(Find(prompt, "btnOK")));
    EXPECT_EQ(cfg.WaitExit(), 0) << "OK with a user word library in place ends the program";
  }

  // Every per-user value is written, each with its type; the changed ones as changed.
  auto all = ReadAllValues();
  EXPECT_EQ(all.size(), 35u);
  for (const auto& c : Changes()) {
    const RawValue& v = all[c.value];
    EXPECT_TRUE(v.found) << c.value;
    EXPECT_EQ(v.type, c.type) << c.value;
    EXPECT_TRUE(v.data == c.data) << c.value;
  }
  EXPECT_EQ(all["输入栏中文字体"].type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(all["输入栏中文字体"].data, chnFace + '\0');
  EXPECT_EQ(all["用户词库文件"].data, std::string(1, '\0'));
  RawValue prompt = all["属性设置保存提示"];
  EXPECT_EQ(prompt.type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(prompt.dword(), 0u);
  RawValue machine = ReadRaw(HKEY_LOCAL_MACHINE, "使用同一用户词库");
  EXPECT_TRUE(machine.found && machine.type == REG_DWORD && machine.dword() == 0);

  // The definition file holds the typed text, lines ending in CR LF; the key scheme was compiled
  // from it; the missing user word library was generated.
  EXPECT_EQ(krevtest::ReadFileBytes(data_ + "vardekosp.ini"), kSpdefText);
  std::string ksc = krevtest::ReadFileBytes(data_ + "vardekosp.ksc");
  EXPECT_EQ(ksc.substr(0, 4), "KSC1");
  EXPECT_NE(ksc.find("我的方案"), std::string::npos);
  EXPECT_EQ(krevtest::ReadFileBytes(data_ + "perlex.dat"), krevtest::ReadFileBytes(krevtest::InstallDir() + "baselex.dat"));

  // A second start shows what was saved, and Save asks nothing now.
  Program cfg(Program::InInstallDir("krevcfg.exe"));
  HWND main = WaitCfgMain(cfg);
  ASSERT_TRUE(main);
  for (const auto& c : Changes()) EXPECT_TRUE(Shows(main, c)) << c.control;
  EXPECT_FALSE(Enabled(Find(main, "chkICWAutoSave")));
  ASSERT_TRUE(ShowPage(main, "双拼编码", "pnlSpdef"));
  EXPECT_EQ(Text(Find(main, "mmoSpdef")), kSpdefText);
  EXPECT_TRUE(SaveWithoutPrompt(cfg, main));
  EXPECT_TRUE(cfg.Running()) << "Save keeps the window open";
  ASSERT_TRUE(Press(Find(main, "btnCancel")));
  EXPECT_EQ(cfg.WaitExit(), 0);
  EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, "属性设置保存提示").dword(), 0u) << "nothing sets the prompt back on";
}

}  // namespace
}  // namespace e2e
