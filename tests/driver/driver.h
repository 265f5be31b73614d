// Drives a real program from outside, the way a person at the screen would: starts it as a process
// of its own, waits for its windows, finds components by the names the toolkit puts on their
// windows (property "KrevName", a global atom), clicks, ticks, selects and types, reads what the
// controls show, closes windows and collects the exit code. It knows no form: tests name what
// they look for. Message boxes and file dialogs are answered with the responder (responder.h).
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "testenv.h"

namespace krevdrv {

using std::chrono::milliseconds;

// Windows of a slow, emulated platform appear late: waits are generous.
constexpr milliseconds kWindowWait = std::chrono::seconds(90);
constexpr milliseconds kStateWait = std::chrono::seconds(30);

// Polls `ready` until it says true or the timeout passes.
bool WaitUntil(const std::function<bool()>& ready, milliseconds timeout = kStateWait);

// One started program (a process of the test support, testenv.h) and its windows. The destructor
// ends a process that is still running, so a failed test leaves nothing behind in the shared prefix.
class Program : public krevtest::Process {
 public:
  // `cmdline` is the whole command line, program path included.
  using krevtest::Process::Process;
  // A program of the installation directory, quoted, followed by `args` (which start with a blank).
  static std::string InInstallDir(const std::string& exe, const std::string& args = "");

  // A visible top-level window of this process with the window class `cls` (nullptr: any) and,
  // when `caption` is not empty, that caption; nullptr when none is there after the timeout or
  // once the process has ended.
  HWND WaitWindow(const char* cls, const std::string& caption = "", milliseconds timeout = kWindowWait) const;
  HWND TopWindow(const char* cls, const std::string& caption = "") const;
};

// Visible top-level windows of process `pid` (0: any process) of class `cls` (nullptr: any).
std::vector<HWND> TopWindows(DWORD pid, const char* cls);

// Components by name: the descendant of `root` whose "KrevName" is `name`; nullptr when none.
// The name is a global atom, which keeps the letter case of whoever added it first: names are
// compared by SameName, without regard to case (common/compname.h).
std::string NameOf(HWND h);
bool SameName(const std::string& a, const std::string& b);
HWND Find(HWND root, const std::string& name);
HWND WaitFind(HWND root, const std::string& name, milliseconds timeout = kStateWait);

// What a control shows.
std::string Text(HWND h);          // caption or edit text
std::string ClassOf(HWND h);
bool Checked(HWND h);              // check box or radio button ticked
bool Enabled(HWND h);
bool Visible(HWND h);              // visible itself and all its parents
bool IsFront(HWND h);              // topmost among its siblings (stacked pages)

// Acting. Each fails (false) on a control a user could not use: missing, hidden or disabled.
// Click waits until the handler has run; Press only posts the click, for handlers that open a
// modal window (wait for that window next). A click reaches a button as its parent's BN_CLICKED
// (BM_CLICK for a dialog's automatic check boxes and radio buttons). An action whose handler opens
// a modal window while no responder of the test is at work fails at once (reported on stderr)
// instead of waiting for an answer that never comes.
bool Click(HWND h);
bool Press(HWND h);
// Ticks or clears a check box, selects a radio button, by clicking it when its state differs.
bool SetChecked(HWND h, bool checked);
// Replaces an edit's or memo's text as typing over a selection of all of it would (the control's
// modified flag is set).
bool Type(HWND h, const std::string& text);

// Combo boxes: items, the selected item's index, and choosing an item as the list would.
std::vector<std::string> ComboItems(HWND combo);
int ComboIndex(HWND combo);
bool SelectComboIndex(HWND combo, int index);
bool SelectComboText(HWND combo, const std::string& text);

// Tree views: the texts of all items in display order (parents before children), the selected
// item's text, and selecting the first item with the text (raising the selection change).
std::vector<std::string> TreeItems(HWND tree);
std::string TreeSelection(HWND tree);
bool SelectTreeItem(HWND tree, const std::string& text);

// Closes a top-level window as its close box would.
void Close(HWND top);

// Saves the screen content of window `h` (and what lies over it) as a 24-bit BMP file, once the
// window has painted and its picture holds still.
bool CaptureWindow(HWND h, const std::string& bmpPath);

}  // namespace krevdrv
