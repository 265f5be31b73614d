// Helpers of the word-library and version page tests: recorders for the calls the pages make to
// start programs, open links and show help; an answerer for several modal windows of one caption
// in a row; and the children of a page as laid out.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "calls.h"
#include "formtest.h"
#include "responder.h"
#include "seams.h"

namespace cfgtest {

// Folder of the test program, where the fixtures are built.
std::string ModuleDir();

struct StartedCall {
  std::string cmdline;
  UINT show;
};
struct ShellCall {
  HWND owner;
  std::string verb, file;
  bool params, dir;  // given at all
  INT show;
};
struct HelpCall {
  HWND owner;
  std::string page;
};
extern std::vector<StartedCall> g_started;
extern std::vector<ShellCall> g_shell;
extern std::vector<HelpCall> g_help;

// The main form with the page's process, shell and help calls recorded instead of made, for the
// life of the test.
class PagesTest : public MainFormTest {
 protected:
  void SetUp() override;

 private:
  krevtest::ScopedCalls<TKrevcfgCalls> calls_{KrevcfgCalls};
};

// Answers the modal windows with `caption` in order, each one a window not answered before, so a
// box that follows a dialog of the same caption is told apart from the dialog going away.
class BoxScript {
 public:
  BoxScript(const std::string& caption, std::vector<krevtest::Answer> answers);
  ~BoxScript();
  // Stops waiting for windows that did not come; what each answered window showed.
  std::vector<krevtest::SeenWindow> Finish();

 private:
  void Run(std::string caption, std::vector<krevtest::Answer> answers);
  std::atomic<bool> stop_{false};
  std::vector<krevtest::SeenWindow> seen_;
  std::thread thread_;
};

krevtest::Answer Press(int id);
// A file dialog: types `name` and confirms; an empty name cancels.
krevtest::Answer ChooseFile(const std::string& name);

// A direct child window of a page, as it stands.
struct ChildWindow {
  HWND hwnd;
  std::string cls, text;
  RECT rect;  // in the page's client coordinates
  bool bold;
};
std::vector<ChildWindow> Children(HWND page);

// A click of the mouse on a label.
void ClickLabel(TLabel& label);

}  // namespace cfgtest
