#include "uCfgWiz.h"

const char* const WizardAppTitle = "青岚拼音输入法－配置向导";

TfrmMain* frmMain = nullptr;

namespace {

// Caption of the wizard's two questions.
const char kBoxCaption[] = "青岚拼音输入法配置向导";

using F = TfrmMain;

// Buttons of the bottom row.
constexpr int kRowTop = 328, kBtnW = 90, kBtnH = 23;
constexpr int kPrevLeft = 232, kNextLeft = 328, kCancelLeft = 424;
// The separator lines reach a little past both sides of the page.
constexpr int kLineLeft = -26, kLineW = 585, kLineH = 2;
constexpr unsigned kText = lfWordWrap | lfFixedSize;

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

    {&TabSheet0, "TabSheet0", "pgctlMain", 0, 0, 0, 0, "TabSheet0"},
    {&Image1, "Image1", "TabSheet0", 10, 20, 168, 280, ""},
    {&Label1, "Label1", "TabSheet0", 208, 24, 0, 0, "欢迎使用青岚拼音输入法配置向导"},
    {&Label2, "Label2", "TabSheet0", 208, 64, 295, 33,
     "该向导用于帮助您设置青岚拼音输入法属性，使青岚拼音输入法设置符合您的使用习惯。 ", nullptr, kText},
    {&Label3, "Label3", "TabSheet0", 208, 104, 295, 33,
     "除了该向导， 青岚拼音输入法还带有“属性设置和管理中心”，您可以使用它来进行详细的属性项设置。", nullptr, kText},
    {&Label4, "Label4", "TabSheet0", 208, 272, 295, 33,
     "按“恢复默认值”按钮恢复青岚拼音输入法的默认设置；按“下一步”按钮进入配置向导进行设置。 ", nullptr, kText},
    {&pnlLineBottom, "pnlLineBottom", "TabSheet0", kLineLeft, 315, kLineW, kLineH, ""},
    {&btnResetDefaultValues, "btnResetDefaultValues", "TabSheet0", 8, kRowTop, 90, 22, "恢复默认值...",
     &F::btnResetDefaultValuesClick},
    {&btnNext0, "btnNext0", "TabSheet0", kNextLeft, kRowTop, kBtnW, kBtnH, "下一步 >", &F::btnNext0Click},
    {&btnCancel0, "btnCancel0", "TabSheet0", kCancelLeft, kRowTop, kBtnW, kBtnH, "取消", &F::btnCancel0Click},

    {&TabSheet1, "TabSheet1", "pgctlMain", 0, 0, 0, 0, "TabSheet1"},
    {&Image2, "Image2", "TabSheet1", 296, 0, 210, 54, ""},
    {&Label5, "Label5", "TabSheet1", 20, 24, 0, 0, "您是否熟悉拼音输入？", nullptr, lfBold},
    {&Panel1, "Panel1", "TabSheet1", kLineLeft, 64, kLineW, kLineH, ""},
    {&Label6, "Label6", "TabSheet1", 40, 96, 0, 0, "请选择："},
    {&rdbtUsage1, "rdbtUsage1", "TabSheet1", 72, 128, 289, 25, "我刚刚接触拼音输入，对拼音输入法并不熟悉", nullptr,
     lfChecked},
    {&rdbtUsage2, "rdbtUsage2", "TabSheet1", 72, 160, 281, 17, "我使用过其它拼音输入法"},
    {&rdbtUsage3, "rdbtUsage3", "TabSheet1", 72, 184, 249, 25, "我使用过并熟悉青岚拼音输入法"},
    {&Panel2, "Panel2", "TabSheet1", kLineLeft, 315, kLineW, kLineH, ""},
    {&btnPrev1, "btnPrev1", "TabSheet1", kPrevLeft, kRowTop, kBtnW, kBtnH, "< 上一步", &F::btnPrev1Click},
    {&btnNext1, "btnNext1", "TabSheet1", kNextLeft, kRowTop, kBtnW, kBtnH, "下一步 >", &F::btnNext1Click},
    {&btnCancel1, "btnCancel1", "TabSheet1", kCancelLeft, kRowTop, kBtnW, kBtnH, "取消", &F::btnCancel0Click},

    {&TabSheet2, "TabSheet2", "pgctlMain", 0, 0, 0, 0, "TabSheet2"},
    {&Image3, "Image3", "TabSheet2", 296, 0, 210, 54, ""},
    {&Label7, "Label7", "TabSheet2", 20, 24, 0, 0, "您是否使用标准的拼音读音？", nullptr, lfBold},
    {&Panel3, "Panel3", "TabSheet2", kLineLeft, 64, kLineW, kLineH, ""},
    {&Label8, "Label8", "TabSheet2", 40, 80, 408, 24,
     "青岚拼音输入法支持模糊的读音输入，即在输入时对有些读音可以不用区分。请选择：", nullptr, kText},
    {&chkNoFuzzy, "chkNoFuzzy", "TabSheet2", 72, 120, 233, 17, "我将使用标准的普通话读音", &F::chkNoFuzzyClick},
    {&Label9, "Label9", "TabSheet2", 64, 152, 0, 0, "下面这些拼音我难以区分："},
    {&chkFuzzy1, "chkFuzzy1", "TabSheet2", 72, 176, 273, 17, "平舌音和翘舌音，包括z和zh，s和sh，c和ch"},
    {&chkFuzzy2, "chkFuzzy2", "TabSheet2", 72, 200, 433, 17,
     "前鼻音和后鼻音，包括an和ang，in和ing，en和eng，ian和iang，uan和uang"},
    {&chkFuzzy3, "chkFuzzy3", "TabSheet2", 72, 224, 273, 17, "难以区分一些声母，包括k和g，f和h，l和n"},
    {&Panel4, "Panel4", "TabSheet2", kLineLeft, 315, kLineW, kLineH, ""},
    {&btnPrev2, "btnPrev2", "TabSheet2", kPrevLeft, kRowTop, kBtnW, kBtnH, "< 上一步", &F::btnPrev2Click},
    {&btnNext2, "btnNext2", "TabSheet2", kNextLeft, kRowTop, kBtnW, kBtnH, "下一步 >", &F::btnNext2Click},
    {&btnCancel2, "btnCancel2", "TabSheet2", kCancelLeft, kRowTop, kBtnW, kBtnH, "取消", &F::btnCancel0Click},

    {&TabSheet3, "TabSheet3", "pgctlMain", 0, 0, 0, 0, "TabSheet3"},
    {&Image4, "Image4", "TabSheet3", 296, 0, 210, 54, ""},
    {&Label10, "Label10", "TabSheet3", 20, 24, 0, 0, "字符集选择", nullptr, lfBold},
    {&Panel5, "Panel5", "TabSheet3", kLineLeft, 64, kLineW, kLineH, ""},
    {&Label11, "Label11", "TabSheet3", 40, 80, 444, 24,
     "青岚拼音输入法支持分别输入简体字和繁体字，并支持输入GBK大字符集中的汉字 。请选择：", nullptr, kText},
    {&rdbxGB, "rdbxGB", "TabSheet3", 72, 128, 289, 25, "我主要输入常用汉字", nullptr, lfChecked},
    {&rdbxGBK, "rdbxGBK", "TabSheet3", 72, 160, 289, 25, "我需要输入大字符集中的汉字(例如“鎔”)"},
    {&rdbxFanti, "rdbxFanti", "TabSheet3", 72, 192, 289, 25, "我主要输入繁体字"},
    {&Panel6, "Panel6", "TabSheet3", kLineLeft, 315, kLineW, kLineH, ""},
    {&btnPrev3, "btnPrev3", "TabSheet3", kPrevLeft, kRowTop, kBtnW, kBtnH, "< 上一步", &F::btnPrev3Click},
    {&btnNext3, "btnNext3", "TabSheet3", kNextLeft, kRowTop, kBtnW, kBtnH, "下一步 >", &F::btnNext3Click},
    {&btnCancel3, "btnCancel3", "TabSheet3", kCancelLeft, kRowTop, kBtnW, kBtnH, "取消", &F::btnCancel0Click},

    {&TabSheet4, "TabSheet4", "pgctlMain", 0, 0, 0, 0, "TabSheet4"},
    {&Image5, "Image5", "TabSheet4", 296, 0, 210, 54, ""},
    {&Label12, "Label12", "TabSheet4", 20, 24, 0, 0, "关于输入时动态调整的一些智能特性", nullptr, lfBold},
    {&Panel7, "Panel7", "TabSheet4", kLineLeft, 64, kLineW, kLineH, ""},
    {&Label13, "Label13", "TabSheet4", 40, 80, 408, 24,
     "青岚拼音输入法支持在输入过程中动态调整字词的频率，并支持智能组词 。 请选择：", nullptr, kText},
    {&chkAdjFreq, "chkAdjFreq", "TabSheet4", 72, 120, 297, 17, "允许输入法动态调整字和词的频率"},
    {&Label14, "Label14", "TabSheet4", 88, 144, 384, 24,
     "让输入法根据您输入过的字词，动态调整字词频率，以便在以后输入时优先选择。", nullptr, kText},
    {&chkICW, "chkICW", "TabSheet4", 72, 192, 297, 17, "允许输入法智能组词"},
    {&Label15, "Label15", "TabSheet4", 88, 216, 384, 24,
     "对您输入的拼音，如果词库中没有该词的时候，青岚拼音输入法的智能组词特性可以帮助您组出一个新词。", nullptr,
     kText},
    {&Panel8, "Panel8", "TabSheet4", kLineLeft, 315, kLineW, kLineH, ""},
    {&btnPrev4, "btnPrev4", "TabSheet4", kPrevLeft, kRowTop, kBtnW, kBtnH, "< 上一步", &F::btnPrev4Click},
    {&btnNext4, "btnNext4", "TabSheet4", kNextLeft, kRowTop, kBtnW, kBtnH, "下一步 >", &F::btnNext4Click},
    {&btnCancel4, "btnCancel4", "TabSheet4", kCancelLeft, kRowTop, kBtnW, kBtnH, "取消", &F::btnCancel0Click},

    {&TabSheet5, "TabSheet5", "pgctlMain", 0, 0, 0, 0, "TabSheet5"},
    {&Image6, "Image6", "TabSheet5", 296, 0, 210, 54, ""},
    {&Label16, "Label16", "TabSheet5", 20, 24, 0, 0, "输入栏字体大小", nullptr, lfBold},
    {&Panel9, "Panel9", "TabSheet5", kLineLeft, 64, kLineW, kLineH, ""},
    {&Label17, "Label17", "TabSheet5", 40, 80, 0, 0, "您可以选择输入时拼音和候选字词显示的大小："},
    {&rdbxCompSmall, "rdbxCompSmall", "TabSheet5", 72, 128, 385, 25, "小号字(我视力很好，而且屏幕分辨率不高)", nullptr,
     lfChecked},
    {&rdbxCompMedium, "rdbxCompMedium", "TabSheet5", 72, 160, 369, 25,
     "中号字(我的屏幕分辨率在800x600以上，我希望字体大一点)"},
    {&rdbxCompLarge, "rdbxCompLarge", "TabSheet5", 72, 192, 377, 25, "大号字(我愿意看到输入时，候选字词的显示越大越好)"},
    {&Panel10, "Panel10", "TabSheet5", kLineLeft, 315, kLineW, kLineH, ""},
    {&btnPrev5, "btnPrev5", "TabSheet5", kPrevLeft, kRowTop, kBtnW, kBtnH, "< 上一步", &F::btnPrev5Click},
    {&btnNext5, "btnNext5", "TabSheet5", kNextLeft, kRowTop, kBtnW, kBtnH, "下一步 >", &F::btnNext5Click},
    {&btnCancel5, "btnCancel5", "TabSheet5", kCancelLeft, kRowTop, kBtnW, kBtnH, "取消", &F::btnCancel0Click},

    {&TabSheet6, "TabSheet6", "pgctlMain", 0, 0, 0, 0, "TabSheet6"},
    {&Image7, "Image7", "TabSheet6", 296, 0, 210, 54, ""},
    {&Label19, "Label19", "TabSheet6", 20, 24, 0, 0, "选择您习惯的拼音输入法", nullptr, lfBold},
    {&Panel11, "Panel11", "TabSheet6", kLineLeft, 64, kLineW, kLineH, ""},
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
    {&Panel12, "Panel12", "TabSheet6", kLineLeft, 315, kLineW, kLineH, ""},
    {&btnPrev6, "btnPrev6", "TabSheet6", kPrevLeft, kRowTop, kBtnW, kBtnH, "< 上一步", &F::btnPrev6Click},
    {&btnNext6, "btnNext6", "TabSheet6", kNextLeft, kRowTop, kBtnW, kBtnH, "下一步 >", &F::btnNext6Click},
    {&btnCancel6, "btnCancel6", "TabSheet6", kCancelLeft, kRowTop, kBtnW, kBtnH, "取消", &F::btnCancel0Click},

    {&TabSheet7, "TabSheet7", "pgctlMain", 0, 0, 0, 0, "TabSheet7"},
    {&Image8, "Image8", "TabSheet7", 296, 0, 210, 54, ""},
    {&Label20, "Label20", "TabSheet7", 20, 24, 0, 0, "选择全拼/双拼", nullptr, lfBold},
    {&Panel13, "Panel13", "TabSheet7", kLineLeft, 64, kLineW, kLineH, ""},
    {&Label21, "Label21", "TabSheet7", 40, 80, 0, 0, "您习惯使用全拼还是双拼："},
    {&rdbxQuanpin, "rdbxQuanpin", "TabSheet7", 72, 112, 377, 25, "全拼", nullptr, lfChecked},
    {&rdbxShuangpin, "rdbxShuangpin", "TabSheet7", 72, 136, 377, 25, "双拼"},
    {&Panel14, "Panel14", "TabSheet7", kLineLeft, 315, kLineW, kLineH, ""},
    {&btnPrev7, "btnPrev7", "TabSheet7", kPrevLeft, kRowTop, kBtnW, kBtnH, "< 上一步", &F::btnPrev7Click},
    {&btnNext7, "btnNext7", "TabSheet7", kNextLeft, kRowTop, kBtnW, kBtnH, "下一步 >", &F::btnNext7Click},
    {&btnCancel7, "btnCancel7", "TabSheet7", kCancelLeft, kRowTop, kBtnW, kBtnH, "取消", &F::btnCancel0Click},

    {&TabSheet8, "TabSheet8", "pgctlMain", 0, 0, 0, 0, "TabSheet8"},
    {&Image9, "Image9", "TabSheet8", 10, 20, 168, 280, ""},
    {&Label25, "Label25", "TabSheet8", 208, 24, 0, 0, "青岚拼音输入法配置向导"},
    {&lblFinishPrompt1, "lblFinishPrompt1", "TabSheet8", 208, 64, 295, 129,
     "青岚拼音输入法已经按照您的习惯进行了配置，更为详细的配置请使用输入法配置管理中心，您可以通过联机帮助查看详细的配置选项说明。",
     nullptr, kText},
    {&Label26, "Label26", "TabSheet8", 208, 264, 295, 41,
     "按“完成”按钮保存设置并退出配置向导；按“上一步”按钮重新选择配置；按“取消”按钮放弃设置并退出配置向导。 ", nullptr,
     kText},
    {&Panel15, "Panel15", "TabSheet8", kLineLeft, 315, kLineW, kLineH, ""},
    {&btnPrev8, "btnPrev8", "TabSheet8", kPrevLeft, kRowTop, kBtnW, kBtnH, "< 上一步", &F::btnPrev8Click},
    {&btnFinish, "btnFinish", "TabSheet8", kNextLeft, kRowTop, kBtnW, kBtnH, "完成", &F::btnFinishClick},
    {&btnCancel8, "btnCancel8", "TabSheet8", kCancelLeft, kRowTop, kBtnW, kBtnH, "取消", &F::btnCancel0Click},

    {&TabSheet9, "TabSheet9", "pgctlMain", 0, 0, 0, 0, "TabSheet9"},
    {&Image10, "Image10", "TabSheet9", 10, 20, 168, 280, ""},
    {&Label24, "Label24", "TabSheet9", 208, 24, 0, 0, "青岚拼音输入法配置向导"},
    {&lblFinishPrompt, "lblFinishPrompt", "TabSheet9", 208, 64, 295, 105, "", nullptr, kText},
    {&Label22, "Label22", "TabSheet9", 208, 264, 295, 41,
     "按“退出”按钮退出配置向导；按“上一步”按钮重新选择配置；按“继续”按钮继续配置。 ", nullptr, kText},
    {&Panel16, "Panel16", "TabSheet9", kLineLeft, 315, kLineW, kLineH, ""},
    {&btnPrev9, "btnPrev9", "TabSheet9", kPrevLeft, kRowTop, kBtnW, kBtnH, "< 上一步", &F::btnPrev9Click},
    {&btnNext9, "btnNext9", "TabSheet9", kNextLeft, kRowTop, kBtnW, kBtnH, "继续", &F::btnNext9Click},
    {&btnQuit, "btnQuit", "TabSheet9", kCancelLeft, kRowTop, kBtnW, kBtnH, "退出", &F::btnQuitClick},

    {&TabSheet10, "TabSheet10", "pgctlMain", 0, 0, 0, 0, "TabSheet10"},
    {&Image11, "Image11", "TabSheet10", 10, 20, 168, 280, ""},
    {&Label23, "Label23", "TabSheet10", 208, 24, 0, 0, "青岚拼音输入法配置向导"},
    {&Label27, "Label27", "TabSheet10", 208, 64, 289, 49,
     "青岚拼音输入法提供了属性设置与管理中心，利用它可以对输入法进行详细的选项设置，您还可以通过查阅联机帮助文档得到详细的配置说明。",
     nullptr, kText},
    {&Label29, "Label29", "TabSheet10", 208, 112, 300, 12, "建议您使用属性设置和管理中心来配置青岚拼音输入法。",
     nullptr, kText},
    {&Label28, "Label28", "TabSheet10", 208, 264, 295, 41,
     "按“退出”按钮退出配置向导；按“上一步”按钮重新选择配置。 ", nullptr, kText},
    {&Panel17, "Panel17", "TabSheet10", kLineLeft, 315, kLineW, kLineH, ""},
    {&btnPrev10, "btnPrev10", "TabSheet10", kNextLeft, kRowTop, kBtnW, kBtnH, "< 上一步", &F::btnPrev10Click},
    {&btnQuit10, "btnQuit10", "TabSheet10", kCancelLeft, kRowTop, kBtnW, kBtnH, "退出", &F::btnQuitClick},
  });

  // Side-layout headings are larger than the question pages' ones.
  TFont heading = font;
  heading.Height = 14;
  heading.Bold = true;
  for (TLabel* l : {&Label1, &Label25, &Label24, &Label23}) l->SetFont(heading);

  for (TPanel* line : {&pnlLineBottom, &Panel1, &Panel2, &Panel3, &Panel4, &Panel5, &Panel6, &Panel7, &Panel8,
                       &Panel9, &Panel10, &Panel11, &Panel12, &Panel13, &Panel14, &Panel15, &Panel16, &Panel17}) {
    line->SetBevelOuter(bvLowered);
    line->SetBevelWidth(1);
  }

  const HINSTANCE module = GetModuleHandleA(nullptr);
  for (TImage* side : {&Image1, &Image9, &Image10, &Image11}) side->LoadBitmap(module, "WIZSIDE");
  // The header's white ground lets the page colour show through.
  for (TImage* header : {&Image2, &Image3, &Image4, &Image5, &Image6, &Image7, &Image8}) {
    header->LoadBitmap(module, "WIZHEADER");
    header->SetTransparent(true);
  }

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
  pgctlMain.SetActivePageIndex(page);
  // Each page has its own default button; on the advice page Enter goes on with "继续", and
  // "退出" only wears the default look as well (made default, it would take Enter over).
  SetDefaultButton(PageDefaultButton(page));
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
