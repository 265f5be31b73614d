// The version page: the file versions of the engine and of the input-method module, read once when
// the window is created; and help. The page's other texts and links are added here.
#include "cfglogic.h"
#include "krevset.h"
#include "uMain.h"
#include "uMainParts.h"

void TfrmMain::BuildVersionPage() {
  BuildLayout<TfrmMain>(this, {
    // control        name            parent         left top width height caption flags
    {&pnlVersion,     "pnlVersion",   "scbxVersion", 0, 0, 421, 25, "  输入法版本信息", nullptr, lfStretch},
    {&lblPEngine,     "lblPEngine",   "scbxVersion", 46, 68, 0, 0,  "输入法引擎(kvengine.dll)："},
    {&lblVerEngine,   "lblVerEngine", "scbxVersion", 210, 68, 0, 0, "2.4"},
    {&lblPIme,        "lblPIme",      "scbxVersion", 46, 84, 0, 0,  "输入法接口(vardeko.ime)："},
    {&lblVerIme,      "lblVerIme",    "scbxVersion", 210, 84, 0, 0, "2.4"},
  });
  StyleCaptionPanel(pnlVersion);
}

// Each file is asked for its own entry only; a label whose entry cannot be read keeps "2.4".
void TfrmMain::ReadVersionLabels() {
  std::string text;
  if (krevcfg::ReadFileVersionText(FConfig->FEnginePath, "StringFileInfo\\080404b0\\FileVersion", &text)) {
    lblVerEngine.SetCaption(text);
  }
  if (krevcfg::ReadFileVersionText(FConfig->FImePath, "StringFileInfo\\080403a8\\FileVersion", &text)) {
    lblVerIme.SetCaption(text);
  }
}

void TfrmMain::btnHelpClick(TObject*) { krevHelpSetting(Handle(), "195-输入法配置和管理.htm"); }

void TfrmMain::lblLicenseClick(TObject*) {}
void TfrmMain::lblUrlClick(TObject*) {}
void TfrmMain::lblEmailClick(TObject*) {}
