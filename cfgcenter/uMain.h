// TfrmMain, the settings centre's main window: the page tree on the left, the button bar at the
// bottom and six pages stacked in the client area, one brought to front at a time.
//
// The form's code is split by page; each file builds its page from a layout table:
//   uMain.cpp          frame, tree, FormCreate, page switching, Cancel
//   uMainSettings.cpp  the settings page and its binding to TKrevConfig
//   uMainRules.cpp     the settings page's enable rules and file pickers
//   uMainEditors.cpp   the three definition-file editors
//   uMainSave.cpp      OK, Save and the save sequence
//   uMainWordlib.cpp   the user word-library page
//   uMainVersion.cpp   the version page and help
#pragma once

#include <string>

#include "Toolkit.h"
#include "uConfig.h"

class TfrmMain : public TForm {
 public:
  TfrmMain();

  // The program's one settings object, made by FormCreate and kept until the process ends.
  TKrevConfig* Config() const { return FConfig; }

  // Bottom bar.
  TPanel pnlButtonBar;
  TImage imgLogo;
  TButton btnOK, btnCancel, btnApply, btnHelp;

  // Left bar with the page tree.
  TPanel pnlLeftBar, pnlMenuTitle;
  TGroupBox GroupBox1;
  TTreeView tvwMenu;
  TImageList imgsIcons{16, 16};

  // The six pages.
  TScrollBox scbxSetting;
  TPanel pnlSpdef, pnlChnsym, pnlSpewords;
  TScrollBox scbxWordlibMgr, scbxVersion;

  // Settings page: section captions and group boxes.
  TPanel pnlCapSetting, pnlCapFKey, pnlCapVisual, pnlCapFuzzy, pnlCapAdvanced;
  TGroupBox gbx11Style, gbx13QuanShuang, gbx14ZiCi, gbx15Comp;
  TGroupBox gbx21ChnEng, gbx22Cand, gbx23DingZi, gbx24Other;
  TGroupBox gbx31Comp, gbx32Status;
  TGroupBox gbx41Sheng, gbx42Yun;
  TGroupBox gbx51CharSet, gbxJianFan, gbxDefaultInputMode, gbxWordlib, gbx52Int;

  // Settings page: controls, section by section.
  TRadioButton rdbtStyle1, rdbtStyle2;
  TCheckBox chkUseAlpha;
  TRadioButton rdbxQuanPin, rdbxShuangPin;
  TCheckBox chkShowSPHint;
  TCheckBox chkCiAdjustFreq, chkCiAutoHide, chkZiAdjustFreq, chkZiLF;
  TComboBox cbxMaxNCand;
  TCheckBox chkTraceCaret, chkAllowInputSpace;
  TRadioButton rdbxCEKShift, rdbxCEKCtrl;
  TComboBox cbxPageKey;
  TRadioButton rdbxCandKShift, rdbxCandKCtrl;
  TComboBox cbxHZSelectKey, cbxEnterKey, cbxSKKey;
  TComboBox cbxChnFontFace, cbxAscFontFace, cbxFontHeight;
  TRadioButton rdbxCompStyle1, rdbxCompStyle2, rdbxCompStyle3;
  TEdit edtBackImage;
  TButton btnBrowseImageFile;
  TImage imgCompFloat, imgCompTradit, imgCompModern;
  TRadioButton rdbxShowStatus1, rdbxShowStatus2, rdbxShowStatus0;
  TCheckBox chkFZ, chkFS, chkFC, chkFK, chkFF, chkFL;
  TCheckBox chkFan, chkFen, chkFin, chkFian, chkFuan;
  TRadioButton rdbxGB, rdbxGBK, rdbxJian, rdbxFan, rdbxChnMode, rdbxEngMode;
  TRadioButton rdbxDefault, rdbxOneWordlib, rdbxDefineWordlib;
  TEdit edtDefineWordlibPath;
  TButton btnWordlibBrowse;
  TCheckBox chkICW, chkICWAutoSave, chkHZOrderSort, chkESynAfterNumber, chkTrackRecent;

  // Definition-file editors; each memo's Tag is its loaded flag.
  TPanel pnlSpdefPrompt, pnlChnsymPrompt, pnlSpewordsPrompt;
  TButton btnSpdefLoad, btnSpdefSaveas, btnChnsymLoad, btnChnsymSaveas;
  TButton btnSpewordsLoad, btnSpewordsSaveas;
  TMemo mmoSpdef, mmoChnsym, mmoSpewords;

  // User word-library page (its headings, rules and descriptions are unnamed).
  TPanel pnlWLMgrPrompt;
  TLabel lblUsrWordlibPath, lblUsrWordlibTime;
  TButton btnLexVault, btnLexJoin, btnWLImport, btnWLReset, btnWLRepair;

  // Version page.
  TPanel pnlVersion;
  TLabel lblSepVersion;
  TPanel Panel1;
  TLabel lblMainVersion, lblPEngine, lblVerEngine, lblPIme, lblVerIme, lblCopyright, Label23;
  TLabel lblLicense, Label21;
  TPanel Panel3;
  TLabel lblUrl, lblEmail, Label16;
  TPanel Panel2;
  TMemo Memo1;
  TLabel Label24;

  // The window's file dialogs.
  TOpenDialog dlgBrowseFile;
  TSaveDialog dlgSaveas;

  // Frame (uMain.cpp).
  void FormCreate(TObject* sender);
  void tvwMenuChange(TObject* sender, TTreeNode* node);
  void ScrollToPanel(TControl* control);
  void btnCancelClick(TObject* sender);

  // Settings page (uMainSettings.cpp).
  void ConfigToControls();
  void ControlsToConfig();

  // Enable rules and pickers (uMainRules.cpp).
  void rdbtStyle1Click(TObject* sender);
  void rdbtStyle2Click(TObject* sender);
  void rdbxQuanPinClick(TObject* sender);
  void rdbxShuangPinClick(TObject* sender);
  void rdbxCompStyle1Click(TObject* sender);
  void rdbxCompStyle2Click(TObject* sender);
  void rdbxCompStyle3Click(TObject* sender);
  void chkICWClick(TObject* sender);
  void rdbxDefineWordlibClick(TObject* sender);
  void rdbxDefaultClick(TObject* sender);
  void btnBrowseImageFileClick(TObject* sender);
  void btnWordlibBrowseClick(TObject* sender);

  // Definition-file editors (uMainEditors.cpp).
  void btnSpdefLoadClick(TObject* sender);
  void btnSpdefSaveasClick(TObject* sender);
  void btnChnsymLoadClick(TObject* sender);
  void btnChnsymSaveasClick(TObject* sender);
  void btnSpewordsLoadClick(TObject* sender);
  void btnSpewordsSaveasClick(TObject* sender);

  // Saving (uMainSave.cpp).
  void SaveAll();
  void btnOKClick(TObject* sender);
  void btnApplyClick(TObject* sender);

  // Word-library page (uMainWordlib.cpp).
  void btnLexVaultClick(TObject* sender);
  void btnLexJoinClick(TObject* sender);
  void btnWLImportClick(TObject* sender);
  void btnWLResetClick(TObject* sender);
  void btnWLRepairClick(TObject* sender);

  // Version page and help (uMainVersion.cpp).
  void lblUrlClick(TObject* sender);
  void lblEmailClick(TObject* sender);
  void btnHelpClick(TObject* sender);
  void lblLicenseClick(TObject* sender);

 private:
  // Page builders, called in this order by the constructor.
  void BuildFrame();
  void BuildSettingsPage();
  void BuildEditorPages();
  void BuildWordlibPage();
  void BuildVersionPage();

  // Selects the radio button of composition style `style` (0 floating, 1 traditional, any other
  // value modern) and shows its preview picture, hiding the other two; the modern style also
  // enables the background-image box and its browse button.
  void ShowCompStyle(int style);
  // Shows one of the three preview pictures of the composition styles and hides the other two.
  void ShowCompPreview(TImage& preview);
  // The background-image box and its browse button, which only the modern style uses.
  void EnableBackImage(bool enabled);
  // The word-library labels from the current paths.
  void ShowWordlibLabels();
  // The file versions of the engine and the module into their labels.
  void ReadVersionLabels();
  // Loads a definition editor from its live file the first time its page is shown.
  void ShowEditorPage(TMemo& memo, const std::string& path, TPanel& page);
  // "读入..." and "另存为..." of one editor.
  void LoadEditor(TMemo& memo);
  void SaveEditorAs(TMemo& memo);

  TKrevConfig* FConfig = nullptr;
};

extern TfrmMain* frmMain;

// The application title: the task-bar text and the caption of the default error box.
constexpr const char kAppTitle[] = "青岚拼音输入法－属性设置和管理中心";

// Resource names of the program's pictures (krevcfg.rc).
namespace krevres {
constexpr const char* kIcon = "MAINICON";
constexpr const char* kLogo = "LOGO";
constexpr const char* kTreeImages = "TREEIMAGES";
constexpr const char* kPromptIcon = "PROMPTICON";
constexpr const char* kCompFloat = "COMPFLOAT";
constexpr const char* kCompTradit = "COMPTRADIT";
constexpr const char* kCompModern = "COMPMODERN";
}  // namespace krevres
