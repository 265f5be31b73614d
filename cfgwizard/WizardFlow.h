// The wizard without its window: the answers its pages hold, the page graph with its two branching
// points and the remembered back page, the advice text of page 9, and what Finish makes of the
// answers. The form reads its controls into TWizardAnswers and shows the pages these functions name.
#pragma once

#include <string>

class TKrevConfig;

// Page indexes of pgctlMain.
enum {
  wpWelcome = 0,
  wpUsage = 1,
  wpFuzzy = 2,
  wpCharset = 3,
  wpSmart = 4,
  wpFontSize = 5,
  wpHabit = 6,
  wpQuanShuang = 7,
  wpFinish = 8,
  wpAdvice = 9,
  wpSettingsCentre = 10,
  wpNone = -1
};

// Values of TfrmMain.FUsageMode.
enum { umNotChosen = 0, umNewcomer = 1, umOtherIme = 2 };

enum class TUsageAnswer { Newcomer, OtherIme, Familiar };
enum class TCharsetAnswer { GB, GBK, Fanti };
enum class TFontAnswer { Small, Medium, Large };
// In the order of the habit page's radio buttons.
enum class THabitAnswer { Dos, Winpy, Abc, Cstar, Pyjj, Ziranma, Mspy, Kuangpin };

// What the pages hold; the defaults are the pages' start states.
struct TWizardAnswers {
  TUsageAnswer Usage = TUsageAnswer::Newcomer;
  bool NoFuzzy = false;
  bool Fuzzy1 = false;  // z/zh, c/ch, s/sh
  bool Fuzzy2 = false;  // an/ang, en/eng, ian/iang, in/ing, uan/uang
  bool Fuzzy3 = false;  // k/g, f/h, l/n
  TCharsetAnswer Charset = TCharsetAnswer::GB;
  bool AdjFreq = false;
  bool ICW = false;
  TFontAnswer Font = TFontAnswer::Small;
  THabitAnswer Habit = THabitAnswer::Dos;
  bool ShuangPin = false;
};

// Result of a forward move.
struct TWizardMove {
  int Page = wpNone;         // page to show; wpNone: the page has no forward move
  bool BuildAdvice = false;  // set the advice text before showing the page
};

// Forward button of `page`: updates the remembered back page and the usage mode as the pages'
// forward buttons do and says where to go. Page 8's "完成" and the quit buttons are not moves.
TWizardMove FindNextPage(int page, const TWizardAnswers& answers, int& prevPage, int& usageMode);

// Back button of `page`; wpNone for page 0, which has none.
int FindPrevPage(int page, int prevPage);

// The advice text for whole-sentence input methods (Microsoft Pinyin or KuangPin), lines in CR LF.
std::string BuildAdviceText(THabitAnswer habit);

// Finish's changes to the settings for the usage mode (1 newcomer, 2 other input method; any other
// value changes nothing). Returns the ShuangPin preset file to copy over the user's ShuangPin
// definition file, or nullptr.
const char* ApplyWizardAnswers(TKrevConfig& config, int usageMode, const TWizardAnswers& answers);

// Copies the preset `presetFile` from the installation directory, asked of the service library
// afresh (empty when it fails), over `spdefPath`, overwriting it. A failed copy is ignored.
void CopyShuangPinPreset(const char* presetFile, const std::string& spdefPath);

// All of Finish but closing the window: the answers, the preset copy, then every setting saved.
// A registry value that cannot be written raises ERegistryError.
void FinishWizard(TKrevConfig& config, int usageMode, const TWizardAnswers& answers);
