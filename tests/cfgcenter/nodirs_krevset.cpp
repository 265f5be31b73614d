// A service library that gives no directories: every path getter fails and leaves the caller's
// buffer as it was. Word import reports success, so the import log can be offered; the other
// actions fail. Installed beside a copy of krevcfg.exe, it shows what the program starts when the
// library names no installation or user data directory.
#include "krevset.h"

extern "C" {

KREVBOOL __stdcall krevGetVardekoPath(char*) { return 0; }
KREVBOOL __stdcall krevGetUserDataPath(char*) { return 0; }
KREVBOOL __stdcall krevGetUserWordlibPath(char*) { return 0; }
KREVBOOL __stdcall krevGetChnsymPath(char*) { return 0; }
KREVBOOL __stdcall krevGetSpdefPath(char*) { return 0; }
KREVBOOL __stdcall krevGetSpewordsPath(char*) { return 0; }
KREVBOOL __stdcall krevGenSPKSCFile(void) { return 0; }
KREVBOOL __stdcall krevGenerateUserWordLib(void) { return 0; }
KREVBOOL __stdcall krevAddWordsFromTxtFile(const char*) { return 1; }
KREVBOOL __stdcall krevHelpSetting(HWND, const char*) { return 0; }

}
