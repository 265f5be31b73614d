// The version page: the version of the input method, the file versions of the engine and of the
// input-method module (read once when the window is created), the terms of use, two links and the
// credits; and help, which the service library shows.
#include "calls.h"
#include "cfglogic.h"
#include "uMain.h"
#include "uMainParts.h"

void TfrmMain::BuildVersionPage() {
  const char* page = "scbxVersion";
  // The credits fit the box: no scroll bar beside them.
  Memo1.SetVerticalScrollBar(false);
  BuildLayout<TfrmMain>(this, {
    // control        name              parent left top width height caption handler flags
    {&pnlVersion,     "pnlVersion",     page, 0, 0, 421, 25,   "  输入法版本信息", nullptr, lfStretch},
    {&lblSepVersion,  "lblSepVersion",  page, 10, 33, 0, 0,    "版本与授权", nullptr, lfBold},
    {&Panel1,         "Panel1",         page, 79, 38, 333, 2,  "", nullptr, lfStretch},
    {&lblMainVersion, "lblMainVersion", page, 30, 52, 0, 0,    "青岚拼音输入法  版本：3.0"},
    {&lblPEngine,     "lblPEngine",     page, 46, 68, 0, 0,    "输入法引擎(kvengine.dll)："},
    {&lblVerEngine,   "lblVerEngine",   page, 210, 68, 0, 0,   "2.4", nullptr, lfNoPrefix},
    {&lblPIme,        "lblPIme",        page, 46, 84, 0, 0,    "输入法接口(vardeko.ime)："},
    {&lblVerIme,      "lblVerIme",      page, 210, 84, 0, 0,   "2.4", nullptr, lfNoPrefix},
    {&lblCopyright,   "lblCopyright",   page, 30, 106, 0, 0,   "版权所有 (C) 2004-2008 Brennholt 软件"},
    {&Label23,        "Label23",        page, 30, 122, 0, 0,   "保留所有权利。"},
    {&lblLicense,     "lblLicense",     page, 53, 161, 0, 0,   "“青岚拼音输入法最终用户使用许可”", &TfrmMain::lblLicenseClick},
    {&Label21,        "Label21",        page, 10, 184, 0, 0,   "Internet", nullptr, lfBold},
    {&Panel3,         "Panel3",         page, 72, 189, 340, 2, "", nullptr, lfStretch},
    {&lblUrl,         "lblUrl",         page, 30, 199, 0, 0,   "http://www.brennholt.example/vardeko/", &TfrmMain::lblUrlClick, lfNoPrefix},
    {&lblEmail,       "lblEmail",       page, 30, 216, 0, 0,   "mailto:vardeko@brennholt.example", &TfrmMain::lblEmailClick, lfNoPrefix},
    {&Label16,        "Label16",        page, 10, 237, 0, 0,   "开发人员", nullptr, lfBold},
    {&Panel2,         "Panel2",         page, 72, 242, 340, 2, "", nullptr, lfStretch},
    {&Memo1,          "Memo1",          page, 30, 256, 369, 56,
     "设计与编程：Brennholt 开发组\r\n词库编辑：Brennholt 词库组\r\n测试：Brennholt 测试组\r\n美术设计：Brennholt 美术组",
     nullptr, lfReadOnly | lfStretch},
    {&Label24,        "Label24",        page, 30, 320, 0, 0,   "感谢广大用户对青岚拼音输入法提出的宝贵建议。"},
  });
  StyleCaptionPanel(pnlVersion);
  for (TLabel* heading : {&lblSepVersion, &Label21, &Label16}) {
    TFont font = heading->Font();
    font.Color = clBlack;
    heading->SetFont(font);
  }
  lblLicense.SetLinkLook(clWindowText);
  for (TLabel* link : {&lblLicense, &lblUrl, &lblEmail}) link->SetTransparent(true);
  lblUrl.SetLinkLook(clBlue);
  lblEmail.SetLinkLook(clBlue);
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

// The same page whatever page is in front.
void TfrmMain::btnHelpClick(TObject*) { KrevcfgCalls.krevHelpSetting(Handle(), "195-输入法配置和管理.htm"); }

// The licence text is a page of the help; the link changes nothing else.
void TfrmMain::lblLicenseClick(TObject*) { KrevcfgCalls.krevHelpSetting(Handle(), "030-用户许可说明.htm"); }

namespace {

// The links open whatever their labels show; what the shell does when it cannot is its own
// business. An empty caption is no link: the shell would open the current folder instead.
void OpenLink(const TLabel& link) {
  const std::string target = link.Caption();
  if (target.empty()) return;
  KrevcfgCalls.ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace

void TfrmMain::lblUrlClick(TObject*) { OpenLink(lblUrl); }

void TfrmMain::lblEmailClick(TObject*) { OpenLink(lblEmail); }
