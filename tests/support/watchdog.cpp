#include "watchdog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "responder.h"

namespace krevtest {

namespace {

// Texts read without messages, so that looking never waits for the watched thread.
std::string StoredText(HWND h) {
  WCHAR w[1024] = {0};
  int n = InternalGetWindowText(h, w, 1024);
  char a[4096] = {0};
  WideCharToMultiByte(CP_ACP, 0, w, n, a, sizeof a - 1, nullptr, nullptr);
  return a;
}

BOOL CALLBACK CollectTop(HWND h, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
  return TRUE;
}

BOOL CALLBACK CollectText(HWND h, LPARAM lp) {
  auto* text = reinterpret_cast<std::string*>(lp);
  if (ClassOf(h) == "Static" && IsWindowVisible(h)) {
    std::string t = StoredText(h);
    if (!t.empty()) *text += (text->empty() ? "" : " / ") + t;
  }
  return TRUE;
}

// The windows of the thread that wait for an answer: shown, enabled, and modal: a dialog, or a
// window shown while another window of the thread is disabled.
std::vector<HWND> Waiting(DWORD thread) {
  std::vector<HWND> top, waiting;
  EnumThreadWindows(thread, CollectTop, reinterpret_cast<LPARAM>(&top));
  bool othersDisabled = false;
  for (HWND h : top) othersDisabled = othersDisabled || (IsWindowVisible(h) && !IsWindowEnabled(h));
  for (HWND h : top) {
    if (!IsWindowVisible(h) || !IsWindowEnabled(h)) continue;
    if (ClassOf(h) == "#32770" || othersDisabled) waiting.push_back(h);
  }
  return waiting;
}

void Fail(HWND h) {
  std::string text;
  EnumChildWindows(h, CollectText, reinterpret_cast<LPARAM>(&text));
  std::string what = "a window waited " + std::to_string(kUnansweredLimit.count() / 1000) +
                     " s for an answer that no responder was going to give: class \"" + ClassOf(h) +
                     "\", caption \"" + StoredText(h) + "\", text \"" + text + "\"; dismissed";
  std::fprintf(stderr, "watchdog: %s\n", what.c_str());
  ADD_FAILURE() << what;
  if (int id = ClassOf(h) == "#32770" ? DismissId(h) : 0) {
    PostClick(h, id);
  } else {
    PostMessageA(h, WM_CLOSE, 0, 0);
  }
}

HANDLE g_stop = nullptr;
HANDLE g_watcher = nullptr;

DWORD WINAPI Watch(void* arg) {
  const DWORD thread = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(arg));
  std::map<HWND, std::chrono::steady_clock::time_point> since;
  while (WaitForSingleObject(g_stop, 50) == WAIT_TIMEOUT) {
    auto now = std::chrono::steady_clock::now();
    std::map<HWND, std::chrono::steady_clock::time_point> still;
    if (!Answering::Anyone()) {
      for (HWND h : Waiting(thread)) {
        auto it = since.find(h);
        still[h] = it == since.end() ? now : it->second;
      }
    }
    since.swap(still);
    for (auto& w : since) {
      if (now - w.second >= kUnansweredLimit) {
        Fail(w.first);
        w.second = now;
      }
    }
  }
  return 0;
}

}  // namespace

void StartWatchdog(DWORD thread) {
  g_stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!g_stop) return;
  g_watcher = CreateThread(nullptr, 0, Watch, reinterpret_cast<void*>(static_cast<UINT_PTR>(thread)), 0, nullptr);
}

void StopWatchdog() {
  // Ended before the program exits: a thread cut off by the exit in the middle of a window call
  // could leave the platform's window lock held for the exit's own clean-up.
  if (g_watcher) {
    SetEvent(g_stop);
    WaitForSingleObject(g_watcher, 10000);
    CloseHandle(g_watcher);
    g_watcher = nullptr;
  }
  if (g_stop) CloseHandle(g_stop);
  g_stop = nullptr;
}

}  // namespace krevtest
