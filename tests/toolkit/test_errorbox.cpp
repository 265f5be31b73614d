// An error that escapes a handler ends it and is shown in the default error box: its text with
// "." added when the last byte sorts after ".", the application title as caption, error icon, OK.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "Toolkit.h"
#include "responder.h"

using krevtest::BoxIcon;
using krevtest::ExpectBox;

TEST(ToolkitErrorBox, DotRule) {
  struct Row {
    const char* message;
    const char* shown;
  };
  const Row rows[] = {
      {"Stream write error", "Stream write error."},
      {"Cannot open file C:\\a\\b.ini", "Cannot open file C:\\a\\b.ini."},
      {"Ends in a dot.", "Ends in a dot."},
      {"version 3", "version 3."},
      {"无法打开", "无法打开."},
      {"Failed to set data for '键'", "Failed to set data for '键'"},
      {"stop!", "stop!"},
      {"a,", "a,"},
      {"a-", "a-"},
      {"C:\\dir/", "C:\\dir/."},
      {"", ""},
  };
  for (const Row& r : rows) EXPECT_EQ(ErrorBoxText(r.message), r.shown) << r.message;
}

namespace {

class ErrorForm : public TForm {
 public:
  ErrorForm() : TForm("TErrorForm") {
    SetClientSize(200, 80);
    BuildLayout<ErrorForm>(this, {
        {&btnFail, "btnFail", "", 8, 8, 90, 25, "fail", &ErrorForm::btnFailClick},
    });
  }
  void btnFailClick(TObject*) {
    ++before;
    if (failWith == 1) throw EToolkitError("Cannot open file C:\\missing\\vardekosp.ini");
    if (failWith == 2) throw std::runtime_error("Failed to set data for '候选个数'");
    ++after;
  }
  TButton btnFail;
  int failWith = 1;
  int before = 0, after = 0;
};

struct TitleScope {
  std::string saved = Application.Title();
  explicit TitleScope(const std::string& t) { Application.SetTitle(t); }
  ~TitleScope() { Application.SetTitle(saved); }
};

}  // namespace

TEST(ToolkitErrorBox, ErrorInAClickHandlerIsShownAndTheLoopGoesOn) {
  TitleScope title("青岚拼音输入法－测试");
  ErrorForm f;
  f.Show();
  auto box = ExpectBox("青岚拼音输入法－测试", IDOK);
  SendMessageA(f.btnFail.Handle(), BM_CLICK, 0, 0);
  krevtest::SeenWindow seen = box.get();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text, "Cannot open file C:\\missing\\vardekosp.ini.");
  EXPECT_EQ(seen.icon, BoxIcon::Error);
  EXPECT_EQ(seen.buttons, std::vector<int>{IDOK});
  // The handler ended at the failing step; the window is still there and answers again.
  EXPECT_EQ(f.before, 1);
  EXPECT_EQ(f.after, 0);
  EXPECT_TRUE(IsWindow(f.Handle()));
  f.failWith = 0;
  SendMessageA(f.btnFail.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(f.before, 2);
  EXPECT_EQ(f.after, 1);
}

TEST(ToolkitErrorBox, AnyStandardErrorIsShownWithItsOwnText) {
  TitleScope title("标题");
  ErrorForm f;
  f.failWith = 2;
  auto box = ExpectBox("标题", IDOK);
  SendMessageA(f.btnFail.Handle(), BM_CLICK, 0, 0);
  krevtest::SeenWindow seen = box.get();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text, "Failed to set data for '候选个数'");
  EXPECT_EQ(seen.icon, BoxIcon::Error);
}

TEST(ToolkitErrorBox, ErrorInOnCreateEndsItAndCreationGoesOn) {
  TitleScope title("创建");
  ErrorForm f;
  int steps = 0;
  f.OnCreate = [&](TObject*) {
    ++steps;
    throw EToolkitError("Cannot create file C:\\x.ini");
  };
  auto box = ExpectBox("创建", IDOK);
  f.DoCreate();
  krevtest::SeenWindow seen = box.get();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text, "Cannot create file C:\\x.ini.");
  EXPECT_EQ(steps, 1);
  f.DoCreate();  // runs once only
  EXPECT_EQ(steps, 1);
}

TEST(ToolkitErrorBox, MessageBoxPassesFlagsAndAnswer) {
  auto box = ExpectBox("清除复位用户词库", IDNO);
  int answer = Application.MessageBox("是否确认？", "清除复位用户词库", MB_YESNO | MB_ICONQUESTION);
  krevtest::SeenWindow seen = box.get();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(answer, IDNO);
  EXPECT_EQ(seen.text, "是否确认？");
  EXPECT_EQ(seen.icon, BoxIcon::Question);
}
