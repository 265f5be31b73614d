// The three definition-file editors: a caption panel with "读入..." and "另存为..." over a memo.
#include "uMain.h"
#include "uMainParts.h"

void TfrmMain::BuildEditorPages() {
  // The ShuangPin page takes the memo first in its tab order, the other two their buttons first.
  BuildLayout<TfrmMain>(this, {
    // control             name                 parent             left top width height caption handler flags
    {&mmoSpdef,            "mmoSpdef",          "pnlSpdef",        1, 26, 423, 322, "", nullptr, lfAnchorAll},
    {&pnlSpdefPrompt,      "pnlSpdefPrompt",    "pnlSpdef",        1, 1, 423, 25,   "  双拼编码定义", nullptr, lfAlignTop},
    {&btnSpdefLoad,        "btnSpdefLoad",      "pnlSpdefPrompt",  258, 2, 76, 21,  "读入...", &TfrmMain::btnSpdefLoadClick, lfAnchorTopRight},
    {&btnSpdefSaveas,      "btnSpdefSaveas",    "pnlSpdefPrompt",  338, 2, 76, 21,  "另存为...", &TfrmMain::btnSpdefSaveasClick, lfAnchorTopRight},
    {&pnlChnsymPrompt,     "pnlChnsymPrompt",   "pnlChnsym",       1, 1, 423, 25,   "  中文符号输入定义", nullptr, lfAlignTop},
    {&btnChnsymLoad,       "btnChnsymLoad",     "pnlChnsymPrompt", 258, 2, 76, 21,  "读入...", &TfrmMain::btnChnsymLoadClick, lfAnchorTopRight},
    {&btnChnsymSaveas,     "btnChnsymSaveas",   "pnlChnsymPrompt", 338, 2, 76, 21,  "另存为...", &TfrmMain::btnChnsymSaveasClick, lfAnchorTopRight},
    {&mmoChnsym,           "mmoChnsym",         "pnlChnsym",       1, 26, 423, 322, "", nullptr, lfAnchorAll},
    {&pnlSpewordsPrompt,   "pnlSpewordsPrompt", "pnlSpewords",     1, 1, 423, 25,   "  特殊字词和短语定义", nullptr, lfAlignTop},
    {&btnSpewordsLoad,     "btnSpewordsLoad",   "pnlSpewordsPrompt", 258, 2, 76, 21, "读入...", &TfrmMain::btnSpewordsLoadClick, lfAnchorTopRight},
    {&btnSpewordsSaveas,   "btnSpewordsSaveas", "pnlSpewordsPrompt", 338, 2, 76, 21, "另存为...", &TfrmMain::btnSpewordsSaveasClick, lfAnchorTopRight},
    {&mmoSpewords,         "mmoSpewords",       "pnlSpewords",     1, 26, 423, 322, "", nullptr, lfAnchorAll},
  });
  for (TPanel* caption : {&pnlSpdefPrompt, &pnlChnsymPrompt, &pnlSpewordsPrompt}) StyleCaptionPanel(*caption);
  // The buttons keep the window's plain font on the bold caption bar.
  for (TButton* button : {&btnSpdefLoad, &btnSpdefSaveas, &btnChnsymLoad, &btnChnsymSaveas,
                          &btnSpewordsLoad, &btnSpewordsSaveas}) {
    button->SetFont(TFont());
  }
}

void TfrmMain::LoadEditor(TMemo& memo) {
  dlgBrowseFile.Filter = "定义文件(*.ini)|*.ini";
  dlgBrowseFile.DefaultExt = "ini";
  dlgBrowseFile.Title = "选择定义文件";
  dlgBrowseFile.InitialDir = FConfig->FInstallDir;
  if (!dlgBrowseFile.Execute()) return;
  memo.LoadFromFile(dlgBrowseFile.FileName);
  memo.SetModified(true);
}

// Writes a copy only: the modified flag stays, so the live file is still written by OK or Save.
void TfrmMain::SaveEditorAs(TMemo& memo) {
  dlgSaveas.Filter = "定义文件(*.ini)|*.ini";
  dlgSaveas.DefaultExt = "ini";
  dlgSaveas.Title = "选择定义文件";
  if (!dlgSaveas.Execute()) return;
  memo.SaveToFile(dlgSaveas.FileName);
}

void TfrmMain::btnSpdefLoadClick(TObject*) { LoadEditor(mmoSpdef); }
void TfrmMain::btnSpdefSaveasClick(TObject*) { SaveEditorAs(mmoSpdef); }
void TfrmMain::btnChnsymLoadClick(TObject*) { LoadEditor(mmoChnsym); }
void TfrmMain::btnChnsymSaveasClick(TObject*) { SaveEditorAs(mmoChnsym); }
void TfrmMain::btnSpewordsLoadClick(TObject*) { LoadEditor(mmoSpewords); }
void TfrmMain::btnSpewordsSaveasClick(TObject*) { SaveEditorAs(mmoSpewords); }
