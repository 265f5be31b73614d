// TfrmSavePrompt: tells the user that the settings are saved and take effect when the input method
// is next opened; its check box turns the prompt off for good. One instance, reused.
#pragma once

#include "Toolkit.h"

class TfrmSavePrompt : public TForm {
 public:
  TfrmSavePrompt();

  // The answer of the last showing: show the prompt after the next save too.
  bool PromptAgain() const { return FPromptAgain; }

  TImage Image1;
  TLabel Label1, Label2, Label3;
  TCheckBox chkNoPromptAgain;
  TButton btnOK;

  void btnOKClick(TObject* sender);

 private:
  bool FPromptAgain = false;
};

extern TfrmSavePrompt* frmSavePrompt;
