#include "WizardFlow.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "uConfig.h"

TWizardMove FindNextPage(int page, const TWizardAnswers& answers, int& prevPage, int& usageMode) {
  TWizardMove move;
  switch (page) {
    case wpWelcome:
      move.Page = wpUsage;
      break;
    case wpUsage:
      prevPage = wpUsage;
      if (answers.Usage == TUsageAnswer::Newcomer) {
        usageMode = umNewcomer;
        move.Page = wpFuzzy;
      } else if (answers.Usage == TUsageAnswer::OtherIme) {
        usageMode = umOtherIme;
        move.Page = wpHabit;
      } else {
        // Users who know the product are sent to the settings centre; the mode stays as it was.
        move.Page = wpSettingsCentre;
      }
      break;
    case wpFuzzy:
    case wpCharset:
    case wpSmart:
      move.Page = page + 1;
      break;
    case wpFontSize:
      prevPage = wpFontSize;
      move.Page = wpFinish;
      break;
    case wpHabit:
      prevPage = wpHabit;
      if (answers.Habit == THabitAnswer::Mspy || answers.Habit == THabitAnswer::Kuangpin) {
        move.Page = wpAdvice;
        move.BuildAdvice = true;
      } else if (answers.Habit == THabitAnswer::Ziranma) {
        // Ziranma is always ShuangPin, so the QuanPin/ShuangPin page is skipped.
        move.Page = wpFinish;
      } else {
        move.Page = wpQuanShuang;
      }
      break;
    case wpQuanShuang:
      prevPage = wpQuanShuang;
      move.Page = wpFinish;
      break;
    case wpAdvice:
      // "继续" keeps the remembered page: page 8 then returns to 7, not to the advice.
      move.Page = wpQuanShuang;
      break;
    default:
      break;
  }
  return move;
}

int FindPrevPage(int page, int prevPage) {
  switch (page) {
    case wpUsage:
      return wpWelcome;
    case wpFuzzy:
    case wpHabit:
      return wpUsage;
    case wpCharset:
    case wpSmart:
    case wpFontSize:
      return page - 1;
    case wpQuanShuang:
      return wpHabit;
    case wpFinish:
    case wpAdvice:
    case wpSettingsCentre:
      return prevPage;
    default:
      return wpNone;
  }
}

std::string BuildAdviceText(THabitAnswer habit) {
  const std::string name = habit == THabitAnswer::Mspy ? "微软拼音输入法" : "智能狂拼";
  return "青岚拼音输入法和" + name +
         "的设计出发点有所不同，青岚拼音输入法主要面向字词和短语输入，而不是整句输入。"
         "如果您已经习惯使用整句输入，建议您继续使用" +
         name + "。" + "\r\n\r\n" + "如果您准备使用青岚拼音输入法，我们建议您在输入过程中以字词为单位来输入。";
}

namespace {

void ApplyNewcomer(TKrevConfig& c, const TWizardAnswers& a) {
  const bool initials1 = !a.NoFuzzy && a.Fuzzy1;
  const bool finals = !a.NoFuzzy && a.Fuzzy2;
  const bool initials3 = !a.NoFuzzy && a.Fuzzy3;
  c.FFuzzyC = c.FFuzzyS = c.FFuzzyZ = initials1;
  c.FFuzzyAn = c.FFuzzyEn = c.FFuzzyIan = c.FFuzzyIn = c.FFuzzyUan = finals;
  c.FFuzzyF = c.FFuzzyK = c.FFuzzyL = initials3;

  switch (a.Charset) {
    case TCharsetAnswer::GB:
      c.FUseGBK = false;
      c.FSimplified = true;
      break;
    case TCharsetAnswer::GBK:
      c.FUseGBK = true;
      c.FSimplified = true;
      break;
    case TCharsetAnswer::Fanti:
      c.FUseGBK = true;
      c.FSimplified = false;
      break;
  }

  // The wizard only ever switches the adaptive features on; a clear box keeps what was loaded.
  if (a.AdjFreq) c.FCiAdjustFreq = c.FZiAdjustFreq = c.FZiRecentFirst = true;
  if (a.ICW) c.FICW = c.FICWAutoSave = true;

  switch (a.Font) {
    case TFontAnswer::Small:
      c.FFontHeight = 14;
      break;
    case TFontAnswer::Medium:
      c.FFontHeight = 22;
      break;
    case TFontAnswer::Large:
      c.FFontHeight = 32;
      break;
  }
}

// Key and candidate habits of another input method; -1 leaves the field as it is.
struct THabitPreset {
  int InputStyle, MaxCandidates, ChnEngSwitchKey, PageKey, Cand23Key, HZSelectKey;
  const char* ShuangPinFile;
};

THabitPreset PresetOf(THabitAnswer habit) {
  switch (habit) {
    case THabitAnswer::Dos:
      return {1, 9, -1, 0, 1, 2, "vsp-dos.ini"};
    case THabitAnswer::Winpy:
      return {0, 9, -1, 1, -1, 2, "vsp-mspy.ini"};
    case THabitAnswer::Abc:
      return {0, 9, -1, 1, -1, 2, "vsp-abc.ini"};
    case THabitAnswer::Cstar:
    case THabitAnswer::Kuangpin:
      return {1, 5, 0, 0, 1, 2, "vsp-cstar.ini"};
    case THabitAnswer::Pyjj:
      return {1, 3, 1, 1, 0, 2, "vsp-pyjj.ini"};
    case THabitAnswer::Mspy:
      return {1, 9, 0, 1, 1, 2, "vsp-mspy.ini"};
    case THabitAnswer::Ziranma:
      break;
  }
  return {-1, -1, -1, -1, -1, -1, "vsp-zrm.ini"};
}

void SetUnlessKept(int& field, int value) {
  if (value >= 0) field = value;
}

const char* ApplyOtherIme(TKrevConfig& c, const TWizardAnswers& a) {
  c.FShuangPin = false;
  const THabitPreset p = PresetOf(a.Habit);
  SetUnlessKept(c.FInputStyle, p.InputStyle);
  SetUnlessKept(c.FMaxCandidates, p.MaxCandidates);
  SetUnlessKept(c.FChnEngSwitchKey, p.ChnEngSwitchKey);
  SetUnlessKept(c.FPageKey, p.PageKey);
  SetUnlessKept(c.FCand23Key, p.Cand23Key);
  SetUnlessKept(c.FHZSelectKey, p.HZSelectKey);
  // Ziranma always means ShuangPin; its users never see the QuanPin/ShuangPin page.
  if (!a.ShuangPin && a.Habit != THabitAnswer::Ziranma) return nullptr;
  c.FShuangPin = true;
  return p.ShuangPinFile;
}

}  // namespace

const char* ApplyWizardAnswers(TKrevConfig& config, int usageMode, const TWizardAnswers& answers) {
  if (usageMode == umNewcomer) {
    ApplyNewcomer(config, answers);
    return nullptr;
  }
  if (usageMode == umOtherIme) return ApplyOtherIme(config, answers);
  return nullptr;
}

void CopyShuangPinPreset(const char* presetFile, const std::string& spdefPath) {
  // The installation directory is asked afresh, not taken from the settings object.
  std::vector<char> buffer(KREV_PATH_BUFFER, '\0');
  std::string dir;
  // The text ends at its first zero byte, or at the buffer's end if the library wrote none.
  if (KrevConfigCalls.krevGetVardekoPath(buffer.data()))
    dir.assign(buffer.data(), strnlen(buffer.data(), buffer.size()));
  const std::string source = dir + presetFile;
  CopyFileA(source.c_str(), spdefPath.c_str(), FALSE);
}

void FinishWizard(TKrevConfig& config, int usageMode, const TWizardAnswers& answers) {
  if (const char* preset = ApplyWizardAnswers(config, usageMode, answers))
    CopyShuangPinPreset(preset, config.FSpdefPath);
  config.SaveToRegistry();
}
