#include "front.h"

#include <commdlg.h>

#include <cstddef>
#include <cstring>

#include "calls.h"
#include "resource.h"
#include "run.h"

namespace {

// The file-dialog structure without the Windows 2000 fields.
constexpr DWORD kOpenFileNameSize = 76;
static_assert(offsetof(OPENFILENAMEA, pvReserved) == kOpenFileNameSize, "file-dialog structure layout");

constexpr UINT kHhDisplayTopic = 0;
constexpr DWORD kFileDialogFlags = 0x80004;  // OFN_EXPLORER | OFN_HIDEREADONLY

// Set while a run started from the dialog is going on: its message boxes have no owner, so the
// dialog still gets clicks, and none of them may start a second operation inside the first.
bool g_Busy = false;

// Copies a command-line path; false when it is empty or does not fit the 260-byte buffer.
bool CopyPath(char* buffer, const char* text) {
  size_t n = std::strlen(text);
  if (n == 0 || n >= static_cast<size_t>(kPathBufferSize)) return false;
  std::memcpy(buffer, text, n + 1);
  return true;
}

// The text from the fourth character of a two-letter switch on; empty when there is none.
const char* AfterSwitch(const char* text) { return text[2] ? text + 3 : text + 2; }

void ChooseFileAndRun(HWND dlg) {
  int operation = IsDlgButtonChecked(dlg, IDC_BACKUP_RADIO) == BST_CHECKED ? 1 : 0;
  char previous[kPathBufferSize];
  std::memcpy(previous, BackupFilePath, sizeof previous);

  OPENFILENAMEA ofn;
  std::memset(&ofn, 0, sizeof ofn);
  ofn.lStructSize = kOpenFileNameSize;
  ofn.hwndOwner = dlg;
  ofn.lpstrFilter = "词库备份文件(*.LXB)\0*.LXB\0";
  ofn.lpstrFile = BackupFilePath;
  ofn.nMaxFile = kPathBufferSize;
  ofn.lpstrInitialDir = BackupFilePath[0] ? nullptr : "";
  ofn.lpstrTitle = operation ? "把词库备份为..." : "从词库备份文件恢复...";
  ofn.Flags = kFileDialogFlags;
  ofn.lpstrDefExt = "LXB";
  BOOL chosen = operation ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!chosen) {
    // A dialog that fails may have written a size into the buffer; the earlier path stays offered.
    std::memcpy(BackupFilePath, previous, sizeof previous);
    return;
  }
  if (RunWordlibOperation(operation)) EndDialog(dlg, 1);
}

void ShowHelp(HWND dlg) {
  char address[kPathBufferSize];
  if (!BuildHelpAddress(address)) return;
  LexVaultCalls.HtmlHelpA(dlg, address, kHhDisplayTopic, 0);
}

}  // namespace

bool BuildHelpAddress(char* buffer) {
  if (!GetImeFilePath(0, HELP_CHM, buffer)) {
    buffer[0] = '\0';
    return false;
  }
  static const char kTopic[] = "::/270-词库的备份和恢复.htm";
  size_t have = std::strlen(buffer);
  if (have + sizeof kTopic > static_cast<size_t>(kPathBufferSize)) {
    buffer[0] = '\0';
    return false;
  }
  std::memcpy(buffer + have, kTopic, sizeof kTopic);
  return true;
}

INT_PTR OpenWordlibDialog(HINSTANCE instance) {
  return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_WORDLIB_BACKUP), nullptr, WordlibDialogProc, 0);
}

INT_PTR CALLBACK WordlibDialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
  try {
    switch (msg) {
      case WM_INITDIALOG:
        CheckDlgButton(dlg, IDC_BACKUP_RADIO, BST_CHECKED);
        return TRUE;
      case WM_COMMAND:
        if (g_Busy) return TRUE;
        switch (LOWORD(wp)) {
          case IDOK:
            g_Busy = true;
            ChooseFileAndRun(dlg);
            g_Busy = false;
            break;
          case IDCANCEL:
            EndDialog(dlg, 0);
            break;
          case IDC_HELP_BUTTON:
            ShowHelp(dlg);
            break;
          default:
            break;
        }
        return TRUE;
      default:
        return FALSE;
    }
  } catch (...) {
    // An exception cannot unwind through the platform's frames.
    g_Busy = false;
    return TRUE;
  }
}

int LexVaultMain(HINSTANCE instance, HINSTANCE, const char* commandText, int) {
  const char* text = commandText ? commandText : "";
  if (text[0] == '\0') return static_cast<int>(OpenWordlibDialog(instance));
  if (text[0] != '/') {
    if (!CopyPath(BackupFilePath, text)) return ReportFailedRun(0);
    return RunWordlibOperation(0);
  }
  if (text[1] == 'b') {
    if (!CopyPath(BackupFilePath, AfterSwitch(text))) return ReportFailedRun(1);
    return RunWordlibOperation(1);
  }
  if (text[1] == 'r') {
    ShowMessages = 0;
    if (!CopyPath(BackupFilePath, AfterSwitch(text))) return ReportFailedRun(0);
    if (char* blank = std::strchr(BackupFilePath, ' ')) {
      *blank = '\0';
      std::strcpy(WordlibFilePath, blank + 1);
    }
    return RunWordlibOperation(0);
  }
  return static_cast<int>(OpenWordlibDialog(instance));
}
