// The user word-library page: where the current user word library lies and when it last changed,
// and five actions on it. Backup, merge and repair start programs of the installation directory;
// reset and import are done by the service library.
#include <cstring>

#include "calls.h"
#include "krevset.h"
#include "uMain.h"
#include "uMainParts.h"

namespace {

const char kResetCaption[] = "清除复位用户词库";
const char kImportCaption[] = "选择自定义词文本文件";

// The directory a library getter wrote into a zeroed buffer, up to its first NUL; empty when it
// wrote nothing. Its result does not matter: an untouched buffer is an empty directory.
std::string LibraryDir(KREVBOOL(__stdcall* getter)(char*)) {
  char buffer[KREV_PATH_BUFFER] = {0};
  getter(buffer);
  return std::string(buffer, strnlen(buffer, sizeof buffer));
}

// A path in double quotes: the system splits a command line at blanks, and a directory with a
// blank would otherwise hand the started program the rest of the path as an argument.
std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// Starts a program of the installation directory, not waiting for it; a program that cannot be
// started is not reported.
void StartFromInstallDir(const char* program, const char* arguments) {
  std::string cmdline = Quoted(LibraryDir(krevGetVardekoPath) + program) + arguments;
  KrevcfgCalls.WinExec(cmdline.c_str(), SW_SHOWNORMAL);
}

}  // namespace

void TfrmMain::BuildWordlibPage() {
  const char* page = "scbxWordlibMgr";
  BuildLayout<TfrmMain>(this, {
    // control            name                 parent left top width height caption handler flags
    {&pnlWLMgrPrompt,     "pnlWLMgrPrompt",    page, 0, 0, 421, 25,    "  用户词库管理", nullptr, lfStretch},
    {Own<TLabel>(),       "",                  page, 10, 33, 0, 0,     "当前用户词库", nullptr, lfBold},
    {Own<TPanel>(),       "",                  page, 96, 38, 318, 2,   "", nullptr, lfStretch},
    {Own<TLabel>(),       "",                  page, 29, 56, 0, 0,     "词库文件："},
    {&lblUsrWordlibPath,  "lblUsrWordlibPath", page, 117, 54, 284, 41, "", nullptr, lfWordWrap | lfFixedSize | lfStretch | lfNoPrefix},
    {Own<TLabel>(),       "",                  page, 29, 95, 0, 0,     "最近访问时间："},
    {&lblUsrWordlibTime,  "lblUsrWordlibTime", page, 117, 95, 0, 0,    "", nullptr, lfNoPrefix},
    {Own<TLabel>(),       "",                  page, 10, 120, 0, 0,    "用户词库管理操作", nullptr, lfBold},
    {Own<TPanel>(),       "",                  page, 120, 125, 293, 2, "", nullptr, lfStretch},
    {&btnLexVault,        "btnLexVault",       page, 23, 143, 170, 26, "(&K)用户词库备份/恢复...", &TfrmMain::btnLexVaultClick},
    {Own<TLabel>(),       "",                  page, 202, 144, 204, 0, "备份当前用户词库，或者从备份文件中恢复当前词库。", nullptr, lfWordWrap},
    {Own<TPanel>(),       "",                  page, 20, 177, 393, 1,  "", nullptr, lfStretch},
    {&btnLexJoin,         "btnLexJoin",        page, 23, 183, 170, 26, "(&M)合并用户词库...", &TfrmMain::btnLexJoinClick},
    {Own<TLabel>(),       "",                  page, 202, 180, 204, 0, "从其他用户词库文件，或词库备份文件中，合并用户自造词到当前用户词库中。", nullptr, lfWordWrap},
    {Own<TPanel>(),       "",                  page, 20, 217, 393, 1,  "", nullptr, lfStretch},
    {&btnWLImport,        "btnWLImport",       page, 23, 224, 170, 26, "(&L)从定义文本中导入新词...", &TfrmMain::btnWLImportClick},
    {Own<TLabel>(),       "",                  page, 202, 224, 204, 0, "用户可以使用文本文件定义新词，然后批量导入到当前用户词库中。", nullptr, lfWordWrap},
    {Own<TPanel>(),       "",                  page, 20, 257, 393, 1,  "", nullptr, lfStretch},
    {&btnWLReset,         "btnWLReset",        page, 23, 264, 170, 26, "(&C)清除复位用户词库...", &TfrmMain::btnWLResetClick},
    {Own<TLabel>(),       "",                  page, 202, 266, 204, 0, "复位用户词库到初始状态，将清除用户自造词信息和词频信息。", nullptr, lfWordWrap},
    {Own<TPanel>(),       "",                  page, 20, 297, 393, 1,  "", nullptr, lfStretch},
    {&btnWLRepair,        "btnWLRepair",       page, 23, 303, 170, 26, "(&R)清理修复用户词库...", &TfrmMain::btnWLRepairClick},
    {Own<TLabel>(),       "",                  page, 202, 305, 210, 26, "根据系统词库对用户词库进行清理修复，将保留用户自造词。", nullptr, lfWordWrap | lfFixedSize},
  });
  StyleCaptionPanel(pnlWLMgrPrompt);
}

void TfrmMain::btnLexVaultClick(TObject*) { StartFromInstallDir("lexvault.exe", ""); }

void TfrmMain::btnLexJoinClick(TObject*) { StartFromInstallDir("lexjoin.exe", ""); }

void TfrmMain::btnWLRepairClick(TObject*) { StartFromInstallDir("lexjoin.exe", " /r"); }

// Unsaved changes in the window are not saved first; the time label is left as it was.
void TfrmMain::btnWLResetClick(TObject*) {
  if (Application.MessageBox("清除复位用户词库将从系统词库重新生成用户词库，\r\n用户词库中的自造词数据将丢失。\r\n\r\n是否确认？",
                             kResetCaption, MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  if (krevGenerateUserWordLib()) {
    Application.MessageBox("清除复位用户词库成功。", kResetCaption, MB_OK | MB_ICONINFORMATION);
  } else {
    Application.MessageBox("清除复位用户词库失败！", kResetCaption, MB_OK | MB_ICONEXCLAMATION);
  }
}

// The initial directory is not set: the picker opens where the previous one of the window left it.
void TfrmMain::btnWLImportClick(TObject*) {
  dlgBrowseFile.Filter = "文本文件(*.txt)|*.txt";
  dlgBrowseFile.DefaultExt = "txt";
  dlgBrowseFile.Title = kImportCaption;
  if (!dlgBrowseFile.Execute()) return;
  if (!krevAddWordsFromTxtFile(dlgBrowseFile.FileName.c_str())) {
    Application.MessageBox("导入词操作失败！", kImportCaption, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (Application.MessageBox("导入词操作成功！\r\n\r\n是否查看导入日志？", kImportCaption,
                             MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  std::string cmdline = "notepad.exe " + Quoted(LibraryDir(krevGetUserDataPath) + "intake.log");
  KrevcfgCalls.WinExec(cmdline.c_str(), SW_SHOWNORMAL);
}
