// The settings page: five sections of group boxes on one scrolled content 1592 pixels high, and
// the binding between its controls and TKrevConfig in both directions.
#include <string>
#include <vector>

#include "cfglogic.h"
#include "uMain.h"
#include "uMainParts.h"

namespace {

const std::vector<std::string> kMaxCandItems = {"3个", "4个", "5个", "6个", "7个", "8个", "9个"};
const std::vector<std::string> kKeyPairItems = {"逗号(,)和句号(.)键", "减号(-)和等号(=)键",
                                                "左中括号([)和右中括号(])键"};
const std::vector<std::string> kEnterItems = {"输入候选的中文字词(相当于空格键)",
                                              "输入在输入栏中键入的英文串",
                                              "多个候选时，翻页到第一个单字"};
const std::vector<std::string> kFontHeightItems = {"14个像素", "16个像素", "22个像素", "26个像素",
                                                   "32个像素"};

std::vector<std::string> Letters() {
  std::vector<std::string> letters;
  for (char c = 'A'; c <= 'Z'; ++c) letters.push_back(std::string(1, c));
  return letters;
}

// A stored value that is no index of the list leaves it without a selection (some combo boxes keep
// the old selection for an index past the end).
void SelectIndex(TComboBox& combo, int index) {
  combo.SetItemIndex(index >= 0 && index < combo.Count() ? index : -1);
}

}  // namespace

void TfrmMain::BuildSettingsPage() {
  scbxSetting.SetVertRange(1592);
  scbxSetting.SetTracking(true);
  cbxFontHeight.SetStyle(csDropDown);

  // Positions are content coordinates (scroll position 0); group boxes widen with the page.
  BuildLayout<TfrmMain>(this, {
    // control                name                 parent               left top width height caption handler flags
    {&pnlCapSetting,          "pnlCapSetting",     "scbxSetting",       0, 0, 404, 25,    "  输入设置", nullptr, lfStretch},
    {&gbx11Style,             "gbx11Style",        "scbxSetting",       8, 29, 389, 58,   "输入风格", nullptr, lfStretch},
    {&rdbtStyle1,             "rdbtStyle1",        "gbx11Style",        12, 16, 196, 17,  "输入完拼音，按空格键显示汉字", &TfrmMain::rdbtStyle1Click},
    {&chkUseAlpha,            "chkUseAlpha",       "gbx11Style",        216, 16, 160, 17, "用字母键选择候选字词"},
    {&rdbtStyle2,             "rdbtStyle2",        "gbx11Style",        12, 36, 196, 17,  "在输入拼音的同时显示汉字", &TfrmMain::rdbtStyle2Click},
    {&gbx13QuanShuang,        "gbx13QuanShuang",   "scbxSetting",       8, 93, 389, 58,   "全拼/双拼", nullptr, lfStretch},
    {&rdbxQuanPin,            "rdbxQuanPin",       "gbx13QuanShuang",   12, 16, 250, 17,  "用全拼及全拼的不完整拼音方式输入", &TfrmMain::rdbxQuanPinClick},
    {&rdbxShuangPin,          "rdbxShuangPin",     "gbx13QuanShuang",   12, 36, 214, 17,  "用双拼及双拼的不完整拼音方式输入", &TfrmMain::rdbxShuangPinClick},
    {&chkShowSPHint,          "chkShowSPHint",     "gbx13QuanShuang",   232, 36, 140, 17, "显示双拼提示信息"},
    {&gbx14ZiCi,              "gbx14ZiCi",         "scbxSetting",       8, 158, 389, 96,  "字/词调整", nullptr, lfStretch},
    {&chkCiAdjustFreq,        "chkCiAdjustFreq",   "gbx14ZiCi",         12, 16, 360, 17,  "动态调整词使用频率(常用词优先)"},
    {&chkCiAutoHide,          "chkCiAutoHide",     "gbx14ZiCi",         12, 35, 360, 17,  "自动隐藏词库中很不常用的词"},
    {&chkZiAdjustFreq,        "chkZiAdjustFreq",   "gbx14ZiCi",         12, 54, 360, 17,  "动态调整字使用频率(常用字优先)"},
    {&chkZiLF,                "chkZiLF",           "gbx14ZiCi",         12, 73, 360, 17,  "最近输入的字优先"},
    {&gbx15Comp,              "gbx15Comp",         "scbxSetting",       8, 260, 389, 82,  "其它", nullptr, lfStretch},
    {Own<TLabel>(),           "",                  "gbx15Comp",         12, 21, 0, 0,     "输入栏显示候选字词的最多个数："},
    {&cbxMaxNCand,            "cbxMaxNCand",       "gbx15Comp",         196, 16, 64, 20,  ""},
    {&chkTraceCaret,          "chkTraceCaret",     "gbx15Comp",         12, 41, 370, 17,  "光标跟随：输入栏窗口跟随应用程序中的光标移动"},
    {&chkAllowInputSpace,     "chkAllowInputSpace", "gbx15Comp",        12, 60, 370, 17,  "以字母v开头的英文输入状态下可输入空格(以回车输入整个串)"},

    {&pnlCapFKey,             "pnlCapFKey",        "scbxSetting",       0, 375, 404, 25,  "  功能键设置", nullptr, lfStretch},
    {&gbx21ChnEng,            "gbx21ChnEng",       "scbxSetting",       8, 404, 389, 47,  "中英文切换", nullptr, lfStretch},
    {Own<TLabel>(),           "",                  "gbx21ChnEng",       12, 22, 0, 0,     "中英文输入模式切换："},
    {&rdbxCEKShift,           "rdbxCEKShift",      "gbx21ChnEng",       140, 20, 96, 17,  "使用Shift键"},
    {&rdbxCEKCtrl,            "rdbxCEKCtrl",       "gbx21ChnEng",       244, 20, 96, 17,  "使用Ctrl键"},
    {&gbx22Cand,              "gbx22Cand",         "scbxSetting",       8, 460, 389, 71,  "候选字词", nullptr, lfStretch},
    {Own<TLabel>(),           "",                  "gbx22Cand",         12, 21, 0, 0,     "多个候选字词翻页键："},
    {&cbxPageKey,             "cbxPageKey",        "gbx22Cand",         140, 16, 200, 20, ""},
    {Own<TLabel>(),           "",                  "gbx22Cand",         12, 47, 0, 0,     "输入第2、第3个候选字词："},
    {&rdbxCandKShift,         "rdbxCandKShift",    "gbx22Cand",         166, 45, 108, 17, "使用左右Shift键"},
    {&rdbxCandKCtrl,          "rdbxCandKCtrl",     "gbx22Cand",         278, 45, 104, 17, "使用左右Ctrl键"},
    {&gbx23DingZi,            "gbx23DingZi",       "scbxSetting",       8, 539, 389, 52,  "以词定字", nullptr, lfStretch},
    {Own<TLabel>(),           "",                  "gbx23DingZi",       12, 23, 0, 0,     "以词定字时选字键："},
    {&cbxHZSelectKey,         "cbxHZSelectKey",    "gbx23DingZi",       128, 18, 200, 20, ""},
    {&gbx24Other,             "gbx24Other",        "scbxSetting",       8, 600, 389, 71,  "其它", nullptr, lfStretch},
    {Own<TLabel>(),           "",                  "gbx24Other",        12, 21, 0, 0,     "回车键(Enter)功能："},
    {&cbxEnterKey,            "cbxEnterKey",       "gbx24Other",        128, 16, 248, 20, ""},
    {Own<TLabel>(),           "",                  "gbx24Other",        12, 47, 0, 0,     "软键盘开关键："},
    {Own<TLabel>(),           "",                  "gbx24Other",        128, 47, 0, 0,    "Ctrl + Shift + "},
    {&cbxSKKey,               "cbxSKKey",          "gbx24Other",        226, 42, 44, 20,  ""},

    {&pnlCapVisual,           "pnlCapVisual",      "scbxSetting",       0, 702, 404, 25,  "  外观设置", nullptr, lfStretch},
    {&gbx31Comp,              "gbx31Comp",         "scbxSetting",       8, 732, 389, 254, "输入栏", nullptr, lfStretch},
    {Own<TLabel>(),           "",                  "gbx31Comp",         12, 21, 0, 0,     "输入栏中文字体："},
    {&cbxChnFontFace,         "cbxChnFontFace",    "gbx31Comp",         113, 16, 200, 20, ""},
    {Own<TLabel>(),           "",                  "gbx31Comp",         12, 47, 0, 0,     "输入栏英文字体："},
    {&cbxAscFontFace,         "cbxAscFontFace",    "gbx31Comp",         113, 42, 200, 20, ""},
    {Own<TLabel>(),           "",                  "gbx31Comp",         12, 73, 0, 0,     "输入栏字体大小："},
    {&cbxFontHeight,          "cbxFontHeight",     "gbx31Comp",         113, 68, 100, 20, "", nullptr, lfEditable},
    {Own<TLabel>(),           "",                  "gbx31Comp",         12, 98, 0, 0,     "输入栏显示样式："},
    {&rdbxCompStyle1,         "rdbxCompStyle1",    "gbx31Comp",         24, 116, 70, 17,  "浮动式", &TfrmMain::rdbxCompStyle1Click},
    {&rdbxCompStyle2,         "rdbxCompStyle2",    "gbx31Comp",         100, 116, 70, 17, "传统式", &TfrmMain::rdbxCompStyle2Click},
    {&rdbxCompStyle3,         "rdbxCompStyle3",    "gbx31Comp",         176, 116, 190, 17, "现代式(可使用背景图像)", &TfrmMain::rdbxCompStyle3Click},
    {Own<TLabel>(),           "",                  "gbx31Comp",         12, 146, 0, 0,    "背景图像文件："},
    {&edtBackImage,           "edtBackImage",      "gbx31Comp",         113, 142, 262, 20, "", nullptr, lfDisabled},
    {&btnBrowseImageFile,     "btnBrowseImageFile", "gbx31Comp",        285, 166, 90, 22, "浏览(&B)...", &TfrmMain::btnBrowseImageFileClick, lfDisabled},
    {Own<TLabel>(),           "",                  "gbx31Comp",         113, 178, 0, 0,   "效果示意："},
    {&imgCompFloat,           "imgCompFloat",      "gbx31Comp",         113, 195, 241, 49, "", nullptr, lfHidden},
    {&imgCompTradit,          "imgCompTradit",     "gbx31Comp",         113, 195, 241, 49, "", nullptr, lfHidden},
    {&imgCompModern,          "imgCompModern",     "gbx31Comp",         113, 195, 241, 49, "", nullptr, lfHidden},
    {&gbx32Status,            "gbx32Status",       "scbxSetting",       8, 991, 389, 49,  "状态条", nullptr, lfStretch},
    {&rdbxShowStatus1,        "rdbxShowStatus1",   "gbx32Status",       16, 21, 90, 17,   "完整显示"},
    {&rdbxShowStatus2,        "rdbxShowStatus2",   "gbx32Status",       112, 21, 140, 17, "仅中英文状态按钮"},
    {&rdbxShowStatus0,        "rdbxShowStatus0",   "gbx32Status",       258, 21, 80, 17,  "不显示"},

    {&pnlCapFuzzy,            "pnlCapFuzzy",       "scbxSetting",       0, 1067, 404, 25, "  模糊音设置", nullptr, lfStretch},
    {&gbx41Sheng,             "gbx41Sheng",        "scbxSetting",       8, 1098, 389, 58, "声母", nullptr, lfStretch},
    {&chkFZ,                  "chkFZ",             "gbx41Sheng",        16, 16, 100, 17,  "z = zh"},
    {&chkFS,                  "chkFS",             "gbx41Sheng",        130, 16, 100, 17, "s = sh"},
    {&chkFC,                  "chkFC",             "gbx41Sheng",        244, 16, 100, 17, "c = ch"},
    {&chkFK,                  "chkFK",             "gbx41Sheng",        16, 36, 100, 17,  "k = g"},
    {&chkFF,                  "chkFF",             "gbx41Sheng",        130, 36, 100, 17, "f = h"},
    {&chkFL,                  "chkFL",             "gbx41Sheng",        244, 36, 100, 17, "l = n"},
    {&gbx42Yun,               "gbx42Yun",          "scbxSetting",       8, 1163, 389, 58, "韵母", nullptr, lfStretch},
    {&chkFan,                 "chkFan",            "gbx42Yun",          16, 16, 100, 17,  "an = ang"},
    {&chkFen,                 "chkFen",            "gbx42Yun",          130, 16, 100, 17, "en = eng"},
    {&chkFin,                 "chkFin",            "gbx42Yun",          244, 16, 100, 17, "in = ing"},
    {&chkFian,                "chkFian",           "gbx42Yun",          16, 36, 100, 17,  "ian = iang"},
    {&chkFuan,                "chkFuan",           "gbx42Yun",          130, 36, 100, 17, "uan = uang"},

    {&pnlCapAdvanced,         "pnlCapAdvanced",    "scbxSetting",       0, 1248, 404, 25, "  高级设置", nullptr, lfStretch},
    {&gbx51CharSet,           "gbx51CharSet",      "scbxSetting",       8, 1279, 194, 46, "字符集"},
    {&rdbxGB,                 "rdbxGB",            "gbx51CharSet",      12, 20, 70, 17,   "GB2312", nullptr, lfChecked},
    {&rdbxGBK,                "rdbxGBK",           "gbx51CharSet",      84, 20, 104, 17,  "GBK大字符集"},
    {&gbxJianFan,             "gbxJianFan",        "scbxSetting",       209, 1279, 187, 46, "简体/繁体", nullptr, lfStretch},
    {&rdbxJian,               "rdbxJian",          "gbxJianFan",        12, 20, 60, 17,   "简体", nullptr, lfChecked},
    {&rdbxFan,                "rdbxFan",           "gbxJianFan",        84, 20, 60, 17,   "繁体"},
    {&gbxDefaultInputMode,    "gbxDefaultInputMode", "scbxSetting",     8, 1331, 389, 46, "默认输入状态", nullptr, lfStretch},
    {Own<TLabel>(),           "",                  "gbxDefaultInputMode", 12, 22, 0, 0,   "打开输入法时默认的输入状态："},
    {&rdbxChnMode,            "rdbxChnMode",       "gbxDefaultInputMode", 190, 20, 80, 17, "输入中文", nullptr, lfChecked},
    {&rdbxEngMode,            "rdbxEngMode",       "gbxDefaultInputMode", 280, 20, 80, 17, "输入英文"},
    {&gbxWordlib,             "gbxWordlib",        "scbxSetting",       8, 1382, 389, 108, "用户词库", nullptr, lfStretch},
    {&rdbxDefault,            "rdbxDefault",       "gbxWordlib",        12, 16, 300, 17,  "使用缺省的多用户词库设置", &TfrmMain::rdbxDefaultClick, lfChecked},
    {&rdbxOneWordlib,         "rdbxOneWordlib",    "gbxWordlib",        12, 36, 300, 17,  "同一机器上用户使用同一份用户词库", &TfrmMain::rdbxDefaultClick},
    {&rdbxDefineWordlib,      "rdbxDefineWordlib", "gbxWordlib",        12, 56, 200, 17,  "指定用户词库文件：", &TfrmMain::rdbxDefineWordlibClick},
    {&edtDefineWordlibPath,   "edtDefineWordlibPath", "gbxWordlib",     30, 78, 252, 20,  "", nullptr, lfDisabled},
    {&btnWordlibBrowse,       "btnWordlibBrowse",  "gbxWordlib",        288, 77, 90, 22,  "浏览(&R)...", &TfrmMain::btnWordlibBrowseClick, lfDisabled},
    {&gbx52Int,               "gbx52Int",          "scbxSetting",       8, 1495, 389, 97, "高级智能特性", nullptr, lfStretch},
    {&chkICW,                 "chkICW",            "gbx52Int",          12, 16, 84, 17,   "智能组词", &TfrmMain::chkICWClick},
    {&chkICWAutoSave,         "chkICWAutoSave",    "gbx52Int",          104, 16, 270, 17, "智能组成的词自动记忆到用户词库"},
    {&chkHZOrderSort,         "chkHZOrderSort",    "gbx52Int",          12, 36, 360, 17,  "按照前次输入字词动态调整字序"},
    {&chkESynAfterNumber,     "chkESynAfterNumber", "gbx52Int",         12, 56, 360, 17,  "数字后面跟随英文符号"},
    {&chkTrackRecent,         "chkTrackRecent",    "gbx52Int",          12, 76, 360, 17,  "记忆并可选择输入最近输入过的字词"},
  });

  for (TPanel* caption : {&pnlCapSetting, &pnlCapFKey, &pnlCapVisual, &pnlCapFuzzy, &pnlCapAdvanced}) {
    StyleCaptionPanel(*caption);
  }

  // Fixed items; a new window shows the first of each.
  cbxMaxNCand.SetItems(kMaxCandItems);
  cbxPageKey.SetItems(kKeyPairItems);
  cbxHZSelectKey.SetItems(kKeyPairItems);
  cbxEnterKey.SetItems(kEnterItems);
  cbxSKKey.SetItems(Letters());
  cbxFontHeight.SetItems(kFontHeightItems);
  for (TComboBox* combo : {&cbxMaxNCand, &cbxPageKey, &cbxHZSelectKey, &cbxEnterKey, &cbxSKKey, &cbxFontHeight}) {
    combo->SetItemIndex(0);
  }

  HINSTANCE module = GetModuleHandleA(nullptr);
  imgCompFloat.LoadJpegResource(module, krevres::kCompFloat);
  imgCompTradit.LoadJpegResource(module, krevres::kCompTradit);
  imgCompModern.LoadJpegResource(module, krevres::kCompModern);
}

// Selecting a radio that was not selected runs its click handler as well; the picture and the
// modern style's background image are set here for a radio that was selected already.
void TfrmMain::ShowCompStyle(int style) {
  if (style == 0) {
    rdbxCompStyle1.SetChecked(true);
    ShowCompPreview(imgCompFloat);
  } else if (style == 1) {
    rdbxCompStyle2.SetChecked(true);
    ShowCompPreview(imgCompTradit);
  } else {
    rdbxCompStyle3.SetChecked(true);
    EnableBackImage(true);
    ShowCompPreview(imgCompModern);
  }
}

// Fills the page from the settings, in this order: the input, function-key and appearance controls
// down to the background image, the two font lists, the status bar, the two faces (looked up in the
// filled lists), then the fuzzy sounds, the advanced section and the word-library mode. Some
// settings only ever tick, select or disable a control; otherwise the control keeps the state the
// new window was built with.
void TfrmMain::ConfigToControls() {
  const TKrevConfig& c = *FConfig;
  if (c.FInputStyle == 0) {
    rdbtStyle1.SetChecked(true);
  } else {
    rdbtStyle2.SetChecked(true);
    chkUseAlpha.SetEnabled(false);
  }
  if (c.FUseAlphaSelect) chkUseAlpha.SetChecked(true);
  if (c.FTraceCaret) chkTraceCaret.SetChecked(true);
  if (c.FShuangPin) {
    rdbxShuangPin.SetChecked(true);
    chkAllowInputSpace.SetEnabled(false);
  } else {
    rdbxQuanPin.SetChecked(true);
    chkShowSPHint.SetEnabled(false);
  }
  chkShowSPHint.SetChecked(c.FShowSPHint);
  chkAllowInputSpace.SetChecked(c.FAllowInputSpace);
  chkCiAdjustFreq.SetChecked(c.FCiAdjustFreq);
  chkCiAutoHide.SetChecked(c.FCiAutoHide);
  chkZiAdjustFreq.SetChecked(c.FZiAdjustFreq);
  chkZiLF.SetChecked(c.FZiRecentFirst);
  SelectIndex(cbxMaxNCand, c.FMaxCandidates - 3);
  (c.FChnEngSwitchKey == 0 ? rdbxCEKShift : rdbxCEKCtrl).SetChecked(true);
  SelectIndex(cbxPageKey, c.FPageKey);
  (c.FCand23Key == 0 ? rdbxCandKShift : rdbxCandKCtrl).SetChecked(true);
  SelectIndex(cbxHZSelectKey, c.FHZSelectKey);
  SelectIndex(cbxEnterKey, c.FEnterKeyMode);
  SelectIndex(cbxSKKey, c.FSoftKbdKey);
  cbxFontHeight.SetText(krevcfg::FontHeightText(c.FFontHeight));
  ShowCompStyle(c.FCompStyle);
  edtBackImage.SetText(c.FBackImage);

  std::vector<std::string> fonts = Screen.Fonts();
  cbxChnFontFace.SetItems(fonts);
  cbxAscFontFace.SetItems(fonts);

  if (c.FStatusBarMode == 1) {
    rdbxShowStatus1.SetChecked(true);
  } else if (c.FStatusBarMode == 2) {
    rdbxShowStatus2.SetChecked(true);
  } else {
    rdbxShowStatus0.SetChecked(true);
  }

  // Exact byte comparison over the whole list; of several equal items the last is chosen.
  int chn = krevcfg::FindFaceIndex(fonts, c.FChnFontFace);
  if (chn >= 0) cbxChnFontFace.SetItemIndex(chn);
  int asc = krevcfg::FindFaceIndex(fonts, c.FAscFontFace);
  if (asc >= 0) cbxAscFontFace.SetItemIndex(asc);

  chkFZ.SetChecked(c.FFuzzyZ);
  chkFS.SetChecked(c.FFuzzyS);
  chkFC.SetChecked(c.FFuzzyC);
  chkFK.SetChecked(c.FFuzzyK);
  chkFF.SetChecked(c.FFuzzyF);
  chkFL.SetChecked(c.FFuzzyL);
  chkFan.SetChecked(c.FFuzzyAn);
  chkFen.SetChecked(c.FFuzzyEn);
  chkFin.SetChecked(c.FFuzzyIn);
  chkFian.SetChecked(c.FFuzzyIan);
  chkFuan.SetChecked(c.FFuzzyUan);
  rdbxGBK.SetChecked(c.FUseGBK);
  rdbxFan.SetChecked(!c.FSimplified);
  chkICW.SetChecked(c.FICW);
  chkICWAutoSave.SetChecked(c.FICWAutoSave);
  chkESynAfterNumber.SetChecked(c.FESynAfterNumber);
  chkTrackRecent.SetChecked(c.FTrackRecent);
  chkHZOrderSort.SetChecked(c.FHZOrderSort);
  rdbxEngMode.SetChecked(c.FEnglishAtStart);
  edtDefineWordlibPath.SetText(c.FUserWordlibFile);
  if (c.FWordlibMode == 0) {
    rdbxDefault.SetChecked(true);
  } else if (c.FWordlibMode == 1) {
    rdbxOneWordlib.SetChecked(true);
  } else {
    rdbxDefineWordlib.SetChecked(true);
    edtDefineWordlibPath.SetEnabled(true);
    btnWordlibBrowse.SetEnabled(true);
  }
}

// Reads every control, enabled or not, into the settings; the mode is decided before the
// explicit word-library file, which only mode 2 keeps.
void TfrmMain::ControlsToConfig() {
  TKrevConfig& c = *FConfig;
  c.FInputStyle = rdbtStyle1.Checked() ? 0 : 1;
  c.FUseAlphaSelect = chkUseAlpha.Checked();
  c.FTraceCaret = chkTraceCaret.Checked();
  c.FShuangPin = rdbxShuangPin.Checked();
  c.FShowSPHint = chkShowSPHint.Checked();
  c.FAllowInputSpace = chkAllowInputSpace.Checked();
  c.FCiAdjustFreq = chkCiAdjustFreq.Checked();
  c.FCiAutoHide = chkCiAutoHide.Checked();
  c.FZiAdjustFreq = chkZiAdjustFreq.Checked();
  c.FZiRecentFirst = chkZiLF.Checked();
  c.FMaxCandidates = cbxMaxNCand.ItemIndex() + 3;
  c.FChnEngSwitchKey = rdbxCEKShift.Checked() ? 0 : 1;
  c.FPageKey = cbxPageKey.ItemIndex();
  c.FCand23Key = rdbxCandKShift.Checked() ? 0 : 1;
  c.FHZSelectKey = cbxHZSelectKey.ItemIndex();
  c.FEnterKeyMode = cbxEnterKey.ItemIndex();
  c.FSoftKbdKey = cbxSKKey.ItemIndex();
  c.FFontHeight = krevcfg::ParseFontHeight(cbxFontHeight.Text());
  c.FCompStyle = rdbxCompStyle1.Checked() ? 0 : rdbxCompStyle2.Checked() ? 1 : 2;
  c.FBackImage = edtBackImage.Text();
  c.FChnFontFace = cbxChnFontFace.Text();
  c.FAscFontFace = cbxAscFontFace.Text();
  c.FStatusBarMode = rdbxShowStatus1.Checked() ? 1 : rdbxShowStatus2.Checked() ? 2 : 0;
  c.FFuzzyZ = chkFZ.Checked();
  c.FFuzzyS = chkFS.Checked();
  c.FFuzzyC = chkFC.Checked();
  c.FFuzzyK = chkFK.Checked();
  c.FFuzzyF = chkFF.Checked();
  c.FFuzzyL = chkFL.Checked();
  c.FFuzzyAn = chkFan.Checked();
  c.FFuzzyEn = chkFen.Checked();
  c.FFuzzyIn = chkFin.Checked();
  c.FFuzzyIan = chkFian.Checked();
  c.FFuzzyUan = chkFuan.Checked();
  c.FUseGBK = rdbxGBK.Checked();
  c.FSimplified = rdbxJian.Checked();
  c.FICW = chkICW.Checked();
  c.FICWAutoSave = chkICWAutoSave.Checked();
  c.FESynAfterNumber = chkESynAfterNumber.Checked();
  c.FTrackRecent = chkTrackRecent.Checked();
  c.FHZOrderSort = chkHZOrderSort.Checked();
  c.FEnglishAtStart = rdbxEngMode.Checked();
  c.FOneWordlibPerMachine = rdbxOneWordlib.Checked();
  c.FWordlibMode = rdbxDefault.Checked() ? 0 : rdbxOneWordlib.Checked() ? 1 : 2;
  c.FUserWordlibFile = c.FWordlibMode == 2 ? edtDefineWordlibPath.Text() : std::string();
}
