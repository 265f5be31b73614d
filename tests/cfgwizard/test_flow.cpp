// The page graph without windows: every complete path forward and back, the remembered page and
// the usage mode, and the advice text.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "WizardFlow.h"

namespace {

// Walks the graph as the buttons would. A script is a list of tokens:
//   N<page>  forward, expecting <page>;   B<page>  back, expecting <page>;
//   U<n|o|f> usage answer (newcomer, other, familiar);  H<habit name>  habit answer.
struct Walk {
  int page = wpWelcome;
  int prevPage = 0;
  int usageMode = umNotChosen;
  TWizardAnswers answers;
  std::vector<int> advicePages;  // pages reached by moves that asked for the advice text

  void Run(const std::string& script) {
    std::istringstream in(script);
    std::string tok;
    while (in >> tok) {
      SCOPED_TRACE("at " + tok + " of \"" + script + "\"");
      const char op = tok[0];
      const std::string arg = tok.substr(1);
      if (op == 'N') {
        TWizardMove m = FindNextPage(page, answers, prevPage, usageMode);
        ASSERT_EQ(std::stoi(arg), m.Page);
        if (m.BuildAdvice) advicePages.push_back(m.Page);
        page = m.Page;
      } else if (op == 'B') {
        int to = FindPrevPage(page, prevPage);
        ASSERT_EQ(std::stoi(arg), to);
        page = to;
      } else if (op == 'U') {
        answers.Usage = arg == "n" ? TUsageAnswer::Newcomer
                        : arg == "o" ? TUsageAnswer::OtherIme
                                     : TUsageAnswer::Familiar;
      } else if (op == 'H') {
        static const char* const names[] = {"dos", "winpy", "abc", "cstar", "pyjj", "ziranma", "mspy", "kuangpin"};
        int i = 0;
        while (i < 8 && arg != names[i]) ++i;
        ASSERT_LT(i, 8) << "unknown habit " << arg;
        answers.Habit = static_cast<THabitAnswer>(i);
      } else {
        FAIL() << "bad token " << tok;
      }
    }
  }
};

struct PathCase {
  const char* name;
  const char* script;
  int page, prevPage, usageMode;
  int adviceMoves;  // forward moves that built the advice text
};

const PathCase kPaths[] = {
    {"newcomer", "N1 N2 N3 N4 N5 N8 B5 B4 B3 B2 B1 B0", wpWelcome, 5, umNewcomer, 0},
    {"newcomer back from finish", "N1 N2 N3 N4 N5 N8 B5 N8", wpFinish, 5, umNewcomer, 0},
    {"other ime quanpin", "Uo N1 N6 N7 N8 B7 B6 B1 B0", wpWelcome, 7, umOtherIme, 0},
    {"windows habit", "Uo Hwinpy N1 N6 N7", wpQuanShuang, 6, umOtherIme, 0},
    {"abc habit", "Uo Habc N1 N6 N7", wpQuanShuang, 6, umOtherIme, 0},
    {"cstar habit", "Uo Hcstar N1 N6 N7", wpQuanShuang, 6, umOtherIme, 0},
    {"pyjj habit", "Uo Hpyjj N1 N6 N7", wpQuanShuang, 6, umOtherIme, 0},
    {"ziranma skips quanpin page", "Uo Hziranma N1 N6 N8 B6", wpHabit, 6, umOtherIme, 0},
    {"mspy advice back", "Uo Hmspy N1 N6 N9 B6", wpHabit, 6, umOtherIme, 1},
    // "继续" keeps the remembered page, page 7 then replaces it: page 8 returns to 7, not to 9.
    {"mspy continue", "Uo Hmspy N1 N6 N9 N7 N8 B7 B6", wpHabit, 7, umOtherIme, 1},
    {"mspy continue then back from 7", "Uo Hmspy N1 N6 N9 N7 B6 N9 B6", wpHabit, 6, umOtherIme, 2},
    {"kuangpin continue", "Uo Hkuangpin N1 N6 N9 N7 N8 B7", wpQuanShuang, 7, umOtherIme, 1},
    {"familiar", "Uf N1 N10 B1 B0", wpWelcome, 1, umNotChosen, 0},
    // The familiar answer keeps the mode from an earlier pass.
    {"familiar after other", "Uo N1 N6 B1 Uf N10", wpSettingsCentre, 1, umOtherIme, 0},
    {"newcomer after other", "Uo N1 N6 B1 Un N2", wpFuzzy, 1, umNewcomer, 0},
    {"other after newcomer pages", "N1 N2 N3 N4 N5 N8 B5 B4 B3 B2 B1 Uo N6 N7 N8 B7", wpQuanShuang, 7,
     umOtherIme, 0},
    // Page 10 is reached only through page 1, which leaves 1 remembered even after a longer pass.
    {"familiar after newcomer finish", "N1 N2 N3 N4 N5 N8 B5 B4 B3 B2 B1 Uf N10 B1", wpUsage, 1, umNewcomer, 0},
};

class PagePaths : public testing::TestWithParam<PathCase> {};

TEST_P(PagePaths, EndsWhereTheGraphSays) {
  const PathCase& c = GetParam();
  Walk w;
  w.Run(c.script);
  if (HasFatalFailure()) return;
  EXPECT_EQ(c.page, w.page);
  EXPECT_EQ(c.prevPage, w.prevPage);
  EXPECT_EQ(c.usageMode, w.usageMode);
  EXPECT_EQ(static_cast<size_t>(c.adviceMoves), w.advicePages.size());
  for (int p : w.advicePages) EXPECT_EQ(wpAdvice, p);
}

INSTANTIATE_TEST_SUITE_P(Flow, PagePaths, testing::ValuesIn(kPaths), [](const auto& info) {
  std::string n = info.param.name;
  for (char& ch : n)
    if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return n;
});

TEST(Flow, PagesWithoutAMoveLeaveTheStateAlone) {
  // Page 8 forward is "完成", page 10 has no forward button, page 0 no back button.
  for (int page : {wpFinish, wpSettingsCentre}) {
    int prev = 6, usage = umOtherIme;
    TWizardAnswers a;
    TWizardMove m = FindNextPage(page, a, prev, usage);
    EXPECT_EQ(wpNone, m.Page) << page;
    EXPECT_FALSE(m.BuildAdvice);
    EXPECT_EQ(6, prev);
    EXPECT_EQ(umOtherIme, usage);
  }
  EXPECT_EQ(wpNone, FindPrevPage(wpWelcome, 5));
}

TEST(Flow, OnlyTheForwardButtonsOfPages1567SetTheRememberedPage) {
  for (int page = wpWelcome; page <= wpSettingsCentre; ++page) {
    int prev = 42, usage = umNotChosen;
    TWizardAnswers a;
    a.Habit = THabitAnswer::Mspy;  // page 6 forward goes to 9
    FindNextPage(page, a, prev, usage);
    const bool sets = page == wpUsage || page == wpFontSize || page == wpHabit || page == wpQuanShuang;
    EXPECT_EQ(sets ? page : 42, prev) << "page " << page;
  }
}

TEST(Flow, AdviceTextNamesTheChosenMethodTwice) {
  const std::string mspy = BuildAdviceText(THabitAnswer::Mspy);
  EXPECT_EQ(
      "青岚拼音输入法和微软拼音输入法的设计出发点有所不同，青岚拼音输入法主要面向字词和短语输入，"
      "而不是整句输入。如果您已经习惯使用整句输入，建议您继续使用微软拼音输入法。\r\n\r\n"
      "如果您准备使用青岚拼音输入法，我们建议您在输入过程中以字词为单位来输入。",
      mspy);
  const std::string kuang = BuildAdviceText(THabitAnswer::Kuangpin);
  EXPECT_EQ(
      "青岚拼音输入法和智能狂拼的设计出发点有所不同，青岚拼音输入法主要面向字词和短语输入，"
      "而不是整句输入。如果您已经习惯使用整句输入，建议您继续使用智能狂拼。\r\n\r\n"
      "如果您准备使用青岚拼音输入法，我们建议您在输入过程中以字词为单位来输入。",
      kuang);
  // The radio caption's longer name never appears.
  EXPECT_EQ(std::string::npos, kuang.find("中文之星"));
}

}  // namespace
