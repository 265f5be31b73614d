#include "uCfgWiz.h"

#include <initializer_list>
#include <string>

const char* const WizardAppTitle = "青岚拼音输入法－配置向导";

TfrmMain* frmMain = nullptr;

namespace {

// Caption of the wizard's two questions.
const char kBoxCaption[] = "青岚拼音输入法配置向导";

using F = TfrmMain;
using Row = TLayoutRow<F>;
using Rows = std::initializer_list<Row>;
using Handler = void (F::*)(TObject* sender);

// Buttons of the bottom row.
constexpr int kRowTop = 328, kBtnW = 90, kBtnH = 23;
constexpr int kPrevLeft = 232, kNextLeft = 328, kCancelLeft = 424;
// The separator lines reach a little past both sides of the page.
constexpr int kLineLeft = -26, kLineW = 585, kLineH = 2;
constexpr unsigned kText = lfWordWrap | lfFixedSize;

// Every page's tab sheet and picture (side or header), by page number.
constexpr TTabSheet F::*kSheets[] = {&F::TabSheet0, &F::TabSheet1, &F::TabSheet2, &F::TabSheet3,
                                     &F::TabSheet4, &F::TabSheet5, &F::TabSheet6, &F::TabSheet7,
                                     &F::TabSheet8, &F::TabSheet9, &F::TabSheet10};
constexpr TImage F::*kPictures[] = {&F::Image1, &F::Image2, &F::Image3, &F::Image4,  &F::Image5, &F::Image6,
                                    &F::Image7, &F::Image8, &F::Image9, &F::Image10, &F::Image11};

// The rest of a question page's frame: its two rules and its button row.
struct TQuestionParts {
  TPanel F::*upperRule;
  TPanel F::*lowerRule;
  TButton F::*back;
  TButton F::*forward;
  TButton F::*cancel;
};
constexpr TQuestionParts kQuestionParts[] = {
    // upper rule   lower rule    back          forward       cancel
    {&F::Panel1,  &F::Panel2,  &F::btnPrev1, &F::btnNext1, &F::btnCancel1},  // page 1
    {&F::Panel3,  &F::Panel4,  &F::btnPrev2, &F::btnNext2, &F::btnCancel2},
    {&F::Panel5,  &F::Panel6,  &F::btnPrev3, &F::btnNext3, &F::btnCancel3},
    {&F::Panel7,  &F::Panel8,  &F::btnPrev4, &F::btnNext4, &F::btnCancel4},
    {&F::Panel9,  &F::Panel10, &F::btnPrev5, &F::btnNext5, &F::btnCancel5},
    {&F::Panel11, &F::Panel12, &F::btnPrev6, &F::btnNext6, &F::btnCancel6},
    {&F::Panel13, &F::Panel14, &F::btnPrev7, &F::btnNext7, &F::btnCancel7},  // page 7
};

// The frame's names carry the page number: "btnPrev" on page 3 is "btnPrev3".
std::string Numbered(const char* stem, int number) { return stem + std::to_string(number); }

struct THeading {
  TLabel* label;
  const char* name;
  const char* caption;
};

struct TRule {
  TPanel* panel;
  const char* name;
};

// A rule is a 2-pixel lowered bevel.
void MakeRule(TPanel& rule) {
  rule.SetBevelOuter(bvLowered);
  rule.SetBevelWidth(1);
}

// A question page (1 to 7): the tab sheet TabSheetN, the header picture Image(N+1), the heading and
// the upper rule Panel(2N-1); then the page's own rows; then the lower rule Panel(2N) and the
// button row btnPrevN, btnNextN, btnCancelN (every cancel button asks the same question).
void BuildQuestionPage(F& f, int page, const THeading& heading, Handler backClick, Handler forwardClick,
                       Rows own) {
  const TQuestionParts& parts = kQuestionParts[page - 1];
  const std::string sheet = Numbered("TabSheet", page), picture = Numbered("Image", page + 1),
                    upper = Numbered("Panel", 2 * page - 1), lower = Numbered("Panel", 2 * page),
                    back = Numbered("btnPrev", page), forward = Numbered("btnNext", page),
                    cancel = Numbered("btnCancel", page);
  const char* const in = sheet.c_str();
  BuildLayout<F>(&f, {
    {&(f.*kSheets[page]), in, "pgctlMain", 0, 0, 0, 0, in},
    {&(f.*kPictures[page]), picture.c_str(), in, 296, 0, 210, 54, ""},
    {heading.label, heading.name, in, 20, 24, 0, 0, heading.caption, nullptr, lfBold},
    {&(f.*parts.upperRule), upper.c_str(), in, kLineLeft, 64, kLineW, kLineH, ""},
  });
  BuildLayout<F>(&f, own);
  BuildLayout<F>(&f, {
    {&(f.*parts.lowerRule), lower.c_str(), in, kLineLeft, 315, kLineW, kLineH, ""},
    {&(f.*parts.back), back.c_str(), in, kPrevLeft, kRowTop, kBtnW, kBtnH, "< 上一步", backClick},
    {&(f.*parts.forward), forward.c_str(), in, kNextLeft, kRowTop, kBtnW, kBtnH, "下一步 >", forwardClick},
    {&(f.*parts.cancel), cancel.c_str(), in, kCancelLeft, kRowTop, kBtnW, kBtnH, "取消", &F::btnCancel0Click},
  });

  MakeRule(f.*parts.upperRule);
  MakeRule(f.*parts.lowerRule);
  // The header's white ground lets the page colour show through.
  TImage& header = f.*kPictures[page];
  header.LoadBitmap(GetModuleHandleA(nullptr), "WIZHEADER");
  header.SetTransparent(true);
}

// A side page (0, 8, 9 and 10): the tab sheet TabSheetN, the side picture Image(N+1) and the
// heading; then the page's own rows; then the rule and the page's buttons, which differ from
// page to page.
void BuildSidePage(F& f, int page, const THeading& heading, const TRule& rule, Rows own, Rows buttons) {
  const std::string sheet = Numbered("TabSheet", page), picture = Numbered("Image", page + 1);
  const char* const in = sheet.c_str();
  BuildLayout<F>(&f, {
    {&(f.*kSheets[page]), in, "pgctlMain", 0, 0, 0, 0, in},
    {&(f.*kPictures[page]), picture.c_str(), in, 10, 20, 168, 280, ""},
    {heading.label, heading.name, in, 208, 24, 0, 0, heading.caption},
  });
  BuildLayout<F>(&f, own);
  BuildLayout<F>(&f, {
    {rule.panel, rule.name, in, kLineLeft, 315, kLineW, kLineH, ""},
  });
  BuildLayout<F>(&f, buttons);

  // Side-layout headings are larger than the question pages' ones.
  TFont large = f.Font();
  large.Height = 14;
  large.Bold = true;
  heading.label->SetFont(large);
  MakeRule(*rule.panel);
  (f.*kPictures[page]).LoadBitmap(GetModuleHandleA(nullptr), "WIZSIDE");
}

}  // namespace

TfrmMain::TfrmMain() : TForm("TfrmMain") {
  TFont font;
  font.Name = "宋体";
  font.Height = 12;
  font.Charset = DEFAULT_CHARSET;
  SetFont(font);
  SetColor(clCream);
  SetCaption("青岚拼音输入法 配置向导");
  SetBorderStyle(bsDialog);
  SetClientSize(532, 370);
  SetPosition(poScreenCenter);
  SetIcon(GetModuleHandleA(nullptr), "MAINICON");

  BuildLayout<F>(this, {
    {&pgctlMain, "pgctlMain", "", 0, 0, 532, 370, "", nullptr, lfAlignClient},
  });

  // Each page below: its heading, then its own rows in the order they are made (which is the tab
  // order), and for the side pages the buttons of its bottom row.

  // Page 0, welcome: the reset button stands at the left, and there is no back button.
  BuildSidePage(*this, wpWelcome, {&Label1, "Label1", "欢迎使用青岚拼音输入法配置向导"}, {&pnlLineBottom, "pnlLineBottom"}, {
    {&Label2, "Label2", "TabSheet0", 208, 64, 295, 33,
     "该向导用于帮助您设置青岚拼音输入法属性，使青岚拼音输入法设置符合您的使用习惯。 ", nullptr, kText},
    {&Label3, "Label3", "TabSheet0", 208, 104, 295, 33,
     "除了该向导， 青岚拼音输入法还带有“属性设置和管理中心”，您可以使用它来进行详细的属性项设置。", nullptr, kText},
    {&Label4, "Label4", "TabSheet0", 208, 272, 295, 33,
     "按“恢复默认值”按钮恢复青岚拼音输入法的默认设置；按“下一步”按钮进入配置向导进行设置。 ", nullptr, kText},
  }, {
    {&btnResetDefaultValues, "btnResetDefaultValues", "TabSheet0", 8, kRowTop, 90, 22, "恢复默认值...",
     &F::btnResetDefaultValuesClick},
    {&btnNext0, "btnNext0", "TabSheet0", kNextLeft, kRowTop, kBtnW, kBtnH, "下一步 >", &F::btnNext0Click},
    {&btnCancel0, "btnCancel0", "TabSheet0", kCancelLeft, kRowTop, kBtnW, kBtnH, "取消", &F::btnCancel0Click},
  });

  // Page 1, usage.
  BuildQuestionPage(*this, wpUsage, {&Label5, "Label5", "您是否熟悉拼音输入？"}, &F::btnPrev1Click, &F::btnNext1Click, {
    {&Label6, "Label6", "TabSheet1", 40, 96, 0, 0, "请选择："},
    {&rdbtUsage1, "rdbtUsage1", "TabSheet1", 72, 128, 289, 25, "我刚刚接触拼音输入，对拼音输入法并不熟悉", nullptr,
     lfChecked},
    {&rdbtUsage2, "rdbtUsage2", "TabSheet1", 72, 160, 281, 17, "我使用过其它拼音输入法"},
    {&rdbtUsage3, "rdbtUsage3", "TabSheet1", 72, 184, 249, 25, "我使用过并熟悉青岚拼音输入法"},
  });

  // Page 2, fuzzy sounds.
  BuildQuestionPage(*this, wpFuzzy, {&Label7, "Label7", "您是否使用标准的拼音读音？"}, &F::btnPrev2Click, &F::btnNext2Click, {
    {&Label8, "Label8", "TabSheet2", 40, 80, 408, 24,
     "青岚拼音输入法支持模糊的读音输入，即在输入时对有些读音可以不用区分。请选择：", nullptr, kText},
    {&chkNoFuzzy, "chkNoFuzzy", "TabSheet2", 72, 120, 233, 17, "我将使用标准的普通话读音", &F::chkNoFuzzyClick},
    {&Label9, "Label9", "TabSheet2", 64, 152, 0, 0, "下面这些拼音我难以区分："},
    {&chkFuzzy1, "chkFuzzy1", "TabSheet2", 72, 176, 273, 17, "平舌音和翘舌音，包括z和zh，s和sh，c和ch"},
    {&chkFuzzy2, "chkFuzzy2", "TabSheet2", 72, 200, 433, 17,
     "前鼻音和后鼻音，包括an和ang，in和ing，en和eng，ian和iang，uan和uang"},
    {&chkFuzzy3, "chkFuzzy3", "TabSheet2", 72, 224, 273, 17, "难以区分一些声母，包括k和g，f和h，l和n"},
  });

  // Page 3, character set.
  BuildQuestionPage(*this, wpCharset, {&Label10, "Label10", "字符集选择"}, &F::btnPrev3Click, &F::btnNext3Click, {
    {&Label11, "Label11", "TabSheet3", 40, 80, 444, 24,
     "青岚拼音输入法支持分别输入简体字和繁体字，并支持输入GBK大字符集中的汉字 。请选择：", nullptr, kText},
    {&rdbxGB, "rdbxGB", "TabSheet3", 72, 128, 289, 25, "我主要输入常用汉字", nullptr, lfChecked},
    {&rdbxGBK, "rdbxGBK", "TabSheet3", 72, 160, 289, 25, "我需要输入大字符集中的汉字(例如“鎔”)"},
    {&rdbxFanti, "rdbxFanti", "TabSheet3", 72, 192, 289, 25, "我主要输入繁体字"},
  });

  // Page 4, smart features.
  BuildQuestionPage(*this, wpSmart, {&Label12, "Label12", "关于输入时动态调整的一些智能特性"}, &F::btnPrev4Click,
                    &F::btnNext4Click, {
    {&Label13, "Label13", "TabSheet4", 40, 80, 408, 24,
     "青岚拼音输入法支持在输入过程中动态调整字词的频率，并支持智能组词 。 请选择：", nullptr, kText},
    {&chkAdjFreq, "chkAdjFreq", "TabSheet4", 72, 120, 297, 17, "允许输入法动态调整字和词的频率"},
    {&Label14, "Label14", "TabSheet4", 88, 144, 384, 24,
     "让输入法根据您输入过的字词，动态调整字词频率，以便在以后输入时优先选择。", nullptr, kText},
    {&chkICW, "chkICW", "TabSheet4", 72, 192, 297, 17, "允许输入法智能组词"},
    {&Label15, "Label15", "TabSheet4", 88, 216, 384, 24,
     "对您输入的拼音，如果词库中没有该词的时候，青岚拼音输入法的智能组词特性可以帮助您组出一个新词。", nullptr,
     kText},
  });

  // Page 5, font size.
  BuildQuestionPage(*this, wpFontSize, {&Label16, "Label16", "输入栏字体大小"}, &F::btnPrev5Click, &F::btnNext5Click, {
    {&Label17, "Label17", "TabSheet5", 40, 80, 0, 0, "您可以选择输入时拼音和候选字词显示的大小："},
    {&rdbxCompSmall, "rdbxCompSmall", "TabSheet5", 72, 128, 385, 25, "小号字(我视力很好，而且屏幕分辨率不高)", nullptr,
     lfChecked},
    {&rdbxCompMedium, "rdbxCompMedium", "TabSheet5", 72, 160, 369, 25,
     "中号字(我的屏幕分辨率在800x600以上，我希望字体大一点)"},
    {&rdbxCompLarge, "rdbxCompLarge", "TabSheet5", 72, 192, 377, 25, "大号字(我愿意看到输入时，候选字词的显示越大越好)"},
  });

  // Page 6, habit.
  BuildQuestionPage(*this, wpHabit, {&Label19, "Label19", "选择您习惯的拼音输入法"}, &F::btnPrev6Click, &F::btnNext6Click, {
    {&Label18, "Label18", "TabSheet6", 40, 80, 432, 0,
     "请选择您习惯使用的拼音输入法，青岚拼音输入法将尽量按照相似的习惯来设置：", nullptr, lfWordWrap},
    {&rdbxDos, "rdbxDos", "TabSheet6", 72, 112, 201, 25, "UCDOS等DOS下的中文拼音输入法", nullptr, lfChecked},
    {&rdbxWinpy, "rdbxWinpy", "TabSheet6", 72, 136, 201, 25, "Windows带的全拼/双拼输入法"},
    {&rdbxAbc, "rdbxAbc", "TabSheet6", 72, 160, 201, 25, "智能ABC"},
    {&rdbxCstar, "rdbxCstar", "TabSheet6", 72, 184, 201, 25, "中文之星新全拼/新双拼"},
    {&rdbxPyjj, "rdbxPyjj", "TabSheet6", 72, 208, 201, 25, "拼音加加"},
    {&rdbxZiranma, "rdbxZiranma", "TabSheet6", 72, 232, 201, 25, "自然码"},
    {&rdbxMspy, "rdbxMspy", "TabSheet6", 72, 256, 201, 25, "微软拼音输入法"},
    {&rdbxKuangpin, "rdbxKuangpin", "TabSheet6", 72, 280, 201, 25, "中文之星智能狂拼"},
  });

  // Page 7, QuanPin or ShuangPin.
  BuildQuestionPage(*this, wpQuanShuang, {&Label20, "Label20", "选择全拼/双拼"}, &F::btnPrev7Click, &F::btnNext7Click, {
    {&Label21, "Label21", "TabSheet7", 40, 80, 0, 0, "您习惯使用全拼还是双拼："},
    {&rdbxQuanpin, "rdbxQuanpin", "TabSheet7", 72, 112, 377, 25, "全拼", nullptr, lfChecked},
    {&rdbxShuangpin, "rdbxShuangpin", "TabSheet7", 72, 136, 377, 25, "双拼"},
  });

  // Page 8, finish: "完成" in the forward button's place.
  BuildSidePage(*this, wpFinish, {&Label25, "Label25", "青岚拼音输入法配置向导"}, {&Panel15, "Panel15"}, {
    {&lblFinishPrompt1, "lblFinishPrompt1", "TabSheet8", 208, 64, 295, 129,
     "青岚拼音输入法已经按照您的习惯进行了配置，更为详细的配置请使用输入法配置管理中心，您可以通过联机帮助查看详细的配置选项说明。",
     nullptr, kText},
    {&Label26, "Label26", "TabSheet8", 208, 264, 295, 41,
     "按“完成”按钮保存设置并退出配置向导；按“上一步”按钮重新选择配置；按“取消”按钮放弃设置并退出配置向导。 ", nullptr,
     kText},
  }, {
    {&btnPrev8, "btnPrev8", "TabSheet8", kPrevLeft, kRowTop, kBtnW, kBtnH, "< 上一步", &F::btnPrev8Click},
    {&btnFinish, "btnFinish", "TabSheet8", kNextLeft, kRowTop, kBtnW, kBtnH, "完成", &F::btnFinishClick},
    {&btnCancel8, "btnCancel8", "TabSheet8", kCancelLeft, kRowTop, kBtnW, kBtnH, "取消", &F::btnCancel0Click},
  });

  // Page 9, advice: "继续" goes on, "退出" quits without a question.
  BuildSidePage(*this, wpAdvice, {&Label24, "Label24", "青岚拼音输入法配置向导"}, {&Panel16, "Panel16"}, {
    {&lblFinishPrompt, "lblFinishPrompt", "TabSheet9", 208, 64, 295, 105, "", nullptr, kText},
    {&Label22, "Label22", "TabSheet9", 208, 264, 295, 41,
     "按“退出”按钮退出配置向导；按“上一步”按钮重新选择配置；按“继续”按钮继续配置。 ", nullptr, kText},
  }, {
    {&btnPrev9, "btnPrev9", "TabSheet9", kPrevLeft, kRowTop, kBtnW, kBtnH, "< 上一步", &F::btnPrev9Click},
    {&btnNext9, "btnNext9", "TabSheet9", kNextLeft, kRowTop, kBtnW, kBtnH, "继续", &F::btnNext9Click},
    {&btnQuit, "btnQuit", "TabSheet9", kCancelLeft, kRowTop, kBtnW, kBtnH, "退出", &F::btnQuitClick},
  });

  // Page 10, settings centre: no forward button; the back button moves into its place.
  BuildSidePage(*this, wpSettingsCentre, {&Label23, "Label23", "青岚拼音输入法配置向导"}, {&Panel17, "Panel17"}, {
    {&Label27, "Label27", "TabSheet10", 208, 64, 289, 49,
     "青岚拼音输入法提供了属性设置与管理中心，利用它可以对输入法进行详细的选项设置，您还可以通过查阅联机帮助文档得到详细的配置说明。",
     nullptr, kText},
    {&Label29, "Label29", "TabSheet10", 208, 112, 300, 12, "建议您使用属性设置和管理中心来配置青岚拼音输入法。",
     nullptr, kText},
    {&Label28, "Label28", "TabSheet10", 208, 264, 295, 41,
     "按“退出”按钮退出配置向导；按“上一步”按钮重新选择配置。 ", nullptr, kText},
  }, {
    {&btnPrev10, "btnPrev10", "TabSheet10", kNextLeft, kRowTop, kBtnW, kBtnH, "< 上一步", &F::btnPrev10Click},
    {&btnQuit10, "btnQuit10", "TabSheet10", kCancelLeft, kRowTop, kBtnW, kBtnH, "退出", &F::btnQuitClick},
  });

  OnCreate = [this](TObject* sender) { FormCreate(sender); };
}

void TfrmMain::FormCreate(TObject*) {
  ShowPage(wpWelcome);
  FUsageMode = umNotChosen;
  FConfig = TKrevConfig::Create();
  FConfig->LoadFromRegistry();
}

TButton* TfrmMain::PageDefaultButton(int page) {
  TButton* const defaults[] = {&btnNext0, &btnNext1, &btnNext2, &btnNext3, &btnNext4, &btnNext5,
                               &btnNext6, &btnNext7, &btnFinish, &btnNext9, &btnQuit10};
  return page >= 0 && page <= wpSettingsCentre ? defaults[page] : nullptr;
}

void TfrmMain::ShowPage(int page) {
  // Each page has its own default button, named before the page comes to front: a page of
  // buttons only takes the focus at it. On the advice page Enter goes on with "继续", and "退出"
  // only wears the default look as well (made default, it would take Enter over).
  SetDefaultButton(PageDefaultButton(page));
  pgctlMain.SetActivePageIndex(page);
  if (page == wpAdvice) SendMessageA(btnQuit.Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

TWizardAnswers TfrmMain::ReadAnswers() const {
  TWizardAnswers a;
  a.Usage = rdbtUsage1.Checked()   ? TUsageAnswer::Newcomer
            : rdbtUsage2.Checked() ? TUsageAnswer::OtherIme
                                   : TUsageAnswer::Familiar;
  a.NoFuzzy = chkNoFuzzy.Checked();
  a.Fuzzy1 = chkFuzzy1.Checked();
  a.Fuzzy2 = chkFuzzy2.Checked();
  a.Fuzzy3 = chkFuzzy3.Checked();
  a.Charset = rdbxGB.Checked() ? TCharsetAnswer::GB : rdbxGBK.Checked() ? TCharsetAnswer::GBK : TCharsetAnswer::Fanti;
  a.AdjFreq = chkAdjFreq.Checked();
  a.ICW = chkICW.Checked();
  a.Font = rdbxCompSmall.Checked()    ? TFontAnswer::Small
           : rdbxCompMedium.Checked() ? TFontAnswer::Medium
                                      : TFontAnswer::Large;
  // One group: exactly one is selected.
  const std::pair<const TRadioButton*, THabitAnswer> habits[] = {
      {&rdbxDos, THabitAnswer::Dos},     {&rdbxWinpy, THabitAnswer::Winpy},       {&rdbxAbc, THabitAnswer::Abc},
      {&rdbxCstar, THabitAnswer::Cstar}, {&rdbxKuangpin, THabitAnswer::Kuangpin}, {&rdbxPyjj, THabitAnswer::Pyjj},
      {&rdbxMspy, THabitAnswer::Mspy},   {&rdbxZiranma, THabitAnswer::Ziranma}};
  for (const auto& h : habits) {
    if (h.first->Checked()) {
      a.Habit = h.second;
      break;
    }
  }
  a.ShuangPin = rdbxShuangpin.Checked();
  return a;
}

void TfrmMain::Forward(int page) {
  const TWizardAnswers answers = ReadAnswers();
  const TWizardMove move = FindNextPage(page, answers, FPrevPage, FUsageMode);
  // Built afresh on every move to the advice page, so it names the method selected now.
  if (move.BuildAdvice) lblFinishPrompt.SetCaption(BuildAdviceText(answers.Habit));
  if (move.Page != wpNone) ShowPage(move.Page);
}

void TfrmMain::Back(int page) {
  const int to = FindPrevPage(page, FPrevPage);
  if (to != wpNone) ShowPage(to);
}

void TfrmMain::btnNext0Click(TObject*) { Forward(wpWelcome); }
void TfrmMain::btnPrev1Click(TObject*) { Back(wpUsage); }
void TfrmMain::btnNext1Click(TObject*) { Forward(wpUsage); }
void TfrmMain::btnPrev2Click(TObject*) { Back(wpFuzzy); }
void TfrmMain::btnNext2Click(TObject*) { Forward(wpFuzzy); }
void TfrmMain::btnPrev3Click(TObject*) { Back(wpCharset); }
void TfrmMain::btnNext3Click(TObject*) { Forward(wpCharset); }
void TfrmMain::btnPrev4Click(TObject*) { Back(wpSmart); }
void TfrmMain::btnNext4Click(TObject*) { Forward(wpSmart); }
void TfrmMain::btnPrev5Click(TObject*) { Back(wpFontSize); }
void TfrmMain::btnNext5Click(TObject*) { Forward(wpFontSize); }
void TfrmMain::btnPrev6Click(TObject*) { Back(wpHabit); }
void TfrmMain::btnNext6Click(TObject*) { Forward(wpHabit); }
void TfrmMain::btnPrev7Click(TObject*) { Back(wpQuanShuang); }
void TfrmMain::btnNext7Click(TObject*) { Forward(wpQuanShuang); }
void TfrmMain::btnPrev8Click(TObject*) { Back(wpFinish); }
void TfrmMain::btnPrev9Click(TObject*) { Back(wpAdvice); }
void TfrmMain::btnNext9Click(TObject*) { Forward(wpAdvice); }
void TfrmMain::btnPrev10Click(TObject*) { Back(wpSettingsCentre); }

void TfrmMain::btnFinishClick(TObject*) {
  // A value that cannot be written ends the handler here, before the window closes.
  FinishWizard(*FConfig, FUsageMode, ReadAnswers());
  Close();
}

void TfrmMain::btnCancel0Click(TObject*) {
  if (Application.MessageBox("退出配置向导？", kBoxCaption, MB_YESNO | MB_ICONQUESTION) == IDYES) Close();
}

void TfrmMain::btnQuitClick(TObject*) { Close(); }

void TfrmMain::chkNoFuzzyClick(TObject*) {
  // Only the enabled state changes; a disabled box keeps its tick.
  const bool enable = !chkNoFuzzy.Checked();
  chkFuzzy1.SetEnabled(enable);
  chkFuzzy2.SetEnabled(enable);
  chkFuzzy3.SetEnabled(enable);
}

void TfrmMain::btnResetDefaultValuesClick(TObject*) {
  if (Application.MessageBox("将所有设置恢复到默认值？", kBoxCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  FConfig->LoadDefaults();
  FConfig->SaveToRegistry();
}
