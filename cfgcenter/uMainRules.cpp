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

void TfrmMain::rdbxCompStyle1Click(TObject*) {
  edtBackImage.SetEnabled(false);
  btnBrowseImageFile.SetEnabled(false);
  imgCompTradit.Hide();
  imgCompModern.Hide();
  imgCompFloat.Show();
}

void TfrmMain::rdbxCompStyle2Click(TObject*) {
  edtBackImage.SetEnabled(false);
  btnBrowseImageFile.SetEnabled(false);
  imgCompModern.Hide();
  imgCompFloat.Hide();
  imgCompTradit.Show();
}

void TfrmMain::rdbxCompStyle3Click(TObject*) {
  edtBackImage.SetEnabled(true);
  btnBrowseImageFile.SetEnabled(true);
  imgCompFloat.Hide();
  imgCompTradit.Hide();
  imgCompModern.Show();
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
