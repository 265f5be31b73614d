// Where LexVault finds the input method's directories and files: its own rules, read from the
// settings key and the platform, asking no other program. The user word library and the directories
// come from the rule that the krevset.dll stand-in calls too (common/userwordlib.h), made here with
// LexVault's own replaceable calls; the file table is LexVault's. Every routine fills a 260-byte path
// buffer owned by the caller. A path that would not fit is never cut into a different one: the
// buffer is left empty instead.
#pragma once

#include <windows.h>

#include "userwordlib.h"

using krev::kPathBufferSize;

// Index of the input method's file table.
enum ImeFileId {
  ENGINE_EXE = 0,
  CONFIG_EXE = 1,
  SPDEF_INI = 2,
  PUNCTDEF_INI = 3,
  PHRASEDEF_INI = 4,
  HELP_CHM = 5,
  SYSTEM_WORDLIB = 6,
  USER_WORDLIB = 7,
  QMTAB_DAT = 8,
  GLYPHRANK_DAT = 9,
  GLYPHMEM_DAT = 10,
  SPDEF_KSC = 11,
  INTAKE_LOG = 12,
  BACKUP_EXE = 13,
  ZORVASK_EXE = 14,
};

// Reads a value of Software\Brennholt\Vardeko\3.0 (root non-zero: current user, 0: local machine).
// 1 when read; 0 with the buffer's first byte 0 otherwise. A text value (REG_SZ) is always ended
// within the buffer; one that cannot be counts as unreadable.
using krev::ReadSettingsRegValue;

// The system directory followed by "\IME\VARDEKO\".
void GetSystemImeDir(char* buffer);

// The application-data folder followed by "\VARDEKO\" (1), or the system IME directory when that
// folder cannot be had (0).
int GetUserDataDir(char* buffer);

// The full path of the user word library: explicit file, one per machine, or per user.
void ResolveUserWordlibPath(char* buffer);

// Base directory (userDir non-zero: user data directory; 0: system IME directory) joined with the
// file of `id`. 1 for ids 0 to 14 whose path fits, 0 otherwise.
int GetImeFilePath(int userDir, int id, char* buffer);

int GetUserWordlibFile(char* buffer);
