// The settings page filled from stored settings and read back: defaults, round trips, the font
// height, values outside a control's range, the word-library modes and the font faces.
#include <algorithm>
#include <cctype>

#include "formtest.h"

using namespace cfgtest;

namespace {

// Two installed faces other than "Default", for settings that must be found.
std::pair<std::string, std::string> TwoFaces() {
  std::vector<std::string> fonts = Screen.Fonts();
  std::vector<std::string> faces;
  for (const std::string& s : fonts) {
    if (s != "Default") faces.push_back(s);
  }
  if (faces.empty()) return {"Default", "Default"};
  return {faces.front(), faces.back()};
}

bool Installed(const std::string& face) {
  std::vector<std::string> fonts = Screen.Fonts();
  return std::find(fonts.begin(), fonts.end(), face) != fonts.end();
}

TKrevConfig Stored() {
  TKrevConfig c;
  c.LoadFromRegistry();
  return c;
}

}  // namespace

TEST_F(MainFormTest, EveryDefaultShownAndReadBackUnchanged) {
  TfrmMain& f = Open();
  EXPECT_TRUE(f.rdbtStyle2.Checked());
  EXPECT_FALSE(f.rdbtStyle1.Checked());
  EXPECT_FALSE(f.chkUseAlpha.Checked());
  EXPECT_FALSE(f.chkUseAlpha.Enabled());
  EXPECT_TRUE(f.rdbxQuanPin.Checked());
  EXPECT_TRUE(f.chkShowSPHint.Checked());
  EXPECT_FALSE(f.chkShowSPHint.Enabled());
  EXPECT_FALSE(f.chkAllowInputSpace.Checked());
  EXPECT_TRUE(f.chkAllowInputSpace.Enabled());
  for (TCheckBox* on : {&f.chkTraceCaret, &f.chkCiAdjustFreq, &f.chkZiAdjustFreq, &f.chkZiLF,
                        &f.chkICW, &f.chkICWAutoSave, &f.chkTrackRecent}) {
    EXPECT_TRUE(on->Checked()) << on->Name();
    EXPECT_TRUE(on->Enabled()) << on->Name();
  }
  for (TCheckBox* off : {&f.chkCiAutoHide, &f.chkHZOrderSort, &f.chkESynAfterNumber, &f.chkFZ,
                         &f.chkFS, &f.chkFC, &f.chkFK, &f.chkFF, &f.chkFL, &f.chkFan, &f.chkFen,
                         &f.chkFin, &f.chkFian, &f.chkFuan}) {
    EXPECT_FALSE(off->Checked()) << off->Name();
  }
  EXPECT_EQ("5个", f.cbxMaxNCand.Text());
  EXPECT_TRUE(f.rdbxCEKShift.Checked());
  EXPECT_EQ("逗号(,)和句号(.)键", f.cbxPageKey.Text());
  EXPECT_TRUE(f.rdbxCandKCtrl.Checked());
  EXPECT_EQ("左中括号([)和右中括号(])键", f.cbxHZSelectKey.Text());
  EXPECT_EQ("输入在输入栏中键入的英文串", f.cbxEnterKey.Text());
  EXPECT_EQ("K", f.cbxSKKey.Text());
  EXPECT_EQ(Installed("宋体") ? "宋体" : "", f.cbxChnFontFace.Text());
  EXPECT_EQ(Installed("Arial") ? "Arial" : "", f.cbxAscFontFace.Text());
  EXPECT_EQ("16个像素", f.cbxFontHeight.Text());
  EXPECT_TRUE(f.rdbxCompStyle1.Checked());
  EXPECT_TRUE(f.imgCompFloat.Visible());
  EXPECT_FALSE(f.imgCompTradit.Visible());
  EXPECT_FALSE(f.imgCompModern.Visible());
  EXPECT_FALSE(f.edtBackImage.Enabled());
  EXPECT_FALSE(f.btnBrowseImageFile.Enabled());
  EXPECT_EQ("", f.edtBackImage.Text());
  EXPECT_TRUE(f.rdbxShowStatus1.Checked());
  EXPECT_TRUE(f.rdbxGBK.Checked());
  EXPECT_FALSE(f.rdbxGB.Checked());
  EXPECT_TRUE(f.rdbxJian.Checked());
  EXPECT_TRUE(f.rdbxChnMode.Checked());
  EXPECT_TRUE(f.rdbxDefault.Checked());
  EXPECT_EQ("", f.edtDefineWordlibPath.Text());
  EXPECT_FALSE(f.edtDefineWordlibPath.Enabled());
  EXPECT_FALSE(f.btnWordlibBrowse.Enabled());
  ExpectRuleStates(f);

  TKrevConfig before = *f.Config();
  f.ControlsToConfig();
  TKrevConfig expected = before;
  // Faces that are not installed read back empty.
  if (!Installed("宋体")) expected.FChnFontFace = "";
  if (!Installed("Arial")) expected.FAscFontFace = "";
  ExpectSameSettings(expected, *f.Config());
}

TEST_F(MainFormTest, InRangeSettingsComeBackUnchanged) {
  auto faces = TwoFaces();
  TKrevConfig a;
  a.LoadDefaults();
  a.FInputStyle = 0, a.FUseAlphaSelect = true, a.FShuangPin = true, a.FShowSPHint = false;
  a.FTraceCaret = false, a.FCiAdjustFreq = false, a.FCiAutoHide = true, a.FZiAdjustFreq = false;
  a.FZiRecentFirst = false, a.FMaxCandidates = 9, a.FAllowInputSpace = true, a.FChnEngSwitchKey = 1;
  a.FEnterKeyMode = 2, a.FPageKey = 1, a.FCand23Key = 0, a.FHZSelectKey = 0, a.FSoftKbdKey = 25;
  a.FChnFontFace = faces.first, a.FAscFontFace = faces.second, a.FFontHeight = 32, a.FCompStyle = 2;
  a.FBackImage = "C:\\pictures\\背景.bmp", a.FStatusBarMode = 2;
  a.FFuzzyC = a.FFuzzyF = a.FFuzzyK = a.FFuzzyL = a.FFuzzyS = a.FFuzzyZ = true;
  a.FFuzzyAn = a.FFuzzyEn = a.FFuzzyIan = a.FFuzzyIn = a.FFuzzyUan = true;
  a.FUseGBK = false, a.FICW = false, a.FICWAutoSave = true, a.FHZOrderSort = true;
  a.FESynAfterNumber = true, a.FTrackRecent = false, a.FSimplified = false, a.FEnglishAtStart = true;
  a.FOneWordlibPerMachine = true, a.FUserWordlibFile = "";

  TKrevConfig b;
  b.LoadDefaults();
  b.FMaxCandidates = 3, b.FSoftKbdKey = 0, b.FFontHeight = 22, b.FCompStyle = 1, b.FStatusBarMode = 0;
  b.FChnFontFace = faces.second, b.FAscFontFace = faces.first;
  b.FBackImage = "kept.bmp", b.FUserWordlibFile = "D:\\词库\\mine.dat", b.FEnglishAtStart = true;
  b.FFuzzyZ = b.FFuzzyUan = true;
  // The lowest height that reads back as itself, which is no item of the list; otherwise as b.
  TKrevConfig lowest = b;
  lowest.FFontHeight = 12;

  for (const TKrevConfig* c : {&a, &b, &lowest}) {
    krevtest::DeleteSettingsKeys();
    StoreSettings(*c);
    TKrevConfig stored = Stored();
    TfrmMain& f = Open();
    ExpectRuleStates(f);
    f.ControlsToConfig();
    ExpectSameSettings(stored, *f.Config());
    StartNextCase();
  }
}

TEST_F(MainFormTest, FontHeightTexts) {
  TfrmMain& f = Open();
  struct {
    std::string text;
    int height;
  } cases[] = {{"40个像素", 32}, {"9个像素", 16}, {"9", 12}, {"100", 12}, {"-5", 12}, {"", 16},
               {"22个像素", 22}, {"abc", 16}};
  for (const auto& c : cases) {
    f.cbxFontHeight.SetText(c.text);
    f.ControlsToConfig();
    EXPECT_EQ(c.height, f.Config()->FFontHeight) << c.text;
    EXPECT_EQ(c.text, f.cbxFontHeight.Text());
  }
  for (int i : {0, 4}) {
    f.cbxFontHeight.SetItemIndex(i);
    f.ControlsToConfig();
    EXPECT_EQ(i == 0 ? 14 : 32, f.Config()->FFontHeight);
  }
}

TEST_F(MainFormTest, StoredHeightOutsideTheItemsIsShownAsTextAndReadClamped) {
  struct {
    int stored;
    const char* shown;
    int read;
  } cases[] = {{18, "18个像素", 18}, {8, "8个像素", 16}, {40, "40个像素", 32}};
  for (const auto& c : cases) {
    TKrevConfig s;
    s.LoadDefaults();
    s.FFontHeight = c.stored;
    StoreSettings(s);
    TfrmMain& f = Open();
    EXPECT_EQ(c.shown, f.cbxFontHeight.Text());
    f.ControlsToConfig();
    EXPECT_EQ(c.read, f.Config()->FFontHeight) << c.stored;
    StartNextCase();
  }
}

TEST_F(MainFormTest, ValuesOutsideTheirControlsRange) {
  TKrevConfig s;
  s.LoadDefaults();
  s.FInputStyle = 7, s.FCompStyle = 5, s.FStatusBarMode = 9, s.FChnEngSwitchKey = 3;
  s.FCand23Key = -1, s.FMaxCandidates = 12, s.FPageKey = 5, s.FHZSelectKey = -2;
  s.FEnterKeyMode = 3, s.FSoftKbdKey = 26;
  StoreSettings(s);
  TfrmMain& f = Open();
  EXPECT_TRUE(f.rdbtStyle2.Checked());
  EXPECT_TRUE(f.rdbxCompStyle3.Checked());
  EXPECT_TRUE(f.rdbxShowStatus0.Checked());
  EXPECT_TRUE(f.rdbxCEKCtrl.Checked());
  EXPECT_TRUE(f.rdbxCandKCtrl.Checked());
  for (TComboBox* list : {&f.cbxMaxNCand, &f.cbxPageKey, &f.cbxHZSelectKey, &f.cbxEnterKey, &f.cbxSKKey}) {
    EXPECT_EQ(-1, list->ItemIndex()) << list->Name();
    EXPECT_EQ("", list->Text()) << list->Name();
  }
  ExpectRuleStates(f);
  f.ControlsToConfig();
  const TKrevConfig& r = *f.Config();
  EXPECT_EQ(1, r.FInputStyle);
  EXPECT_EQ(2, r.FCompStyle);
  EXPECT_EQ(0, r.FStatusBarMode);
  EXPECT_EQ(1, r.FChnEngSwitchKey);
  EXPECT_EQ(1, r.FCand23Key);
  EXPECT_EQ(2, r.FMaxCandidates);
  EXPECT_EQ(-1, r.FPageKey);
  EXPECT_EQ(-1, r.FHZSelectKey);
  EXPECT_EQ(-1, r.FEnterKeyMode);
  EXPECT_EQ(-1, r.FSoftKbdKey);
}

TEST_F(MainFormTest, WordlibModeRows) {
  TfrmMain& f = Open();
  f.edtDefineWordlibPath.SetText("E:\\lex\\mine.dat");
  struct {
    TRadioButton* radio;
    bool perMachine;
    int mode;
    const char* file;
  } cases[] = {{&f.rdbxOneWordlib, true, 1, ""},
               {&f.rdbxDefineWordlib, false, 2, "E:\\lex\\mine.dat"},
               {&f.rdbxDefault, false, 0, ""}};
  for (const auto& c : cases) {
    SendMessageA(c.radio->Handle(), BM_CLICK, 0, 0);
    ASSERT_TRUE(c.radio->Checked()) << c.radio->Name();
    ExpectRuleStates(f);
    f.ControlsToConfig();
    EXPECT_EQ(c.perMachine, f.Config()->FOneWordlibPerMachine) << c.radio->Name();
    EXPECT_EQ(c.mode, f.Config()->FWordlibMode) << c.radio->Name();
    EXPECT_EQ(c.file, f.Config()->FUserWordlibFile) << c.radio->Name();
    EXPECT_EQ("E:\\lex\\mine.dat", f.edtDefineWordlibPath.Text());
  }
  // The explicit file chosen with an empty path: mode 2 and no file.
  f.edtDefineWordlibPath.SetText("");
  SendMessageA(f.rdbxDefineWordlib.Handle(), BM_CLICK, 0, 0);
  f.ControlsToConfig();
  EXPECT_EQ(2, f.Config()->FWordlibMode);
  EXPECT_EQ("", f.Config()->FUserWordlibFile);
}

TEST_F(MainFormTest, ExplicitFileWithTheMachineFlagShowsModeTwoAndEnglishStart) {
  TKrevConfig s;
  s.LoadDefaults();
  s.FUserWordlibFile = "E:\\lex\\mine.dat";
  s.FOneWordlibPerMachine = true;
  s.FEnglishAtStart = true;
  StoreSettings(s);
  TfrmMain& f = Open();
  EXPECT_TRUE(f.rdbxDefineWordlib.Checked());
  EXPECT_TRUE(f.rdbxEngMode.Checked());
  EXPECT_FALSE(f.rdbxChnMode.Checked());
  EXPECT_TRUE(f.edtDefineWordlibPath.Enabled());
  EXPECT_TRUE(f.btnWordlibBrowse.Enabled());
  EXPECT_EQ("E:\\lex\\mine.dat", f.edtDefineWordlibPath.Text());
  ExpectRuleStates(f);
  f.ControlsToConfig();
  EXPECT_FALSE(f.Config()->FOneWordlibPerMachine);
  EXPECT_EQ(2, f.Config()->FWordlibMode);
  EXPECT_EQ("E:\\lex\\mine.dat", f.Config()->FUserWordlibFile);
}

TEST_F(MainFormTest, FontListsAndAFaceDifferingOnlyInCase) {
  std::vector<std::string> fonts = Screen.Fonts();
  std::string face;
  for (const std::string& s : fonts) {
    std::string lower = s;
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (lower != s && std::find(fonts.begin(), fonts.end(), lower) == fonts.end()) {
      face = s;
      break;
    }
  }
  ASSERT_FALSE(face.empty()) << "no installed face with capital letters";
  std::string lower = face;
  for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));

  TKrevConfig s;
  s.LoadDefaults();
  s.FChnFontFace = lower;
  s.FAscFontFace = face;
  StoreSettings(s);
  TfrmMain& f = Open();
  // Both lists hold the installed families and "Default", each once.
  ASSERT_EQ(static_cast<int>(fonts.size()), f.cbxChnFontFace.Count());
  ASSERT_EQ(static_cast<int>(fonts.size()), f.cbxAscFontFace.Count());
  int defaults = 0;
  for (int i = 0; i < f.cbxChnFontFace.Count(); ++i) {
    EXPECT_EQ(fonts[i], f.cbxChnFontFace.Item(i));
    EXPECT_EQ(fonts[i], f.cbxAscFontFace.Item(i));
    defaults += fonts[i] == "Default";
  }
  EXPECT_EQ(1, defaults);
  EXPECT_EQ(-1, f.cbxChnFontFace.ItemIndex());
  EXPECT_EQ("", f.cbxChnFontFace.Text());
  EXPECT_EQ(face, f.cbxAscFontFace.Text());
  f.ControlsToConfig();
  EXPECT_EQ("", f.Config()->FChnFontFace);
  EXPECT_EQ(face, f.Config()->FAscFontFace);
}
