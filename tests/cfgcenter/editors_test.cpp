// The definition editors' "读入..." and "另存为...": line breaks, the modified flag, and that a
// copy never generates the key-scheme file.
#include "formtest.h"
#include "responder.h"

using namespace cfgtest;
using krevtest::ExpectFileDialog;

namespace {

void Click(TControl& c) { SendMessageA(c.Handle(), BM_CLICK, 0, 0); }

}  // namespace

TEST_F(MainFormTest, LoadMakesCrLfAndMarksModifiedSaveAsKeepsTheFlag) {
  krevtest::ScratchDir dir("edit");
  ASSERT_TRUE(krevtest::WriteFileBytes(dir / "lf.ini", "a=1\nb=2\n"));
  TfrmMain& f = Open();
  f.Show();
  f.tvwMenu.Select(f.tvwMenu.Item(8));

  auto load = ExpectFileDialog("选择定义文件", dir / "lf.ini");
  Click(f.btnChnsymLoad);
  ASSERT_TRUE(load.get().found);
  EXPECT_EQ("a=1\r\nb=2\r\n", f.mmoChnsym.Text());
  EXPECT_TRUE(f.mmoChnsym.Modified());
  EXPECT_EQ("chn\nsym\n", krevtest::ReadFileBytes(chnsym_));  // the live file is not touched

  auto save = ExpectFileDialog("选择定义文件", dir / "copy");
  Click(f.btnChnsymSaveas);
  ASSERT_TRUE(save.get().found);
  EXPECT_EQ("a=1\r\nb=2\r\n", krevtest::ReadFileBytes(dir / "copy.ini"));
  EXPECT_TRUE(f.mmoChnsym.Modified());
}

TEST_F(MainFormTest, LoadingEqualTextStillMarksModified) {
  TfrmMain& f = Open();
  f.Show();
  f.tvwMenu.Select(f.tvwMenu.Item(7));
  ASSERT_FALSE(f.mmoSpdef.Modified());
  auto load = ExpectFileDialog("选择定义文件", spdef_);
  Click(f.btnSpdefLoad);
  ASSERT_TRUE(load.get().found);
  EXPECT_EQ(kSpdefText, f.mmoSpdef.Text());
  EXPECT_TRUE(f.mmoSpdef.Modified());
}

TEST_F(MainFormTest, SaveAsOfTheShuangPinPageGeneratesNoKeyScheme) {
  krevtest::ScratchDir dir("edit");
  DeleteFileA(ksc_.c_str());
  TfrmMain& f = Open();
  f.Show();
  f.tvwMenu.Select(f.tvwMenu.Item(7));
  TypeInto(f.mmoSpdef, ";");
  auto save = ExpectFileDialog("选择定义文件", dir / "sp");
  Click(f.btnSpdefSaveas);
  ASSERT_TRUE(save.get().found);
  EXPECT_EQ(f.mmoSpdef.Text(), krevtest::ReadFileBytes(dir / "sp.ini"));
  EXPECT_TRUE(f.mmoSpdef.Modified());
  EXPECT_FALSE(krevtest::FileExists(ksc_));
  EXPECT_EQ(kSpdefText, krevtest::ReadFileBytes(spdef_));

  // An empty box gives an empty file.
  f.tvwMenu.Select(f.tvwMenu.Item(9));
  f.mmoSpewords.SetText("");
  auto empty = ExpectFileDialog("选择定义文件", dir / "empty");
  Click(f.btnSpewordsSaveas);
  ASSERT_TRUE(empty.get().found);
  EXPECT_TRUE(krevtest::FileExists(dir / "empty.ini"));
  EXPECT_EQ("", krevtest::ReadFileBytes(dir / "empty.ini"));
}
