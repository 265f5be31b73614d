// TKrevConfig against the real registry: defaults, per-value fallback, encodings, the fuzzy masks,
// the derived mode, write order and the non-atomic save.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "seams.h"
#include "testenv.h"
#include "uConfig.h"

using namespace krevtest;

namespace {

const std::string kZero(1, '\0');
const std::string kFinalNone("\xFF\xFF\xFF\xFF\x0F\x00\x00\x00", 8);
const std::string kFinalAll("\xFF\xFF\xFF\xFF\xFF\x01\x00\x00", 8);

enum class Kind { Flag, Integer, Text };

// The per-user values that map to one field each, in read order, with their defaults.
struct Plain {
  const char* name;
  Kind kind;
  bool TKrevConfig::*flag;
  int TKrevConfig::*integer;
  std::string TKrevConfig::*text;
  int defNumber;
  const char* defText;
};
Plain F(const char* n, bool TKrevConfig::*f, bool d) { return {n, Kind::Flag, f, nullptr, nullptr, d, nullptr}; }
Plain I(const char* n, int TKrevConfig::*f, int d) { return {n, Kind::Integer, nullptr, f, nullptr, d, nullptr}; }
Plain T(const char* n, std::string TKrevConfig::*f, const char* d) {
  return {n, Kind::Text, nullptr, nullptr, f, 0, d};
}

const std::vector<Plain>& PlainValues() {
  static const std::vector<Plain> v = {
      F("属性设置保存提示", &TKrevConfig::FPromptAfterSave, true),
      I("输入风格", &TKrevConfig::FInputStyle, 1),
      F("用字母键选择候选字词", &TKrevConfig::FUseAlphaSelect, false),
      F("使用双拼输入", &TKrevConfig::FShuangPin, false),
      F("双拼输入时显示提示信息", &TKrevConfig::FShowSPHint, true),
      F("光标跟随", &TKrevConfig::FTraceCaret, true),
      F("动态调整词频", &TKrevConfig::FCiAdjustFreq, true),
      F("自动隐藏低频词", &TKrevConfig::FCiAutoHide, false),
      F("动态调整字频", &TKrevConfig::FZiAdjustFreq, true),
      F("最近输入字优先", &TKrevConfig::FZiRecentFirst, true),
      I("每页最多候选个数", &TKrevConfig::FMaxCandidates, 5),
      I("中英文输入切换键", &TKrevConfig::FChnEngSwitchKey, 0),
      I("回车键定义", &TKrevConfig::FEnterKeyMode, 1),
      I("多个候选翻页键", &TKrevConfig::FPageKey, 0),
      I("输入第二第三候选字词键", &TKrevConfig::FCand23Key, 1),
      I("以词定字选字键", &TKrevConfig::FHZSelectKey, 2),
      I("软键盘开关键", &TKrevConfig::FSoftKbdKey, 10),
      T("输入栏中文字体", &TKrevConfig::FChnFontFace, "宋体"),
      T("输入栏英文字体", &TKrevConfig::FAscFontFace, "Arial"),
      I("输入栏字体大小", &TKrevConfig::FFontHeight, 16),
      I("输入栏显示样式", &TKrevConfig::FCompStyle, 0),
      T("输入栏背景", &TKrevConfig::FBackImage, ""),
      I("状态条显示", &TKrevConfig::FStatusBarMode, 1),
      F("支持GBK大字符集", &TKrevConfig::FUseGBK, true),
      F("输入简体汉字", &TKrevConfig::FSimplified, true),
      F("打开时默认为英文输入状态", &TKrevConfig::FEnglishAtStart, false),
      F("v状态可输入空格", &TKrevConfig::FAllowInputSpace, false),
      F("智能组词", &TKrevConfig::FICW, true),
      F("智能组词自动记忆", &TKrevConfig::FICWAutoSave, true),
      F("按前次输入动态调整字序", &TKrevConfig::FHZOrderSort, false),
      F("数字后跟随英文符号", &TKrevConfig::FESynAfterNumber, false),
      F("记忆并可输入最近输入过的字词", &TKrevConfig::FTrackRecent, true),
      T("用户词库文件", &TKrevConfig::FUserWordlibFile, ""),
  };
  return v;
}

bool TKrevConfig::*const kInitialFlags[] = {&TKrevConfig::FFuzzyZ, &TKrevConfig::FFuzzyC,
                                            &TKrevConfig::FFuzzyS, &TKrevConfig::FFuzzyL,
                                            &TKrevConfig::FFuzzyK, &TKrevConfig::FFuzzyF};
bool TKrevConfig::*const kFinalFlags[] = {&TKrevConfig::FFuzzyAn, &TKrevConfig::FFuzzyEn,
                                          &TKrevConfig::FFuzzyIn, &TKrevConfig::FFuzzyIan,
                                          &TKrevConfig::FFuzzyUan};

// The write order of SaveToRegistry: per-user values, then the machine-wide one.
const std::vector<std::string> kWriteOrder = {
    "输入风格", "用字母键选择候选字词", "使用双拼输入", "双拼输入时显示提示信息", "光标跟随",
    "动态调整词频", "自动隐藏低频词", "动态调整字频", "最近输入字优先", "每页最多候选个数",
    "中英文输入切换键", "回车键定义", "多个候选翻页键", "输入第二第三候选字词键", "以词定字选字键",
    "软键盘开关键", "输入栏中文字体", "输入栏英文字体", "输入栏字体大小", "输入栏显示样式",
    "输入栏背景", "状态条显示", "支持GBK大字符集", "输入简体汉字", "智能组词", "智能组词自动记忆",
    "按前次输入动态调整字序", "数字后跟随英文符号", "记忆并可输入最近输入过的字词",
    "打开时默认为英文输入状态", "v状态可输入空格", "声母模糊音设置", "韵母模糊音设置", "用户词库文件",
    "使用同一用户词库"};

class ConfigTest : public ::testing::Test {
 protected:
  SettingsKeysGuard keys_;
};

void ExpectDefaults(const TKrevConfig& c) {
  for (const Plain& p : PlainValues()) {
    SCOPED_TRACE(p.name);
    switch (p.kind) {
      case Kind::Flag: EXPECT_EQ(p.defNumber != 0, c.*p.flag); break;
      case Kind::Integer: EXPECT_EQ(p.defNumber, c.*p.integer); break;
      case Kind::Text: EXPECT_EQ(p.defText, c.*p.text); break;
    }
  }
  for (auto f : kInitialFlags) EXPECT_FALSE(c.*f);
  for (auto f : kFinalFlags) EXPECT_FALSE(c.*f);
}

TEST_F(ConfigTest, NewObjectHoldsZeroesUntilLoaded) {
  TKrevConfig c;
  for (const Plain& p : PlainValues()) {
    SCOPED_TRACE(p.name);
    if (p.kind == Kind::Flag) {
      EXPECT_FALSE(c.*p.flag);
    }
    if (p.kind == Kind::Integer) {
      EXPECT_EQ(0, c.*p.integer);
    }
    if (p.kind == Kind::Text) {
      EXPECT_EQ("", c.*p.text);
    }
  }
  EXPECT_EQ(0, c.FWordlibMode);
  EXPECT_FALSE(c.FOneWordlibPerMachine);
}

TEST_F(ConfigTest, NoUserKeyGivesDefaultsAndStillReadsTheMachineValue) {
  WriteDword(HKEY_LOCAL_MACHINE, "使用同一用户词库", 1);
  TKrevConfig c;
  c.LoadFromRegistry();
  ExpectDefaults(c);
  EXPECT_TRUE(c.FOneWordlibPerMachine);
  EXPECT_EQ(1, c.FWordlibMode);
  EXPECT_FALSE(SettingsKeyExists(HKEY_CURRENT_USER)) << "loading must not create the key";
}

TEST_F(ConfigTest, NoKeysAtAllGiveModeZero) {
  TKrevConfig c;
  c.LoadFromRegistry();
  ExpectDefaults(c);
  EXPECT_FALSE(c.FOneWordlibPerMachine);
  EXPECT_EQ(0, c.FWordlibMode);
  EXPECT_FALSE(SettingsKeyExists(HKEY_LOCAL_MACHINE));
}

TEST_F(ConfigTest, EmptyUserKeyGivesDefaultsValueByValue) {
  CreateSettingsKey(HKEY_CURRENT_USER);
  TKrevConfig c;
  c.LoadFromRegistry();
  ExpectDefaults(c);
}

TEST_F(ConfigTest, LoadDefaultsLeavesMachineFlagModeAndPathsAlone) {
  TKrevConfig c;
  c.FOneWordlibPerMachine = true;
  c.FWordlibMode = 2;
  c.FInstallDir = "X:\\";
  c.FEnginePath = "X:\\e.dll";
  c.FUserWordlibFile = "X:\\u.dat";
  c.FFuzzyUan = c.FFuzzyZ = true;
  c.LoadDefaults();
  ExpectDefaults(c);
  EXPECT_TRUE(c.FOneWordlibPerMachine);
  EXPECT_EQ(2, c.FWordlibMode);
  EXPECT_EQ("X:\\", c.FInstallDir);
  EXPECT_EQ("X:\\e.dll", c.FEnginePath);
}

TEST_F(ConfigTest, SavingDefaultsStoresFixedMaskBitsAndEmptyTextAsOneZeroByte) {
  TKrevConfig c;
  c.LoadDefaults();
  c.SaveToRegistry();
  RawValue initial = ReadRaw(HKEY_CURRENT_USER, "声母模糊音设置");
  EXPECT_EQ(DWORD(REG_DWORD), initial.type);
  EXPECT_EQ(Dword(16777215), initial.data);
  RawValue final_ = ReadRaw(HKEY_CURRENT_USER, "韵母模糊音设置");
  EXPECT_EQ(DWORD(REG_BINARY), final_.type);
  EXPECT_EQ(kFinalNone, final_.data);
  RawValue file = ReadRaw(HKEY_CURRENT_USER, "用户词库文件");
  EXPECT_EQ(DWORD(REG_SZ), file.type);
  EXPECT_EQ(kZero, file.data);
  RawValue machine = ReadRaw(HKEY_LOCAL_MACHINE, "使用同一用户词库");
  EXPECT_EQ(DWORD(REG_DWORD), machine.type);
  EXPECT_EQ(Dword(0), machine.data);
}

// Every value of the schema: saved from distinctive field values, read back raw with type, size
// and bytes, then loaded into a new object.
TEST_F(ConfigTest, EveryValueRoundTrips) {
  TKrevConfig out;
  int n = 0;
  for (const Plain& p : PlainValues()) {
    ++n;
    if (p.kind == Kind::Flag) out.*p.flag = p.defNumber == 0;
    if (p.kind == Kind::Integer) out.*p.integer = n % 2 ? 1000 + n : -n;  // signed, unchanged
  }
  out.FChnFontFace = "楷体_GB2312";
  out.FAscFontFace = "Tahoma";
  out.FBackImage = "C:\\图片\\背景 1.bmp";
  out.FUserWordlibFile = "D:\\词库\\我的.dat";
  out.FPromptAfterSave = false;  // never written: stays as stored
  out.FFuzzyZ = out.FFuzzyS = out.FFuzzyK = true;    // bits 24, 26, 28
  out.FFuzzyEn = out.FFuzzyIan = out.FFuzzyUan = true;  // bits 37, 39, 40
  out.FOneWordlibPerMachine = true;
  WriteDword(HKEY_CURRENT_USER, "属性设置保存提示", 1);
  out.SaveToRegistry();

  for (const Plain& p : PlainValues()) {
    if (p.flag == &TKrevConfig::FPromptAfterSave) continue;  // not written; checked below
    SCOPED_TRACE(p.name);
    RawValue v = ReadRaw(HKEY_CURRENT_USER, p.name);
    ASSERT_TRUE(v.found);
    switch (p.kind) {
      case Kind::Flag:
        EXPECT_EQ(DWORD(REG_DWORD), v.type);
        EXPECT_EQ(Dword(out.*p.flag ? 1 : 0), v.data);
        break;
      case Kind::Integer:
        EXPECT_EQ(DWORD(REG_DWORD), v.type);
        EXPECT_EQ(Dword(DWORD(out.*p.integer)), v.data);
        break;
      case Kind::Text:
        EXPECT_EQ(DWORD(REG_SZ), v.type);
        EXPECT_EQ(out.*p.text + kZero, v.data);
        break;
    }
  }
  EXPECT_EQ(Dword(1), ReadRaw(HKEY_CURRENT_USER, "属性设置保存提示").data);
  EXPECT_EQ(Dword(0x00FFFFFF | 0x01000000 | 0x04000000 | 0x10000000),
            ReadRaw(HKEY_CURRENT_USER, "声母模糊音设置").data);
  EXPECT_EQ(std::string("\xFF\xFF\xFF\xFF\xAF\x01\x00\x00", 8),
            ReadRaw(HKEY_CURRENT_USER, "韵母模糊音设置").data);
  EXPECT_EQ(Dword(1), ReadRaw(HKEY_LOCAL_MACHINE, "使用同一用户词库").data);

  TKrevConfig in;
  in.LoadFromRegistry();
  for (const Plain& p : PlainValues()) {
    SCOPED_TRACE(p.name);
    if (p.kind == Kind::Flag && p.flag != &TKrevConfig::FPromptAfterSave) {
      EXPECT_EQ(out.*p.flag, in.*p.flag);
    }
    if (p.kind == Kind::Integer) {
      EXPECT_EQ(out.*p.integer, in.*p.integer);
    }
    if (p.kind == Kind::Text) {
      EXPECT_EQ(out.*p.text, in.*p.text);
    }
  }
  EXPECT_TRUE(in.FPromptAfterSave);
  for (auto f : kInitialFlags) EXPECT_EQ(out.*f, in.*f);
  for (auto f : kFinalFlags) EXPECT_EQ(out.*f, in.*f);
  EXPECT_TRUE(in.FOneWordlibPerMachine);
  EXPECT_EQ(2, in.FWordlibMode);
}

TEST_F(ConfigTest, SaveNeverWritesThePromptFlag) {
  WriteDword(HKEY_CURRENT_USER, "属性设置保存提示", 0);
  TKrevConfig c;
  c.LoadDefaults();  // FPromptAfterSave true
  c.SaveToRegistry();
  EXPECT_EQ(Dword(0), ReadRaw(HKEY_CURRENT_USER, "属性设置保存提示").data);

  RegDeleteKeyA(HKEY_CURRENT_USER, KrevSettingsKey);
  c.SaveToRegistry();
  EXPECT_FALSE(ReadRaw(HKEY_CURRENT_USER, "属性设置保存提示").found);
  EXPECT_TRUE(ReadRaw(HKEY_CURRENT_USER, "输入风格").found);
}

// One stored value that is not what its field expects, and what the field then holds.
struct StoredCase {
  const char* label;
  const char* name;
  DWORD type;
  std::string data;
  std::function<void(const TKrevConfig&)> check;
};

TEST_F(ConfigTest, ValuesOfWrongTypeOrSizeFallBackOneByOne) {
  const std::vector<StoredCase> cases = {
      {"flag stored as 2 reads true", "用字母键选择候选字词", REG_DWORD, Dword(2),
       [](const TKrevConfig& c) { EXPECT_TRUE(c.FUseAlphaSelect); }},
      {"flag stored as text", "光标跟随", REG_SZ, std::string(4, '\0'),
       [](const TKrevConfig& c) { EXPECT_TRUE(c.FTraceCaret); }},
      {"flag stored as 4-byte binary", "动态调整字频", REG_BINARY, Dword(0),
       [](const TKrevConfig& c) { EXPECT_TRUE(c.FZiAdjustFreq); }},
      {"integer stored as text", "每页最多候选个数", REG_SZ, std::string("7\0", 2),
       [](const TKrevConfig& c) { EXPECT_EQ(5, c.FMaxCandidates); }},
      {"integer longer than 4 bytes", "输入风格", REG_DWORD, Dword(0) + Dword(0),
       [](const TKrevConfig& c) { EXPECT_EQ(1, c.FInputStyle); }},
      {"integer as big-endian DWORD type", "软键盘开关键", REG_DWORD_BIG_ENDIAN, Dword(3),
       [](const TKrevConfig& c) { EXPECT_EQ(10, c.FSoftKbdKey); }},
      {"integer negative", "输入栏显示样式", REG_DWORD, Dword(0xFFFFFFFE),
       [](const TKrevConfig& c) { EXPECT_EQ(-2, c.FCompStyle); }},
      {"integer of 2 bytes: missing bytes are zero", "输入栏字体大小", REG_DWORD, std::string("\x12\x00", 2),
       [](const TKrevConfig& c) { EXPECT_EQ(18, c.FFontHeight); }},
      {"expandable text read literally", "输入栏中文字体", REG_EXPAND_SZ,
       std::string("%SystemRoot%\\字体\0", 18),
       [](const TKrevConfig& c) { EXPECT_EQ("%SystemRoot%\\字体", c.FChnFontFace); }},
      {"text stored as DWORD", "输入栏英文字体", REG_DWORD, Dword(1),
       [](const TKrevConfig& c) { EXPECT_EQ("Arial", c.FAscFontFace); }},
      {"text of size 0 is empty", "输入栏英文字体", REG_SZ, std::string(),
       [](const TKrevConfig& c) { EXPECT_EQ("", c.FAscFontFace); }},
      {"text ends at a zero byte in its middle", "输入栏英文字体", REG_SZ, std::string("Tah\0oma\0", 8),
       [](const TKrevConfig& c) { EXPECT_EQ("Tah", c.FAscFontFace); }},
      {"text stored without its zero byte", "输入栏背景", REG_SZ, std::string("a.bmp"),
       [](const TKrevConfig& c) { EXPECT_EQ("a.bmp", c.FBackImage); }},
      {"text stored as binary", "用户词库文件", REG_BINARY, std::string("x.dat\0", 6),
       [](const TKrevConfig& c) { EXPECT_EQ("", c.FUserWordlibFile); }},
  };
  for (const StoredCase& k : cases) {
    SCOPED_TRACE(k.label);
    krevtest::DeleteSettingsKeys();
    // A neighbour stored well keeps its own value whatever happens to the case's value.
    WriteDword(HKEY_CURRENT_USER, "状态条显示", 2);
    WriteRaw(HKEY_CURRENT_USER, k.name, k.type, k.data);
    TKrevConfig c;
    c.LoadFromRegistry();
    k.check(c);
    EXPECT_EQ(2, c.FStatusBarMode);
  }
}

TEST_F(ConfigTest, FlagTwoAndTextIntegerAreSavedBackInTheirOwnEncoding) {
  WriteDword(HKEY_CURRENT_USER, "使用双拼输入", 2);
  WriteRaw(HKEY_CURRENT_USER, "每页最多候选个数", REG_SZ, std::string("7\0", 2));
  TKrevConfig c;
  c.LoadFromRegistry();
  c.SaveToRegistry();
  RawValue flag = ReadRaw(HKEY_CURRENT_USER, "使用双拼输入");
  EXPECT_EQ(DWORD(REG_DWORD), flag.type);
  EXPECT_EQ(Dword(1), flag.data);
  RawValue count = ReadRaw(HKEY_CURRENT_USER, "每页最多候选个数");
  EXPECT_EQ(DWORD(REG_DWORD), count.type);
  EXPECT_EQ(Dword(5), count.data);
}

struct MaskCase {
  const char* label;
  DWORD type;
  std::string data;
  unsigned expectedBits;  // bit i: flag i of the mask's table is on
};

unsigned FlagBits(const TKrevConfig& c, bool TKrevConfig::*const* flags, size_t count) {
  unsigned bits = 0;
  for (size_t i = 0; i < count; ++i)
    if (c.*flags[i]) bits |= 1u << i;
  return bits;
}

TEST_F(ConfigTest, InitialMaskBits) {
  const std::vector<MaskCase> cases = {
      {"fixed bits only", REG_DWORD, Dword(16777215), 0},
      {"all six", REG_DWORD, Dword(1073741823), 0x3F},
      {"z alone", REG_DWORD, Dword(0x01000000), 0x01},
      {"f alone, low bits clear", REG_DWORD, Dword(0x20000000), 0x20},
      {"l and c", REG_DWORD, Dword(0x00FFFFFF | 0x08000000 | 0x02000000), 0x0A},
      {"bits 30 and 31 ignored", REG_DWORD, Dword(0xC0FFFFFF), 0},
      {"stored as binary", REG_BINARY, Dword(0x3FFFFFFF), 0},
      {"longer than 4 bytes", REG_DWORD, Dword(0x3FFFFFFF) + Dword(0), 0},
  };
  for (const MaskCase& k : cases) {
    SCOPED_TRACE(k.label);
    krevtest::DeleteSettingsKeys();
    WriteRaw(HKEY_CURRENT_USER, "声母模糊音设置", k.type, k.data);
    TKrevConfig c;
    c.LoadFromRegistry();
    EXPECT_EQ(k.expectedBits, FlagBits(c, kInitialFlags, 6));
    EXPECT_EQ(0u, FlagBits(c, kFinalFlags, 5));
  }
}

TEST_F(ConfigTest, FinalMaskBits) {
  const std::vector<MaskCase> cases = {
      {"fixed bits only", REG_BINARY, kFinalNone, 0},
      {"all five", REG_BINARY, kFinalAll, 0x1F},
      {"an alone, lower half clear", REG_BINARY, std::string("\0\0\0\0\x10\0\0\0", 8), 0x01},
      {"uan alone", REG_BINARY, std::string("\xFF\xFF\xFF\xFF\x0F\x01\x00\x00", 8), 0x10},
      {"in and ian", REG_BINARY, std::string("\xFF\xFF\xFF\xFF\xCF\x00\x00\x00", 8), 0x0C},
      {"other upper bits ignored", REG_BINARY, std::string("\xFF\xFF\xFF\xFF\x0F\xFE\xFF\xFF", 8), 0},
      {"nine bytes", REG_BINARY, kFinalAll + std::string(1, '\0'), 0},
      {"stored as DWORD", REG_DWORD, kFinalAll, 0},
      {"stored as text", REG_SZ, std::string("abcdefg\0", 8), 0},
      {"other type of 8 bytes is read", REG_NONE, kFinalAll, 0x1F},
      {"six bytes: the rest reads as zero", REG_BINARY, std::string("\0\0\0\0\x20\x01", 6), 0x12},
      {"four bytes: no upper half", REG_BINARY, std::string("\xFF\xFF\xFF\xFF", 4), 0},
  };
  for (const MaskCase& k : cases) {
    SCOPED_TRACE(k.label);
    krevtest::DeleteSettingsKeys();
    WriteRaw(HKEY_CURRENT_USER, "韵母模糊音设置", k.type, k.data);
    TKrevConfig c;
    c.LoadFromRegistry();
    EXPECT_EQ(k.expectedBits, FlagBits(c, kFinalFlags, 5));
    EXPECT_EQ(0u, FlagBits(c, kInitialFlags, 6));
  }
}

struct ModeCase {
  const char* label;
  const char* file;         // "用户词库文件", nullptr: missing
  int machine;              // "使用同一用户词库", -1: missing
  bool expectedPerMachine;
  int expectedMode;
};

TEST_F(ConfigTest, WordlibModePrecedence) {
  const std::vector<ModeCase> cases = {
      {"nothing stored", nullptr, -1, false, 0},
      {"machine flag 0", nullptr, 0, false, 0},
      {"machine flag 1", nullptr, 1, true, 1},
      {"machine flag 2 counts as true", nullptr, 2, true, 1},
      {"empty file name", "", 1, true, 1},
      {"explicit file wins over the machine flag", "E:\\lex\\p.dat", 1, true, 2},
      {"explicit file alone", "E:\\lex\\p.dat", -1, false, 2},
  };
  for (const ModeCase& k : cases) {
    SCOPED_TRACE(k.label);
    krevtest::DeleteSettingsKeys();
    if (k.file) WriteText(HKEY_CURRENT_USER, "用户词库文件", k.file);
    if (k.machine >= 0) WriteDword(HKEY_LOCAL_MACHINE, "使用同一用户词库", DWORD(k.machine));
    TKrevConfig c;
    c.LoadFromRegistry();
    EXPECT_EQ(k.expectedPerMachine, c.FOneWordlibPerMachine);
    EXPECT_EQ(k.expectedMode, c.FWordlibMode);
  }
}

// Scripted registry: records every write, fails the chosen one, and can refuse the machine key.
std::vector<std::string> g_writes;
size_t g_failAt = 0;  // 1-based; 0: none fails
HKEY g_refuseRoot = nullptr;

LONG WINAPI RecordingSet(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
  g_writes.push_back(name);
  if (g_writes.size() == g_failAt) return ERROR_ACCESS_DENIED;
  return KrevConfigRealCalls.RegSetValueExA(key, name, reserved, type, data, size);
}

LONG WINAPI RefusingOpen(HKEY root, LPCSTR path, DWORD options, REGSAM access, PHKEY key) {
  if (root == g_refuseRoot && (access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  return KrevConfigRealCalls.RegOpenKeyExA(root, path, options, access, key);
}

LONG WINAPI RefusingCreate(HKEY root, LPCSTR path, DWORD reserved, LPSTR cls, DWORD options, REGSAM access,
                           LPSECURITY_ATTRIBUTES sa, PHKEY key, LPDWORD disposition) {
  if (root == g_refuseRoot) return ERROR_ACCESS_DENIED;
  return KrevConfigRealCalls.RegCreateKeyExA(root, path, reserved, cls, options, access, sa, key, disposition);
}

TEST_F(ConfigTest, WritesInSchemaOrder) {
  g_writes.clear();
  g_failAt = 0;
  krevtest::ScopedCall recording(KrevConfigCalls.RegSetValueExA, RecordingSet);
  TKrevConfig c;
  c.LoadDefaults();
  c.SaveToRegistry();
  EXPECT_EQ(kWriteOrder, g_writes);
}

TEST_F(ConfigTest, FailedWriteStopsTheSaveAndNamesTheValue) {
  for (size_t k : {size_t(1), size_t(2), size_t(24), size_t(25), size_t(30), size_t(34), size_t(35)}) {
    SCOPED_TRACE(kWriteOrder[k - 1]);
    krevtest::DeleteSettingsKeys();
    g_writes.clear();
    g_failAt = k;
    {
      krevtest::ScopedCall recording(KrevConfigCalls.RegSetValueExA, RecordingSet);
      TKrevConfig c;
      c.LoadDefaults();
      c.FOneWordlibPerMachine = true;
      try {
        c.SaveToRegistry();
        ADD_FAILURE() << "no error raised";
      } catch (const ERegistryError& e) {
        EXPECT_EQ("Failed to set data for '" + kWriteOrder[k - 1] + "'", std::string(e.what()));
      }
    }
    EXPECT_EQ(k, g_writes.size()) << "no write after the failing one";
    for (size_t i = 0; i + 1 < kWriteOrder.size(); ++i)
      EXPECT_EQ(i + 1 < k, ReadRaw(HKEY_CURRENT_USER, kWriteOrder[i]).found) << kWriteOrder[i];
    EXPECT_FALSE(ReadRaw(HKEY_LOCAL_MACHINE, "使用同一用户词库").found);
  }
}

// Counts the keys the settings object holds open, and how many were open when it opened another.
int g_open = 0;
int g_mostOpen = 0;
LONG WINAPI CountingOpen(HKEY root, LPCSTR path, DWORD options, REGSAM access, PHKEY key) {
  LONG rc = KrevConfigRealCalls.RegOpenKeyExA(root, path, options, access, key);
  if (rc == ERROR_SUCCESS) g_mostOpen = std::max(g_mostOpen, ++g_open);
  return rc;
}
LONG WINAPI CountingCreate(HKEY root, LPCSTR path, DWORD reserved, LPSTR cls, DWORD options, REGSAM access,
                           LPSECURITY_ATTRIBUTES sa, PHKEY key, LPDWORD disposition) {
  LONG rc = KrevConfigRealCalls.RegCreateKeyExA(root, path, reserved, cls, options, access, sa, key, disposition);
  if (rc == ERROR_SUCCESS) g_mostOpen = std::max(g_mostOpen, ++g_open);
  return rc;
}
LONG WINAPI CountingClose(HKEY key) {
  --g_open;
  return KrevConfigRealCalls.RegCloseKey(key);
}

TEST_F(ConfigTest, EveryKeyIsClosedBeforeTheNextOneAndOnError) {
  WriteDword(HKEY_LOCAL_MACHINE, "使用同一用户词库", 1);
  krevtest::ScopedCall opening(KrevConfigCalls.RegOpenKeyExA, CountingOpen);
  krevtest::ScopedCall creating(KrevConfigCalls.RegCreateKeyExA, CountingCreate);
  krevtest::ScopedCall closing(KrevConfigCalls.RegCloseKey, CountingClose);
  g_open = g_mostOpen = 0;
  TKrevConfig c;
  c.LoadFromRegistry();  // no user key: only the machine key opens
  EXPECT_EQ(0, g_open);
  c.SaveToRegistry();
  EXPECT_EQ(0, g_open);
  c.LoadFromRegistry();
  EXPECT_EQ(0, g_open);
  EXPECT_EQ(1, g_mostOpen);

  krevtest::ScopedCall recording(KrevConfigCalls.RegSetValueExA, RecordingSet);
  for (size_t k : {size_t(3), size_t(35)}) {
    g_writes.clear();
    g_failAt = k;
    EXPECT_THROW(c.SaveToRegistry(), ERegistryError);
    EXPECT_EQ(0, g_open) << "write " << k;
  }
}

TEST_F(ConfigTest, MachineKeyWithoutWriteRights) {
  WriteDword(HKEY_LOCAL_MACHINE, "使用同一用户词库", 1);
  g_refuseRoot = HKEY_LOCAL_MACHINE;
  krevtest::ScopedCall opening(KrevConfigCalls.RegOpenKeyExA, RefusingOpen);
  krevtest::ScopedCall creating(KrevConfigCalls.RegCreateKeyExA, RefusingCreate);
  TKrevConfig c;
  c.LoadFromRegistry();
  EXPECT_FALSE(c.FOneWordlibPerMachine);
  EXPECT_EQ(0, c.FWordlibMode);

  c.FOneWordlibPerMachine = false;
  c.FInputStyle = 0;
  EXPECT_NO_THROW(c.SaveToRegistry());
  EXPECT_EQ(Dword(0), ReadRaw(HKEY_CURRENT_USER, "输入风格").data);
  EXPECT_TRUE(ReadRaw(HKEY_CURRENT_USER, "用户词库文件").found);
  EXPECT_EQ(Dword(1), ReadRaw(HKEY_LOCAL_MACHINE, "使用同一用户词库").data) << "machine value untouched";
}

TEST_F(ConfigTest, UserKeyThatCannotBeCreatedStillWritesTheMachineValue) {
  g_refuseRoot = HKEY_CURRENT_USER;
  krevtest::ScopedCall creating(KrevConfigCalls.RegCreateKeyExA, RefusingCreate);
  TKrevConfig c;
  c.LoadDefaults();
  c.FOneWordlibPerMachine = true;
  EXPECT_NO_THROW(c.SaveToRegistry());
  EXPECT_FALSE(SettingsKeyExists(HKEY_CURRENT_USER));
  EXPECT_EQ(Dword(1), ReadRaw(HKEY_LOCAL_MACHINE, "使用同一用户词库").data);
}

}  // namespace
