#include "uCfgPrompt.h"

#include "uMain.h"

TfrmSavePrompt* frmSavePrompt = nullptr;

TfrmSavePrompt::TfrmSavePrompt() : TForm("TfrmSavePrompt") {
  SetCaption("青岚拼音输入法 － 属性设置");
  SetBorderStyle(bsDialog);
  SetFont(TFont());
  SetColor(clCream);
  SetClientSize(328, 154);
  SetPosition(poMainFormCenter);

  BuildLayout<TfrmSavePrompt>(this, {
    // control          name               parent left top width height caption                      handler flags
    {&Image1,           "Image1",          "",    16, 14, 48, 48,  ""},
    {&Label1,           "Label1",          "",    80, 16, 168, 12, "属性设置与自定义信息已保存。", nullptr, lfFixedSize},
    {&Label2,           "Label2",          "",    80, 40, 228, 12, "属性和自定义设置将在您重新打开青岚拼音", nullptr, lfFixedSize},
    {&Label3,           "Label3",          "",    80, 56, 84, 12,  "输入法时生效。", nullptr, lfFixedSize},
    {&chkNoPromptAgain, "chkNoPromptAgain", "",   80, 85, 185, 17, "不再提示此信息。"},
    {&btnOK,            "btnOK",           "",    123, 117, 73, 25, "确定", &TfrmSavePrompt::btnOKClick, lfDefault},
  });
  Image1.LoadIcon(GetModuleHandleA(nullptr), krevres::kPromptIcon, 48);
  // Closing the prompt without its button (close box, Alt+F4) answers as the button would: the
  // check box alone decides.
  OnClose = [this](TObject*) { FPromptAgain = !chkNoPromptAgain.Checked(); };
}

void TfrmSavePrompt::btnOKClick(TObject*) {
  FPromptAgain = !chkNoPromptAgain.Checked();
  Close();
}
