// The main window's frame: bottom bar, page tree, the stacked pages; FormCreate, page switching,
// scrolling to a settings section, Cancel.
#include "uMain.h"

#include "cfglogic.h"
#include "uMainParts.h"

TfrmMain* frmMain = nullptr;

namespace {

// Node texts of the page tree, compared byte for byte.
const char kNodeSettings[] = "输入法设置";
const char kNodeCustom[] = "自定义";
const char kNodeWordlib[] = "用户词库管理";
const char kNodeVersion[] = "输入法版本信息";

}  // namespace

TfrmMain::TfrmMain() : TForm("TfrmMain") {
  SetCaption("青岚拼音输入法 － 属性设置和管理中心");
  SetFont(TFont());
  SetOuterSize(588, 431);
  SetPosition(poScreenCenter);
  SetIcon(GetModuleHandleA(nullptr), krevres::kIcon);
  dlgBrowseFile.Name = "dlgBrowseFile";
  dlgBrowseFile.Options = ofHideReadOnly | ofEnableSizing;
  dlgSaveas.Name = "dlgSaveas";
  dlgSaveas.Options = ofOverwritePrompt | ofHideReadOnly | ofEnableSizing;

  BuildFrame();
  BuildSettingsPage();
  BuildEditorPages();
  BuildWordlibPage();
  BuildVersionPage();
  OnCreate = [this](TObject* sender) { FormCreate(sender); };
}

void TfrmMain::BuildFrame() {
  HINSTANCE module = GetModuleHandleA(nullptr);
  tvwMenu.SetBorder(false);
  tvwMenu.SetReadOnly(true);
  tvwMenu.SetHotTrack(true);
  tvwMenu.SetShowRoot(false);

  BuildLayout<TfrmMain>(this, {
    // control       name            parent          left top width height caption  handler  flags
    {&pnlButtonBar,  "pnlButtonBar", "",             0, 0, 580, 52,  "", nullptr, lfAlignBottom},
    {&imgLogo,       "imgLogo",      "pnlButtonBar", 3, 3, 194, 50,  ""},
    {&btnOK,         "btnOK",        "pnlButtonBar", 239, 16, 76, 25, "确定", &TfrmMain::btnOKClick, lfDefault | lfAnchorTopRight},
    {&btnCancel,     "btnCancel",    "pnlButtonBar", 322, 16, 76, 25, "取消", &TfrmMain::btnCancelClick, lfAnchorTopRight},
    {&btnApply,      "btnApply",     "pnlButtonBar", 406, 16, 76, 25, "保存", &TfrmMain::btnApplyClick, lfAnchorTopRight},
    {&btnHelp,       "btnHelp",      "pnlButtonBar", 489, 16, 76, 25, "帮助", &TfrmMain::btnHelpClick, lfAnchorTopRight},
    {&pnlLeftBar,    "pnlLeftBar",   "",             0, 0, 155, 349, "", nullptr, lfAlignLeft},
    {&pnlMenuTitle,  "pnlMenuTitle", "pnlLeftBar",   0, 0, 155, 25,  "设置与管理项", nullptr, lfAlignTop},
    {&GroupBox1,     "GroupBox1",    "pnlLeftBar",   6, 27, 146, 318, "", nullptr, lfAnchorAll},
    {&tvwMenu,       "tvwMenu",      "GroupBox1",    7, 13, 133, 294, "", nullptr, lfAnchorAll},
    // The six pages fill the client area, stacked; the one in front is the one seen.
    {&scbxSetting,   "scbxSetting",  "",             155, 0, 425, 349, "", nullptr, lfAlignClient},
    {&pnlSpdef,      "pnlSpdef",     "",             155, 0, 425, 349, "", nullptr, lfAlignClient},
    {&pnlChnsym,     "pnlChnsym",    "",             155, 0, 425, 349, "", nullptr, lfAlignClient},
    {&pnlSpewords,   "pnlSpewords",  "",             155, 0, 425, 349, "", nullptr, lfAlignClient},
    {&scbxWordlibMgr, "scbxWordlibMgr", "",          155, 0, 425, 349, "", nullptr, lfAlignClient},
    {&scbxVersion,   "scbxVersion",  "",             155, 0, 425, 349, "", nullptr, lfAlignClient},
  });

  for (TPanel* bar : {&pnlButtonBar, &pnlLeftBar}) {
    bar->SetColor(clWhite);
    bar->SetBevelOuter(bvLowered);
    bar->SetBevelWidth(2);
  }
  imgLogo.LoadBitmap(module, krevres::kLogo);
  imgLogo.SetTransparent(true);
  StyleCaptionPanel(pnlMenuTitle);
  pnlMenuTitle.SetAlignment(taCenter);

  imgsIcons.AddBitmapResource(module, krevres::kTreeImages, RGB(255, 0, 255));
  tvwMenu.SetColor(clWhite);
  tvwMenu.SetIndent(19);
  tvwMenu.SetImages(&imgsIcons);
  // Images: 0 top-level nodes, 2 child nodes, 1 the selected node.
  TTreeNode* settings = tvwMenu.Add(nullptr, kNodeSettings, 0, 1);
  for (const char* text : {"输入设置", "功能键", "外观", "模糊音", "高级"}) tvwMenu.Add(settings, text, 2, 1);
  TTreeNode* custom = tvwMenu.Add(nullptr, kNodeCustom, 0, 1);
  for (const char* text : {"双拼编码", "中文符号输入", "特殊字词和短语"}) tvwMenu.Add(custom, text, 2, 1);
  tvwMenu.Add(nullptr, kNodeWordlib, 0, 1);
  tvwMenu.Add(nullptr, kNodeVersion, 0, 1);
  tvwMenu.OnChange = [this](TObject* sender, TTreeNode* node) { tvwMenuChange(sender, node); };

  for (TScrollBox* page : {&scbxSetting, &scbxWordlibMgr, &scbxVersion}) {
    page->SetColor(clCream);
    page->SetBorder(true);
  }
  for (TPanel* page : {&pnlSpdef, &pnlChnsym, &pnlSpewords}) {
    page->SetBevelOuter(bvRaised);
    page->SetBevelWidth(1);
  }
}

void TfrmMain::FormCreate(TObject* sender) {
  (void)sender;
  FConfig = TKrevConfig::Create();
  FConfig->LoadFromRegistry();
  ConfigToControls();
  ShowWordlibLabels();
  krevcfg::EnsureDirectory(FConfig->FUserDataDir);
  krevcfg::SeedDefinitionFiles(FConfig->FInstallDir, {{FConfig->FSpdefPath, "vardekosp.ini"},
                                                      {FConfig->FChnsymPath, "punctdef.ini"},
                                                      {FConfig->FSpewordsPath, "phrasedef.ini"}});
  ReadVersionLabels();
  tvwMenu.Select(tvwMenu.Item(1));
  tvwMenu.FullExpand();
  ShowCompStyle(FConfig->FCompStyle);
  chkICWAutoSave.SetEnabled(FConfig->FICW);
  if (krevcfg::WantsVersionPage(GetCommandLineA())) tvwMenu.Select(tvwMenu.Item(11));
}

void TfrmMain::ShowWordlibLabels() {
  lblUsrWordlibPath.SetCaption(FConfig->FUserWordlibPath);
  lblUsrWordlibTime.SetCaption(krevcfg::WordlibTimeText(FConfig->FUserWordlibPath));
}

void TfrmMain::tvwMenuChange(TObject* sender, TTreeNode* node) {
  (void)sender;
  if (!node) return;
  const std::string& text = node->Text();
  if (node->Level() == 0) {
    if (text == kNodeSettings) {
      scbxSetting.BringToFront();
    } else if (text == kNodeWordlib) {
      scbxWordlibMgr.BringToFront();
    } else if (text == kNodeVersion) {
      scbxVersion.BringToFront();
    }
  }
  if (node->Level() != 1) return;

  if (node->Parent() && node->Parent()->Text() == kNodeSettings) {
    scbxSetting.BringToFront();
    const struct {
      const char* text;
      TControl* panel;
    } sections[] = {{"输入设置", &pnlCapSetting}, {"功能键", &pnlCapFKey}, {"外观", &pnlCapVisual},
                    {"模糊音", &pnlCapFuzzy},   {"高级", &pnlCapAdvanced}};
    for (const auto& s : sections) {
      if (text == s.text) ScrollToPanel(s.panel);
    }
  }

  if (text == "双拼编码") {
    ShowEditorPage(mmoSpdef, FConfig->FSpdefPath, pnlSpdef);
  } else if (text == "中文符号输入") {
    ShowEditorPage(mmoChnsym, FConfig->FChnsymPath, pnlChnsym);
  } else if (text == "特殊字词和短语") {
    ShowEditorPage(mmoSpewords, FConfig->FSpewordsPath, pnlSpewords);
  }
}

void TfrmMain::ShowEditorPage(TMemo& memo, const std::string& path, TPanel& page) {
  // A failed first load raises before the flag is set and before the page comes to front, so the
  // page in front stays and the next selection tries again.
  if (memo.Tag == 0) {
    memo.LoadFromFile(path);
    memo.Tag = 1;
  }
  page.BringToFront();
}

void TfrmMain::ScrollToPanel(TControl* control) {
  if (!control) return;
  scbxSetting.ScrollInView(control);
  TControl* anchor = control;
  while (anchor && !krevcfg::IsScrollAnchorClass(anchor->ClassName())) anchor = anchor->Parent();
  if (!anchor) return;
  int position = scbxSetting.VertPosition() + anchor->Top();
  scbxSetting.SetVertPosition(
      krevcfg::ClampScrollPosition(position, scbxSetting.VertRange(), scbxSetting.ClientHeight()));
}

void TfrmMain::btnCancelClick(TObject* sender) {
  (void)sender;
  Close();
}
