#include "uConfig.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "settingskey.h"

const char* const KrevSettingsKey = krev::kSettingsKey;
const char* const KrevPromptAfterSaveValue = "属性设置保存提示";

const TKrevConfigCalls KrevConfigRealCalls = {
    ::RegOpenKeyExA,       ::RegCreateKeyExA,        ::RegSetValueExA,
    ::GetSystemDirectoryA, ::krevGetVardekoPath,     ::krevGetUserDataPath,
    ::krevGetUserWordlibPath, ::krevGetChnsymPath,   ::krevGetSpdefPath,
    ::krevGetSpewordsPath, ::RegCloseKey,
};
TKrevConfigCalls KrevConfigCalls = KrevConfigRealCalls;

namespace {

enum class Kind { Flag, Integer, Text, InitialMask, FinalMask };

// One fuzzy pair: the field and its bit within the mask (the initial mask's DWORD, or the upper
// 32-bit half of the final mask's 64-bit number).
struct FuzzyBit {
  bool TKrevConfig::*field;
  DWORD bit;
};

const FuzzyBit kInitialBits[] = {
    {&TKrevConfig::FFuzzyZ, 0x01000000}, {&TKrevConfig::FFuzzyC, 0x02000000},
    {&TKrevConfig::FFuzzyS, 0x04000000}, {&TKrevConfig::FFuzzyL, 0x08000000},
    {&TKrevConfig::FFuzzyK, 0x10000000}, {&TKrevConfig::FFuzzyF, 0x20000000},
};
const DWORD kInitialFixed = 0x00FFFFFF;

const FuzzyBit kFinalBits[] = {
    {&TKrevConfig::FFuzzyAn, 0x10}, {&TKrevConfig::FFuzzyEn, 0x20},
    {&TKrevConfig::FFuzzyIn, 0x40}, {&TKrevConfig::FFuzzyIan, 0x80},
    {&TKrevConfig::FFuzzyUan, 0x100},
};
// Bits 0 to 35 of the 64-bit number are always stored set.
const DWORD kFinalFixedLow = 0xFFFFFFFF;
const DWORD kFinalFixedHigh = 0x0000000F;

struct Setting {
  const char* name;
  Kind kind;
  int written;  // position in SaveToRegistry; 0: never written by it
  bool TKrevConfig::*flag;
  int TKrevConfig::*integer;
  std::string TKrevConfig::*text;
  int defaultNumber;  // flags and integers
  const char* defaultText;
};

Setting Flag(const char* name, int written, bool TKrevConfig::*f, bool def) {
  return {name, Kind::Flag, written, f, nullptr, nullptr, def ? 1 : 0, nullptr};
}
Setting Int(const char* name, int written, int TKrevConfig::*f, int def) {
  return {name, Kind::Integer, written, nullptr, f, nullptr, def, nullptr};
}
Setting Text(const char* name, int written, std::string TKrevConfig::*f, const char* def) {
  return {name, Kind::Text, written, nullptr, nullptr, f, 0, def};
}
Setting Mask(const char* name, int written, Kind kind) {
  return {name, kind, written, nullptr, nullptr, nullptr, 0, nullptr};
}

// The per-user values in read order, with their write positions and defaults. The word-library
// file's name is the one the rule that finds the user word library reads (settingskey.h).
const Setting kSchema[] = {
    Flag("属性设置保存提示", 0, &TKrevConfig::FPromptAfterSave, true),
    Int("输入风格", 1, &TKrevConfig::FInputStyle, 1),
    Flag("用字母键选择候选字词", 2, &TKrevConfig::FUseAlphaSelect, false),
    Flag("使用双拼输入", 3, &TKrevConfig::FShuangPin, false),
    Flag("双拼输入时显示提示信息", 4, &TKrevConfig::FShowSPHint, true),
    Flag("光标跟随", 5, &TKrevConfig::FTraceCaret, true),
    Flag("动态调整词频", 6, &TKrevConfig::FCiAdjustFreq, true),
    Flag("自动隐藏低频词", 7, &TKrevConfig::FCiAutoHide, false),
    Flag("动态调整字频", 8, &TKrevConfig::FZiAdjustFreq, true),
    Flag("最近输入字优先", 9, &TKrevConfig::FZiRecentFirst, true),
    Int("每页最多候选个数", 10, &TKrevConfig::FMaxCandidates, 5),
    Int("中英文输入切换键", 11, &TKrevConfig::FChnEngSwitchKey, 0),
    Int("回车键定义", 12, &TKrevConfig::FEnterKeyMode, 1),
    Int("多个候选翻页键", 13, &TKrevConfig::FPageKey, 0),
    Int("输入第二第三候选字词键", 14, &TKrevConfig::FCand23Key, 1),
    Int("以词定字选字键", 15, &TKrevConfig::FHZSelectKey, 2),
    Int("软键盘开关键", 16, &TKrevConfig::FSoftKbdKey, 10),
    Text("输入栏中文字体", 17, &TKrevConfig::FChnFontFace, "宋体"),
    Text("输入栏英文字体", 18, &TKrevConfig::FAscFontFace, "Arial"),
    Int("输入栏字体大小", 19, &TKrevConfig::FFontHeight, 16),
    Int("输入栏显示样式", 20, &TKrevConfig::FCompStyle, 0),
    Text("输入栏背景", 21, &TKrevConfig::FBackImage, ""),
    Int("状态条显示", 22, &TKrevConfig::FStatusBarMode, 1),
    Flag("支持GBK大字符集", 23, &TKrevConfig::FUseGBK, true),
    Flag("输入简体汉字", 24, &TKrevConfig::FSimplified, true),
    Flag("打开时默认为英文输入状态", 30, &TKrevConfig::FEnglishAtStart, false),
    Flag("v状态可输入空格", 31, &TKrevConfig::FAllowInputSpace, false),
    Flag("智能组词", 25, &TKrevConfig::FICW, true),
    Flag("智能组词自动记忆", 26, &TKrevConfig::FICWAutoSave, true),
    Flag("按前次输入动态调整字序", 27, &TKrevConfig::FHZOrderSort, false),
    Flag("数字后跟随英文符号", 28, &TKrevConfig::FESynAfterNumber, false),
    Flag("记忆并可输入最近输入过的字词", 29, &TKrevConfig::FTrackRecent, true),
    Mask("声母模糊音设置", 32, Kind::InitialMask),
    Mask("韵母模糊音设置", 33, Kind::FinalMask),
    Text(krev::kUserWordlibValue, 34, &TKrevConfig::FUserWordlibFile, ""),
};

// Closes the key on every way out of the operation, errors included.
class KeyHolder {
 public:
  KeyHolder() = default;
  ~KeyHolder() {
    if (key_) KrevConfigCalls.RegCloseKey(key_);
  }
  KeyHolder(const KeyHolder&) = delete;
  KeyHolder& operator=(const KeyHolder&) = delete;
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

bool OpenForReading(HKEY root, KeyHolder& key) {
  // Full access even for reading, so a user without write rights to a key reads it as missing.
  if (KrevConfigCalls.RegOpenKeyExA(root, KrevSettingsKey, 0, KEY_ALL_ACCESS, key.out()) !=
      ERROR_SUCCESS) {
    *key.out() = nullptr;
    return false;
  }
  return true;
}

bool OpenForWriting(HKEY root, KeyHolder& key) {
  if (KrevConfigCalls.RegCreateKeyExA(root, KrevSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_ALL_ACCESS, nullptr, key.out(), nullptr) != ERROR_SUCCESS) {
    *key.out() = nullptr;
    return false;
  }
  return true;
}

// A REG_DWORD of at most 4 bytes; missing bytes read as zero.
bool ReadDword(HKEY key, const char* name, DWORD& value) {
  BYTE data[4] = {0, 0, 0, 0};
  DWORD type = 0, size = sizeof data;
  if (RegQueryValueExA(key, name, nullptr, &type, data, &size) != ERROR_SUCCESS) return false;
  if (type != REG_DWORD) return false;
  value = DWORD(data[0]) | DWORD(data[1]) << 8 | DWORD(data[2]) << 16 | DWORD(data[3]) << 24;
  return true;
}

// REG_SZ or REG_EXPAND_SZ, taken literally up to its first zero byte.
bool ReadText(HKEY key, const char* name, std::string& value) {
  DWORD type = 0, size = 0;
  LONG rc = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
  if (rc != ERROR_SUCCESS) return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  std::vector<char> data;
  do {
    data.assign(size + 1, '\0');
    DWORD got = size;
    rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
    if (rc == ERROR_MORE_DATA) size = got > size ? got : size * 2 + 16;
  } while (rc == ERROR_MORE_DATA);
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  value.assign(data.data(), strnlen(data.data(), data.size()));
  return true;
}

// Any type but the two string types and REG_DWORD, at most 8 bytes; returns the upper 32-bit half
// of the little-endian 64-bit number, missing bytes reading as zero.
bool ReadFinalMask(HKEY key, const char* name, DWORD& upper) {
  BYTE data[8] = {};
  DWORD type = 0, size = sizeof data;
  if (RegQueryValueExA(key, name, nullptr, &type, data, &size) != ERROR_SUCCESS) return false;
  if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_DWORD) return false;
  upper = DWORD(data[4]) | DWORD(data[5]) << 8 | DWORD(data[6]) << 16 | DWORD(data[7]) << 24;
  return true;
}

void ApplyDefault(TKrevConfig& c, const Setting& s) {
  switch (s.kind) {
    case Kind::Flag: c.*s.flag = s.defaultNumber != 0; break;
    case Kind::Integer: c.*s.integer = s.defaultNumber; break;
    case Kind::Text: c.*s.text = s.defaultText; break;
    case Kind::InitialMask:
      for (const FuzzyBit& b : kInitialBits) c.*b.field = false;
      break;
    case Kind::FinalMask:
      for (const FuzzyBit& b : kFinalBits) c.*b.field = false;
      break;
  }
}

// A mask that reads turns on the pairs whose bits are set and leaves the others as they are.
void ApplyBits(TKrevConfig& c, const FuzzyBit* bits, size_t count, DWORD value) {
  for (size_t i = 0; i < count; ++i)
    if (value & bits[i].bit) c.*bits[i].field = true;
}

void ReadSetting(HKEY key, TKrevConfig& c, const Setting& s) {
  DWORD number = 0;
  std::string text;
  bool ok = false;
  switch (s.kind) {
    case Kind::Flag:
      if ((ok = ReadDword(key, s.name, number))) c.*s.flag = number != 0;
      break;
    case Kind::Integer:
      if ((ok = ReadDword(key, s.name, number))) c.*s.integer = static_cast<int>(number);
      break;
    case Kind::Text:
      if ((ok = ReadText(key, s.name, text))) c.*s.text = text;
      break;
    case Kind::InitialMask:
      if ((ok = ReadDword(key, s.name, number)))
        ApplyBits(c, kInitialBits, sizeof kInitialBits / sizeof kInitialBits[0], number);
      break;
    case Kind::FinalMask:
      if ((ok = ReadFinalMask(key, s.name, number)))
        ApplyBits(c, kFinalBits, sizeof kFinalBits / sizeof kFinalBits[0], number);
      break;
  }
  if (!ok) ApplyDefault(c, s);
}

void WriteValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) {
  if (KrevConfigCalls.RegSetValueExA(key, name, 0, type, data, size) != ERROR_SUCCESS)
    throw ERegistryError(std::string("Failed to set data for '") + name + "'");
}

void WriteDword(HKEY key, const char* name, DWORD value) {
  BYTE data[4] = {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
  WriteValue(key, name, REG_DWORD, data, sizeof data);
}

void WriteSetting(HKEY key, const TKrevConfig& c, const Setting& s) {
  switch (s.kind) {
    case Kind::Flag: WriteDword(key, s.name, c.*s.flag ? 1 : 0); break;
    case Kind::Integer: WriteDword(key, s.name, static_cast<DWORD>(c.*s.integer)); break;
    case Kind::Text: {
      const std::string& t = c.*s.text;
      // The terminating zero byte is part of the data: an empty text is one zero byte.
      WriteValue(key, s.name, REG_SZ, reinterpret_cast<const BYTE*>(t.c_str()),
                 static_cast<DWORD>(t.size() + 1));
      break;
    }
    case Kind::InitialMask: {
      DWORD mask = kInitialFixed;
      for (const FuzzyBit& b : kInitialBits)
        if (c.*b.field) mask |= b.bit;
      WriteDword(key, s.name, mask);
      break;
    }
    case Kind::FinalMask: {
      DWORD low = kFinalFixedLow, high = kFinalFixedHigh;
      for (const FuzzyBit& b : kFinalBits)
        if (c.*b.field) high |= b.bit;
      BYTE data[8] = {BYTE(low),  BYTE(low >> 8),  BYTE(low >> 16),  BYTE(low >> 24),
                      BYTE(high), BYTE(high >> 8), BYTE(high >> 16), BYTE(high >> 24)};
      WriteValue(key, s.name, REG_BINARY, data, sizeof data);
      break;
    }
  }
}

// The schema's entries in write order, leaving out the one that SaveToRegistry never writes.
std::vector<const Setting*> WriteOrder() {
  std::vector<const Setting*> order;
  for (const Setting& s : kSchema)
    if (s.written > 0) order.push_back(&s);
  std::sort(order.begin(), order.end(),
            [](const Setting* a, const Setting* b) { return a->written < b->written; });
  return order;
}

std::string BufferText(const std::vector<char>& buffer) {
  return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

}  // namespace

TKrevConfig::TKrevConfig()
    : FInputStyle(0), FUseAlphaSelect(false), FShuangPin(false), FShowSPHint(false),
      FTraceCaret(false), FCiAdjustFreq(false), FCiAutoHide(false), FZiAdjustFreq(false),
      FZiRecentFirst(false), FMaxCandidates(0), FAllowInputSpace(false), FChnEngSwitchKey(0),
      FEnterKeyMode(0), FPageKey(0), FCand23Key(0), FHZSelectKey(0), FSoftKbdKey(0),
      FFontHeight(0), FCompStyle(0), FStatusBarMode(0), FFuzzyC(false), FFuzzyF(false),
      FFuzzyK(false), FFuzzyL(false), FFuzzyS(false), FFuzzyZ(false), FFuzzyAn(false),
      FFuzzyEn(false), FFuzzyIan(false), FFuzzyIn(false), FFuzzyUan(false), FUseGBK(false),
      FICW(false), FICWAutoSave(false), FHZOrderSort(false), FESynAfterNumber(false),
      FTrackRecent(false), FSimplified(false), FEnglishAtStart(false),
      FOneWordlibPerMachine(false), FWordlibMode(0), FPromptAfterSave(false) {
  ReadPaths();
}

void TKrevConfig::ReadPaths() {
  // One zeroed buffer for all calls: each getter finds what the call before it left there.
  std::vector<char> buffer(KREV_PATH_BUFFER, '\0');
  KrevConfigCalls.GetSystemDirectoryA(buffer.data(), KREV_PATH_BUFFER);
  const std::string systemDir = BufferText(buffer);
  FEnginePath = systemDir + "\\kvengine.dll";
  FImePath = systemDir + "\\vardeko.ime";

  const struct {
    TKrevPathGetter getter;
    std::string TKrevConfig::*field;
  } getters[] = {
      {KrevConfigCalls.krevGetVardekoPath, &TKrevConfig::FInstallDir},
      {KrevConfigCalls.krevGetUserDataPath, &TKrevConfig::FUserDataDir},
      {KrevConfigCalls.krevGetUserWordlibPath, &TKrevConfig::FUserWordlibPath},
      {KrevConfigCalls.krevGetChnsymPath, &TKrevConfig::FChnsymPath},
      {KrevConfigCalls.krevGetSpdefPath, &TKrevConfig::FSpdefPath},
      {KrevConfigCalls.krevGetSpewordsPath, &TKrevConfig::FSpewordsPath},
  };
  for (const auto& g : getters)
    if (g.getter(buffer.data()) != 0) this->*g.field = BufferText(buffer);
}

void TKrevConfig::LoadDefaults() {
  for (const Setting& s : kSchema) ApplyDefault(*this, s);
}

void TKrevConfig::LoadFromRegistry() {
  {
    KeyHolder key;
    if (!OpenForReading(HKEY_CURRENT_USER, key)) {
      LoadDefaults();
    } else {
      for (const Setting& s : kSchema) ReadSetting(key.get(), *this, s);
    }
  }
  {
    KeyHolder key;
    DWORD number = 0;
    FOneWordlibPerMachine = OpenForReading(HKEY_LOCAL_MACHINE, key) &&
                            ReadDword(key.get(), krev::kSameWordlibValue, number) && number != 0;
  }
  FWordlibMode = !FUserWordlibFile.empty() ? 2 : FOneWordlibPerMachine ? 1 : 0;
}

void TKrevConfig::SaveToRegistry() {
  {
    KeyHolder key;
    if (OpenForWriting(HKEY_CURRENT_USER, key))
      for (const Setting* s : WriteOrder()) WriteSetting(key.get(), *this, *s);
  }
  KeyHolder key;
  if (OpenForWriting(HKEY_LOCAL_MACHINE, key))
    WriteDword(key.get(), krev::kSameWordlibValue, FOneWordlibPerMachine ? 1 : 0);
}
