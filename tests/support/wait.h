// Waiting in tests: for states, never for time. A test goes on when what it needs is there (a file
// that opens and holds its content, a window that answers, a handler that has returned), not after
// a pause long enough on a quiet machine. Every wait has a time-out, but only a failure ever reaches
// it: it makes a fault fail within seconds instead of hanging.
//
//   WaitFor(ready)            polls a state (every few milliseconds) until it holds
//   PumpUntil(ready)          the same, pumping this thread's messages meanwhile
//   Answers(window)           the window's thread takes messages (SendMessageTimeout WM_NULL)
//   WaitGone(window)          an answered window has gone away
//   WaitForFile(path, &bytes) the file opens (share modes of a reader beside a writer that may be
//                             renaming or deleting it) and holds its complete content
//   SendClick / PostClick     a click as the parent receives it (BN_CLICKED), sent or posted
//   SendClickAsync            a sent click from another thread, for a handler that may wait in a
//                             modal window: wait for its future or for that window, whichever comes
//
// The responder (responder.h) answers modal windows with these waits.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <future>
#include <string>

namespace krevtest {

using std::chrono::milliseconds;

// How long a state may take to come about before the test counts it as not coming. Generous, since
// it is only ever reached by a failure: a slow, busy machine never makes a passing test wait it out.
constexpr milliseconds kStateTimeout = std::chrono::seconds(15);

// Polls `ready` until it says true; false when `timeout` passed first.
bool WaitFor(const std::function<bool()>& ready, milliseconds timeout = kStateTimeout);

// Like WaitFor, dispatching this thread's messages between polls (for windows of this thread).
bool PumpUntil(const std::function<bool()>& ready, milliseconds timeout = kStateTimeout);

// Whether a future's value is there.
template <typename T>
bool Ready(const std::future<T>& f) {
  return f.valid() && f.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

// True when the thread of `h` takes messages: a WM_NULL sent to it is answered within `timeout`.
// A window found visible that answers has finished its initialisation (WM_INITDIALOG, a form's
// creation) and sits in its message loop, so what is sent or posted to it now is handled.
bool Answers(HWND h, milliseconds timeout = kStateTimeout);

// Waits until `h` is no longer a window, or is hidden (a box that was answered).
bool WaitGone(HWND h, milliseconds timeout = kStateTimeout);

// Waits until `path` opens for reading and its bytes satisfy `complete` (default: not empty), and
// gives them in `bytes`. The file is opened sharing read, write and delete access, so a writer
// that still holds it (a rename keeps a handle with delete access open for a moment) does not
// make the read fail. False, with what was last read, when the time-out passed first.
bool WaitForFile(const std::string& path, std::string* bytes,
                 const std::function<bool(const std::string&)>& complete = nullptr,
                 milliseconds timeout = kStateTimeout);

// A person's click on `button` as its parent receives it: WM_COMMAND with BN_CLICKED. This needs
// neither focus nor capture, so it cannot be lost while a window is being shown or activated.
// (The toolkit's check boxes and radio buttons change their state on this notification; a dialog's
// automatic ones do not: use BM_CLICK on a window that answers for those.)
// SendClick returns once the handler has returned; false when the window's thread did not take the
// message within `timeout` (the handler then waits in a modal window of its own).
bool SendClick(HWND button, milliseconds timeout = kStateTimeout);
bool SendClick(HWND dialog, int id, milliseconds timeout = kStateTimeout);
// PostClick returns at once, for a handler that opens a modal window: wait for that window next.
bool PostClick(HWND button);
bool PostClick(HWND dialog, int id);
// Sends the click from another thread. The future says whether the handler returned (within
// `timeout`); wait for it together with the window a wrong handler would open, so that such a fault
// fails at once: WaitFor([&] { return Ready(click) || FindTopWindow(...); }).
std::future<bool> SendClickAsync(HWND dialog, int id, milliseconds timeout = kStateTimeout);

}  // namespace krevtest
