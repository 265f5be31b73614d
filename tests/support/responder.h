// Answers modal windows the way a person would: waits for a dialog window by caption, reads what
// it shows once it answers (wait.h), and presses a button (or types a file name first). Works for
// windows of this process and of other processes alike, since it only uses window messages.
//
// A modal window that nobody answers would block the test for good. Three things stand against it:
// - Expect/ExpectBox/ExpectFileDialog for a window that must come;
// - NoWindow for a window that must not come: it answers such a window if it comes and tells, so
//   the test fails with what the window showed instead of hanging in its modal loop;
// - the watchdog every test program runs (watchdog.h): a modal window of the test's main thread
//   that waits with no responder at work is answered after a few seconds and fails the test.
//   Threads of a test that answer windows themselves hold an `Answering` token meanwhile.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "wait.h"

namespace krevtest {

enum class BoxIcon { None, Error, Question, Exclamation, Information, Other };

struct SeenWindow {
  bool found = false;
  std::string caption;                 // window caption (GBK)
  std::string text;                    // message-box text: the texts of the static controls joined by '\n'
  BoxIcon icon = BoxIcon::None;        // message-box icon
  std::vector<int> buttons;            // ids of the visible push buttons (IDOK, IDYES, ...)
  std::string fileName;                // file dialogs: the pre-filled name
  HWND hwnd = nullptr;
};

// Action done on the found window before it is answered; returns the id of the button to press.
using Answer = std::function<int(HWND, SeenWindow&)>;

// Held by a thread of a test while it answers windows itself (a script that drives a dialog), so
// the watchdog leaves the windows it waits for alone. Expect holds one while it waits.
class Answering {
 public:
  Answering();
  ~Answering();
  Answering(const Answering&) = delete;
  Answering& operator=(const Answering&) = delete;
  // Whether any thread holds one now.
  static bool Anyone();
};

// Starts waiting in a background thread for a visible top-level dialog (class "#32770") whose caption
// equals `caption` (empty: any caption). Once the dialog answers (it has finished initialising),
// `answer` runs and its button is pressed. The future gives what was seen; found is false on timeout.
std::future<SeenWindow> Expect(const std::string& caption, Answer answer,
                               std::chrono::milliseconds timeout = std::chrono::seconds(15));

// Presses the button `id` of the box.
std::future<SeenWindow> ExpectBox(const std::string& caption, int id,
                                  std::chrono::milliseconds timeout = std::chrono::seconds(15));

// File dialogs: types `name` into the file-name box and presses OK; an empty name presses Cancel.
std::future<SeenWindow> ExpectFileDialog(const std::string& caption, const std::string& name,
                                         std::chrono::milliseconds timeout = std::chrono::seconds(15));

// A window's caption or text, and its class name.
std::string WindowText(HWND h);
std::string ClassOf(HWND h);

// What a window of the given top-level dialog shows right now.
SeenWindow Inspect(HWND dlg);

// The first visible top-level window of class `cls` (nullptr: any) with `caption` (empty: any), of
// process `pid` (0: any process).
HWND FindTopWindow(const char* cls, const std::string& caption, DWORD pid = 0);

// The button a person uses to get rid of a box without choosing anything: Cancel, else No, else
// OK; 0 when the window has none of them.
int DismissId(HWND dlg);

// Watches, while it lives, for windows that must not come: visible top-level windows of class
// `cls` (nullptr: any) with `caption` (empty: any) of process `pid` (0: any process). Each one that
// comes is answered at once (with DismissId, or the close box when it has no such button), so the
// code that showed it goes on and the test fails instead of hanging.
//   krevtest::NoWindow none("#32770", kBoxCaption);
//   ... what must show no box ...
//   EXPECT_EQ("", none.Finish());
class NoWindow {
 public:
  explicit NoWindow(const char* cls = "#32770", const std::string& caption = "",
                    DWORD pid = GetCurrentProcessId());
  ~NoWindow();
  NoWindow(const NoWindow&) = delete;
  NoWindow& operator=(const NoWindow&) = delete;
  // Stops watching; "" when nothing came, else the caption and text of each window that did.
  std::string Finish();

 private:
  void Run(std::string cls, bool anyClass, std::string caption, DWORD pid);
  std::atomic<bool> stop_{false};
  std::string seen_;
  std::thread thread_;
};

}  // namespace krevtest
