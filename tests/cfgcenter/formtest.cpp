#include "formtest.h"

#include "krevset.h"

namespace cfgtest {

namespace {

std::string Getter(KREVBOOL(__stdcall* getter)(char*)) {
  char buffer[KREV_PATH_BUFFER] = {0};
  getter(buffer);
  return buffer;
}

}  // namespace

std::string UserDataDir() { return Getter(krevGetUserDataPath); }
std::string InstallDir() { return Getter(krevGetVardekoPath); }

void StoreSettings(const TKrevConfig& config) {
  TKrevConfig copy = config;
  copy.SaveToRegistry();
}

void ExpectSameSettings(const TKrevConfig& e, const TKrevConfig& a) {
#define SAME(field) EXPECT_EQ(e.field, a.field) << #field;
  SAME(FInputStyle) SAME(FUseAlphaSelect) SAME(FShuangPin) SAME(FShowSPHint) SAME(FTraceCaret)
  SAME(FCiAdjustFreq) SAME(FCiAutoHide) SAME(FZiAdjustFreq) SAME(FZiRecentFirst)
  SAME(FMaxCandidates) SAME(FAllowInputSpace) SAME(FChnEngSwitchKey) SAME(FEnterKeyMode)
  SAME(FPageKey) SAME(FCand23Key) SAME(FHZSelectKey) SAME(FSoftKbdKey) SAME(FChnFontFace)
  SAME(FAscFontFace) SAME(FFontHeight) SAME(FCompStyle) SAME(FBackImage) SAME(FStatusBarMode)
  SAME(FFuzzyC) SAME(FFuzzyF) SAME(FFuzzyK) SAME(FFuzzyL) SAME(FFuzzyS) SAME(FFuzzyZ)
  SAME(FFuzzyAn) SAME(FFuzzyEn) SAME(FFuzzyIan) SAME(FFuzzyIn) SAME(FFuzzyUan) SAME(FUseGBK)
  SAME(FICW) SAME(FICWAutoSave) SAME(FHZOrderSort) SAME(FESynAfterNumber) SAME(FTrackRecent)
  SAME(FSimplified) SAME(FEnglishAtStart) SAME(FOneWordlibPerMachine) SAME(FWordlibMode)
  SAME(FUserWordlibFile)
#undef SAME
}

// Enabled exactly as the enable rules say for the current selection.
void ExpectRuleStates(TfrmMain& f) {
  EXPECT_EQ(f.rdbtStyle1.Checked(), f.chkUseAlpha.Enabled());
  EXPECT_EQ(f.rdbxShuangPin.Checked(), f.chkShowSPHint.Enabled());
  EXPECT_EQ(f.rdbxQuanPin.Checked(), f.chkAllowInputSpace.Enabled());
  EXPECT_EQ(f.rdbxCompStyle3.Checked(), f.edtBackImage.Enabled());
  EXPECT_EQ(f.rdbxCompStyle3.Checked(), f.btnBrowseImageFile.Enabled());
  EXPECT_EQ(f.rdbxCompStyle1.Checked(), f.imgCompFloat.Visible());
  EXPECT_EQ(f.rdbxCompStyle2.Checked(), f.imgCompTradit.Visible());
  EXPECT_EQ(f.rdbxCompStyle3.Checked(), f.imgCompModern.Visible());
  EXPECT_EQ(f.rdbxDefineWordlib.Checked(), f.edtDefineWordlibPath.Enabled());
  EXPECT_EQ(f.rdbxDefineWordlib.Checked(), f.btnWordlibBrowse.Enabled());
  EXPECT_EQ(f.chkICW.Checked(), f.chkICWAutoSave.Enabled());
}

void TypeInto(TControl& control, const std::string& text) {
  SendMessageA(control.Handle(), EM_SETSEL, 0, 0);
  for (unsigned char c : text) SendMessageA(control.Handle(), WM_CHAR, c, 0);
}

void StorePromptOff() { krevtest::WriteDword(HKEY_CURRENT_USER, KrevPromptAfterSaveValue, 0); }

void MainFormTest::SetUp() {
  Application.Initialize();
  Application.SetTitle(kAppTitle);
  krevtest::DeleteSettingsKeys();
  std::string data = UserDataDir();
  userDirExisted_ = GetFileAttributesA(data.c_str()) != INVALID_FILE_ATTRIBUTES;
  CreateDirectoryA(data.c_str(), nullptr);
  spdef_ = data + "vardekosp.ini";
  chnsym_ = data + "punctdef.ini";
  spewords_ = data + "phrasedef.ini";
  wordlib_ = data + "perlex.dat";
  ksc_ = data + "vardekosp.ksc";
  std::string inst = InstallDir();
  files_.reset(new FileGuard({spdef_, chnsym_, spewords_, wordlib_, ksc_, inst + "vardekosp.ini",
                              inst + "punctdef.ini", inst + "phrasedef.ini"}));
  // Known live files, so a page shows what the test wrote.
  krevtest::WriteFileBytes(spdef_, kSpdefText);
  krevtest::WriteFileBytes(chnsym_, "chn\nsym\n");
  krevtest::WriteFileBytes(spewords_, "spe\rwords");
}

void MainFormTest::TearDown() {
  delete frmSavePrompt;
  frmSavePrompt = nullptr;
  delete frmMain;
  frmMain = nullptr;
  krevtest::DeleteSettingsKeys();
  files_.reset();
  if (!userDirExisted_) krevtest::RemoveTree(UserDataDir());
}

TfrmMain& MainFormTest::Open() {
  Application.CreateForm(frmMain);
  Application.CreateForm(frmSavePrompt);
  return *frmMain;
}

void MainFormTest::DesignSize(int extraHeight) {
  int dh = 345 + extraHeight - frmMain->scbxSetting.ClientHeight();
  frmMain->SetOuterSize(frmMain->Width(), frmMain->Height() + dh);
  ASSERT_EQ(345 + extraHeight, frmMain->scbxSetting.ClientHeight());
}

}  // namespace cfgtest
