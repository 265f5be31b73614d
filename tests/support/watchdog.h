// A test must fail, never hang. An in-process test hangs when its main thread waits in the modal
// loop of a window that nobody answers: a box that a fault brought up where none was expected, or
// one whose responder looked for another caption and gave up. Every test program's main starts this
// watchdog for its main thread: a modal window of that thread (a dialog, or a form shown while the
// thread's other windows are disabled) that waits for `kUnansweredLimit` while no responder is at
// work (no krevtest::Answering alive, responder.h) fails the running test with what the window
// shows, and is then dismissed as a person would (Cancel, No, OK, or its close box), so the test
// runs on to its end and reports.
//
// The limit is no synchronisation: a passing test never comes near it, since a window that must
// come has a responder waiting for it, and a window that must not come is best watched for with
// krevtest::NoWindow, which fails at once.
#pragma once

#include <windows.h>

#include <chrono>

namespace krevtest {

constexpr std::chrono::milliseconds kUnansweredLimit = std::chrono::seconds(10);

// Watches the windows of thread `thread` until StopWatchdog, which main calls before it returns.
void StartWatchdog(DWORD thread);
void StopWatchdog();

}  // namespace krevtest
