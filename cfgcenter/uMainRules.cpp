// The settings page's enable and preview rules and its two file pickers. None of them changes a
// tick or a text: a disabled control keeps its value and is still read on saving.
#include "uMain.h"

void TfrmMain::rdbtStyle1Click(TObject*) { chkUseAlpha.SetEnabled(true); }

void TfrmMain::rdbtStyle2Click(TObject*) { chkUseAlpha.SetEnabled(false); }

void TfrmMain::rdbxQuanPinClick(TObject*) {
  chkShowSPHint.SetEnabled(false);
  chkAllowInputSpace.SetEnabled(true);
}

void TfrmMain::rdbxShuangPinClick(TObject*) {
  chkShowSPHint.SetEnabled(true);
  chkAllowInputSpace.SetEnabled(false);
}

void TfrmMain::ShowCompPreview(TImage& preview) {
  for (TImage* image : {&imgCompFloat, &imgCompTradit, &imgCompModern}) {
    if (image != &preview) image->Hide();
  }
  preview.Show();
}

void TfrmMain::EnableBackImage(bool enabled) {
  edtBackImage.SetEnabled(enabled);
  btnBrowseImageFile.SetEnabled(enabled);
}

void TfrmMain::rdbxCompStyle1Click(TObject*) {
  EnableBackImage(false);
  ShowCompPreview(imgCompFloat);
}

void TfrmMain::rdbxCompStyle2Click(TObject*) {
  EnableBackImage(false);
  ShowCompPreview(imgCompTradit);
}

void TfrmMain::rdbxCompStyle3Click(TObject*) {
  EnableBackImage(true);
  ShowCompPreview(imgCompModern);
}

void TfrmMain::chkICWClick(TObject*) { chkICWAutoSave.SetEnabled(chkICW.Checked()); }

void TfrmMain::rdbxDefineWordlibClick(TObject*) {
  edtDefineWordlibPath.SetEnabled(true);
  btnWordlibBrowse.SetEnabled(true);
}

// Bound to rdbxDefault and rdbxOneWordlib only: the default input state's radios leave the
// word-library controls alone, so they are enabled exactly while rdbxDefineWordlib is selected.
void TfrmMain::rdbxDefaultClick(TObject*) {
  edtDefineWordlibPath.SetEnabled(false);
  btnWordlibBrowse.SetEnabled(false);
}

// The pickers share dlgBrowseFile: what one does not set (the initial directory, the path chosen
// last) stays for the next.
void TfrmMain::btnBrowseImageFileClick(TObject*) {
  dlgBrowseFile.Filter = "图像文件(*.bmp)|*.bmp";
  dlgBrowseFile.DefaultExt = "bmp";
  dlgBrowseFile.Title = "选择背景图像文件";
  dlgBrowseFile.InitialDir = FConfig->FInstallDir;
  if (dlgBrowseFile.Execute()) edtBackImage.SetText(dlgBrowseFile.FileName);
}

void TfrmMain::btnWordlibBrowseClick(TObject*) {
  dlgBrowseFile.Filter = "词库文件(*.dat)|*.dat";
  dlgBrowseFile.DefaultExt = "dat";
  dlgBrowseFile.Title = "指定用户词库文件";
  if (dlgBrowseFile.Execute()) edtDefineWordlibPath.SetText(dlgBrowseFile.FileName);
}
