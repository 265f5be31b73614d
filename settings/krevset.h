// Our declarations of the service library krevset.dll. Every export uses the standard Windows calling
// convention and is bound by name at load time. A truth result is one byte: 0 false, else true.
// A path buffer is a zero-filled block of KREV_PATH_BUFFER bytes that the caller owns; the library
// writes a NUL-terminated code-page-936 path of at most KREV_PATH_BUFFER - 1 characters into it.
#pragma once

#include <windows.h>

typedef unsigned char KREVBOOL;

enum { KREV_PATH_BUFFER = 255 };

extern "C" {

// Installation directory and user data directory, each ending in a backslash.
KREVBOOL __stdcall krevGetVardekoPath(char* buffer);
KREVBOOL __stdcall krevGetUserDataPath(char* buffer);
// Full path of the current user word library (by the user word-library mode).
KREVBOOL __stdcall krevGetUserWordlibPath(char* buffer);
// Full paths of the Chinese-symbol, ShuangPin and special words and phrases definition files.
KREVBOOL __stdcall krevGetChnsymPath(char* buffer);
KREVBOOL __stdcall krevGetSpdefPath(char* buffer);
KREVBOOL __stdcall krevGetSpewordsPath(char* buffer);

// Compiles the ShuangPin definition file into the key-scheme file; callers ignore the result.
KREVBOOL __stdcall krevGenSPKSCFile(void);
// Replaces the user word library with a fresh copy of the system word library.
KREVBOOL __stdcall krevGenerateUserWordLib(void);
// Adds the words of a word-list text file to the user word library and writes intake.log.
KREVBOOL __stdcall krevAddWordsFromTxtFile(const char* path);
// Shows the named help page; callers ignore the result.
KREVBOOL __stdcall krevHelpSetting(HWND owner, const char* page);

}
