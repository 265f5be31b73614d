// The configuration wizard's window: eleven pages over a page control with hidden tabs, driven by
// the page graph of WizardFlow.h; Finish applies the answers to the settings and saves them.
#pragma once

#include "Toolkit.h"
#include "WizardFlow.h"
#include "uConfig.h"

// The application title (task bar and default error box).
extern const char* const WizardAppTitle;

class TfrmMain : public TForm {
 public:
  TfrmMain();

  TPageControl pgctlMain;

  // Page 0, welcome.
  TTabSheet TabSheet0;
  TImage Image1;
  TLabel Label1, Label2, Label3, Label4;
  TPanel pnlLineBottom;
  TButton btnResetDefaultValues, btnNext0, btnCancel0;

  // Page 1, usage.
  TTabSheet TabSheet1;
  TImage Image2;
  TLabel Label5, Label6;
  TPanel Panel1, Panel2;
  TRadioButton rdbtUsage1, rdbtUsage2, rdbtUsage3;
  TButton btnPrev1, btnNext1, btnCancel1;

  // Page 2, fuzzy sounds.
  TTabSheet TabSheet2;
  TImage Image3;
  TLabel Label7, Label8, Label9;
  TPanel Panel3, Panel4;
  TCheckBox chkNoFuzzy, chkFuzzy1, chkFuzzy2, chkFuzzy3;
  TButton btnPrev2, btnNext2, btnCancel2;

  // Page 3, character set.
  TTabSheet TabSheet3;
  TImage Image4;
  TLabel Label10, Label11;
  TPanel Panel5, Panel6;
  TRadioButton rdbxGB, rdbxGBK, rdbxFanti;
  TButton btnPrev3, btnNext3, btnCancel3;

  // Page 4, smart features.
  TTabSheet TabSheet4;
  TImage Image5;
  TLabel Label12, Label13, Label14, Label15;
  TPanel Panel7, Panel8;
  TCheckBox chkAdjFreq, chkICW;
  TButton btnPrev4, btnNext4, btnCancel4;

  // Page 5, font size.
  TTabSheet TabSheet5;
  TImage Image6;
  TLabel Label16, Label17;
  TPanel Panel9, Panel10;
  TRadioButton rdbxCompSmall, rdbxCompMedium, rdbxCompLarge;
  TButton btnPrev5, btnNext5, btnCancel5;

  // Page 6, habit.
  TTabSheet TabSheet6;
  TImage Image7;
  TLabel Label19, Label18;
  TPanel Panel11, Panel12;
  TRadioButton rdbxDos, rdbxWinpy, rdbxAbc, rdbxCstar, rdbxPyjj, rdbxZiranma, rdbxMspy, rdbxKuangpin;
  TButton btnPrev6, btnNext6, btnCancel6;

  // Page 7, QuanPin or ShuangPin.
  TTabSheet TabSheet7;
  TImage Image8;
  TLabel Label20, Label21;
  TPanel Panel13, Panel14;
  TRadioButton rdbxQuanpin, rdbxShuangpin;
  TButton btnPrev7, btnNext7, btnCancel7;

  // Page 8, finish.
  TTabSheet TabSheet8;
  TImage Image9;
  TLabel Label25, lblFinishPrompt1, Label26;
  TPanel Panel15;
  TButton btnPrev8, btnFinish, btnCancel8;

  // Page 9, advice for users of whole-sentence input methods.
  TTabSheet TabSheet9;
  TImage Image10;
  TLabel Label24, lblFinishPrompt, Label22;
  TPanel Panel16;
  TButton btnPrev9, btnNext9, btnQuit;

  // Page 10, settings centre.
  TTabSheet TabSheet10;
  TImage Image11;
  TLabel Label23, Label27, Label29, Label28;
  TPanel Panel17;
  TButton btnPrev10, btnQuit10;

  void FormCreate(TObject* sender);
  void btnNext0Click(TObject* sender);
  void btnPrev1Click(TObject* sender);
  void btnNext1Click(TObject* sender);
  void btnPrev2Click(TObject* sender);
  void btnNext2Click(TObject* sender);
  void btnPrev3Click(TObject* sender);
  void btnNext3Click(TObject* sender);
  void btnPrev4Click(TObject* sender);
  void btnNext4Click(TObject* sender);
  void btnPrev5Click(TObject* sender);
  void btnNext5Click(TObject* sender);
  void btnPrev6Click(TObject* sender);
  void btnNext6Click(TObject* sender);
  void btnPrev7Click(TObject* sender);
  void btnNext7Click(TObject* sender);
  void btnPrev8Click(TObject* sender);
  void btnFinishClick(TObject* sender);
  void btnPrev9Click(TObject* sender);
  void btnNext9Click(TObject* sender);
  void btnPrev10Click(TObject* sender);
  void btnCancel0Click(TObject* sender);
  void btnQuitClick(TObject* sender);
  void chkNoFuzzyClick(TObject* sender);
  void btnResetDefaultValuesClick(TObject* sender);


 private:
  TKrevConfig* FConfig = nullptr;
  int FPrevPage = 0;
  int FUsageMode = umNotChosen;

  // What the pages hold now.
  TWizardAnswers ReadAnswers() const;
  // The page's own default button (Enter).
  TButton* PageDefaultButton(int page);
  void ShowPage(int page);
  void Forward(int page);
  void Back(int page);
};

extern TfrmMain* frmMain;
