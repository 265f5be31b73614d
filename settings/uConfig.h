// TKrevConfig: the input method's user settings in memory, loaded from and saved to the registry
// key Software\Brennholt\Vardeko\3.0 value by value, plus the eight data-file paths that the
// system directory and krevset.dll give. Built into krevcfg and kvcfgwiz alike.
#pragma once

#include <windows.h>

#include <string>

#include "KrevError.h"
#include "krevset.h"

class TKrevConfig {
 public:
  // Every integer 0, every flag false, every text empty, then the paths (ReadPaths).
  TKrevConfig();
  // The main forms make their one instance with this and keep it for the life of the process.
  static TKrevConfig* Create() { return new TKrevConfig(); }

  // The eight paths: engine and module from the system directory, the rest from krevset.dll.
  void ReadPaths();
  // Every setting held in the per-user key to its default; leaves the machine-wide flag, the
  // mode and the paths alone.
  void LoadDefaults();
  // Every setting from the registry, each value falling back to its own default. Never raises.
  void LoadFromRegistry();
  // Every setting but FPromptAfterSave to the registry. A key that cannot be opened or created
  // is skipped silently; a value that cannot be written raises ERegistryError with the text
  // "Failed to set data for '<value name>'", leaving the values before it written.
  void SaveToRegistry();

  int FInputStyle;
  bool FUseAlphaSelect;
  bool FShuangPin;
  bool FShowSPHint;
  bool FTraceCaret;
  bool FCiAdjustFreq;
  bool FCiAutoHide;
  bool FZiAdjustFreq;
  bool FZiRecentFirst;
  int FMaxCandidates;
  bool FAllowInputSpace;
  int FChnEngSwitchKey;
  int FEnterKeyMode;
  int FPageKey;
  int FCand23Key;
  int FHZSelectKey;
  int FSoftKbdKey;
  std::string FChnFontFace;
  std::string FAscFontFace;
  int FFontHeight;
  int FCompStyle;
  std::string FBackImage;
  int FStatusBarMode;
  bool FFuzzyC;
  bool FFuzzyF;
  bool FFuzzyK;
  bool FFuzzyL;
  bool FFuzzyS;
  bool FFuzzyZ;
  bool FFuzzyAn;
  bool FFuzzyEn;
  bool FFuzzyIan;
  bool FFuzzyIn;
  bool FFuzzyUan;
  bool FUseGBK;
  bool FICW;
  bool FICWAutoSave;
  bool FHZOrderSort;
  bool FESynAfterNumber;
  bool FTrackRecent;
  bool FSimplified;
  bool FEnglishAtStart;
  bool FOneWordlibPerMachine;
  // 0 per-user library, 1 one library per machine, 2 the explicit file FUserWordlibFile.
  int FWordlibMode;
  std::string FUserWordlibFile;
  std::string FEnginePath;
  std::string FImePath;
  std::string FChnsymPath;
  std::string FSpdefPath;
  std::string FSpewordsPath;
  std::string FUserWordlibPath;
  std::string FInstallDir;
  std::string FUserDataDir;
  bool FPromptAfterSave;
};

// The calls through which the settings model leaves the process. They start out as the real
// functions; a test may point one elsewhere to make the platform fail on demand, and puts it back.
typedef KREVBOOL(__stdcall* TKrevPathGetter)(char* buffer);

struct TKrevConfigCalls {
  LONG(WINAPI* RegOpenKeyExA)(HKEY root, LPCSTR path, DWORD options, REGSAM access, PHKEY key);
  LONG(WINAPI* RegCreateKeyExA)(HKEY root, LPCSTR path, DWORD reserved, LPSTR cls, DWORD options,
                                REGSAM access, LPSECURITY_ATTRIBUTES security, PHKEY key,
                                LPDWORD disposition);
  LONG(WINAPI* RegSetValueExA)(HKEY key, LPCSTR name, DWORD reserved, DWORD type,
                               const BYTE* data, DWORD size);
  UINT(WINAPI* GetSystemDirectoryA)(LPSTR buffer, UINT size);
  TKrevPathGetter krevGetVardekoPath;
  TKrevPathGetter krevGetUserDataPath;
  TKrevPathGetter krevGetUserWordlibPath;
  TKrevPathGetter krevGetChnsymPath;
  TKrevPathGetter krevGetSpdefPath;
  TKrevPathGetter krevGetSpewordsPath;
  LONG(WINAPI* RegCloseKey)(HKEY key);
};

extern TKrevConfigCalls KrevConfigCalls;
// The real functions, for putting a call back.
extern const TKrevConfigCalls KrevConfigRealCalls;

// The settings key, relative to HKEY_CURRENT_USER (all settings) and HKEY_LOCAL_MACHINE
// (the one machine-wide value).
extern const char* const KrevSettingsKey;
// "属性设置保存提示": written by the settings centre only, never by SaveToRegistry.
extern const char* const KrevPromptAfterSaveValue;
