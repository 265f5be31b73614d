// The settings page's enable rules after every event, and the two pickers sharing dlgBrowseFile.
#include "formtest.h"
#include "responder.h"

using namespace cfgtest;
using krevtest::ExpectFileDialog;
using krevtest::SeenWindow;

namespace {

void Click(TControl& c) { SendMessageA(c.Handle(), BM_CLICK, 0, 0); }

}  // namespace

TEST_F(MainFormTest, RulesHoldAfterEveryEventAndDisabledControlsKeepTheirValues) {
  TfrmMain& f = Open();
  f.edtBackImage.SetText("C:\\bg.bmp");
  f.edtDefineWordlibPath.SetText("C:\\mine.dat");
  TControl* events[] = {&f.rdbtStyle1, &f.chkUseAlpha, &f.rdbtStyle2, &f.rdbxShuangPin,
                        &f.chkAllowInputSpace, &f.rdbxQuanPin, &f.rdbxCompStyle3, &f.rdbxCompStyle2,
                        &f.rdbxCompStyle1, &f.chkICW, &f.chkICW, &f.rdbxDefineWordlib,
                        &f.rdbxEngMode, &f.rdbxChnMode, &f.rdbxOneWordlib, &f.rdbxDefault};
  for (TControl* c : events) {
    Click(*c);
    ExpectRuleStates(f);
  }
  // Ticks and texts survive their controls being disabled.
  EXPECT_TRUE(f.chkUseAlpha.Checked());
  EXPECT_FALSE(f.chkUseAlpha.Enabled());
  EXPECT_TRUE(f.chkShowSPHint.Checked());
  EXPECT_EQ("C:\\bg.bmp", f.edtBackImage.Text());
  EXPECT_EQ("C:\\mine.dat", f.edtDefineWordlibPath.Text());
  EXPECT_TRUE(f.chkICWAutoSave.Checked());
  f.ControlsToConfig();
  EXPECT_EQ("C:\\bg.bmp", f.Config()->FBackImage);
  EXPECT_TRUE(f.Config()->FShowSPHint);
  EXPECT_TRUE(f.Config()->FUseAlphaSelect);

  // The default input state's radios leave the word-library controls alone.
  Click(f.rdbxDefineWordlib);
  Click(f.rdbxEngMode);
  EXPECT_TRUE(f.edtDefineWordlibPath.Enabled());
  Click(f.rdbxChnMode);
  EXPECT_TRUE(f.btnWordlibBrowse.Enabled());
}

TEST_F(MainFormTest, ClickingTheSelectedRadioRaisesNothing) {
  TfrmMain& f = Open();
  ASSERT_TRUE(f.rdbtStyle2.Checked());
  f.chkUseAlpha.SetEnabled(true);  // a state the handler of rdbtStyle2 would undo
  Click(f.rdbtStyle2);
  EXPECT_TRUE(f.chkUseAlpha.Enabled());
  ASSERT_TRUE(f.rdbxCompStyle1.Checked());
  f.imgCompModern.Show();
  Click(f.rdbxCompStyle1);
  EXPECT_TRUE(f.imgCompModern.Visible());
}

TEST_F(MainFormTest, PickersShareTheDialogAndAddTheirExtension) {
  krevtest::ScratchDir dir("pick");
  TfrmMain& f = Open();
  f.Show();
  Click(f.rdbxCompStyle3);
  Click(f.rdbxDefineWordlib);

  auto bmp = ExpectFileDialog("选择背景图像文件", dir / "picture");
  Click(f.btnBrowseImageFile);
  SeenWindow seen = bmp.get();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(dir / "picture.bmp", f.edtBackImage.Text());

  // The word-library picker offers the picture's path again; cancelling changes nothing.
  auto cancel = ExpectFileDialog("指定用户词库文件", "");
  Click(f.btnWordlibBrowse);
  seen = cancel.get();
  ASSERT_TRUE(seen.found);
  EXPECT_NE(std::string::npos, seen.fileName.find("picture.bmp")) << seen.fileName;
  EXPECT_EQ("", f.edtDefineWordlibPath.Text());

  // A file that does not exist yet is accepted.
  auto dat = ExpectFileDialog("指定用户词库文件", dir / "newlex");
  Click(f.btnWordlibBrowse);
  ASSERT_TRUE(dat.get().found);
  EXPECT_EQ(dir / "newlex.dat", f.edtDefineWordlibPath.Text());
  EXPECT_EQ(InstallDir(), f.dlgBrowseFile.InitialDir);
  EXPECT_EQ(dir / "picture.bmp", f.edtBackImage.Text());
}
