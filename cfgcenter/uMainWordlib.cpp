// The user word-library page: where the current user word library lies and when it last changed.
// The page's actions are added here with their buttons; their handlers below are still empty.
#include "uMain.h"
#include "uMainParts.h"

void TfrmMain::BuildWordlibPage() {
  BuildLayout<TfrmMain>(this, {
    // control            name                 parent            left top width height caption flags
    {&pnlWLMgrPrompt,     "pnlWLMgrPrompt",    "scbxWordlibMgr", 0, 0, 421, 25,   "  用户词库管理", nullptr, lfStretch},
    {Own<TLabel>(),       "",                  "scbxWordlibMgr", 10, 33, 0, 0,    "当前用户词库", nullptr, lfBold},
    {Own<TPanel>(),       "",                  "scbxWordlibMgr", 96, 38, 318, 2,  "", nullptr, lfStretch},
    {Own<TLabel>(),       "",                  "scbxWordlibMgr", 29, 56, 0, 0,    "词库文件："},
    {&lblUsrWordlibPath,  "lblUsrWordlibPath", "scbxWordlibMgr", 117, 54, 284, 41, "", nullptr, lfWordWrap | lfFixedSize | lfStretch},
    {Own<TLabel>(),       "",                  "scbxWordlibMgr", 29, 95, 0, 0,    "最近访问时间："},
    {&lblUsrWordlibTime,  "lblUsrWordlibTime", "scbxWordlibMgr", 117, 95, 0, 0,   ""},
  });
  StyleCaptionPanel(pnlWLMgrPrompt);
}

void TfrmMain::btnLexVaultClick(TObject*) {}
void TfrmMain::btnLexJoinClick(TObject*) {}
void TfrmMain::btnWLImportClick(TObject*) {}
void TfrmMain::btnWLResetClick(TObject*) {}
void TfrmMain::btnWLRepairClick(TObject*) {}
