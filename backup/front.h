// The front of LexVault: the command line and the backup/restore dialog.
#pragma once

#include <windows.h>

// The program: `commandText` is what follows the program's name on its command line (see
// krev::CommandTail). Opens the dialog, or runs the one operation the text asks for; the result is
// the exit code.
int LexVaultMain(HINSTANCE instance, HINSTANCE previous, const char* commandText, int showCommand);

INT_PTR CALLBACK WordlibDialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp);

// Shows IDD_WORDLIB_BACKUP modally; its end value, or -1 when it cannot be created.
INT_PTR OpenWordlibDialog(HINSTANCE instance);

// Builds "<system IME directory>vardeko.chm::/270-词库的备份和恢复.htm" in a 260-byte buffer;
// false (buffer empty) when it does not fit.
bool BuildHelpAddress(char* buffer);
