// Answers modal windows the way a person would: waits for a dialog window by caption, reads what
// it shows, and presses a button (or types a file name first). Works for windows of this process
// and of other processes alike, since it only uses window messages.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <vector>

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

// Starts waiting in a background thread for a visible top-level dialog (class "#32770") whose caption
// equals `caption` (empty: any caption). The future gives what was seen; found is false on timeout.
std::future<SeenWindow> Expect(const std::string& caption, Answer answer,
                               std::chrono::milliseconds timeout = std::chrono::seconds(15));

// Presses the button `id` of the box.
std::future<SeenWindow> ExpectBox(const std::string& caption, int id,
                                  std::chrono::milliseconds timeout = std::chrono::seconds(15));

// File dialogs: types `name` into the file-name box and presses OK; an empty name presses Cancel.
std::future<SeenWindow> ExpectFileDialog(const std::string& caption, const std::string& name,
                                         std::chrono::milliseconds timeout = std::chrono::seconds(15));

// What a window of the given top-level dialog shows right now.
SeenWindow Inspect(HWND dlg);

// The first visible top-level window of class `cls` (nullptr: any) with `caption`, of any process.
HWND FindTopWindow(const char* cls, const std::string& caption);

// Pumps this thread's messages until `ready` says true or the timeout passes.
bool PumpUntil(const std::function<bool()>& ready,
               std::chrono::milliseconds timeout = std::chrono::seconds(15));

}  // namespace krevtest
