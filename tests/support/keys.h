// Keys pressed as a user presses them: real input through the system's input queue, taken by the
// toolkit's message loop (so the dialog keyboard handling sees them as it sees a person's keys).
// The window that is to receive them must be shown and in the foreground.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

#include "Application.h"

namespace krevtest {

// Presses `vk` while holding `held` (VK_SHIFT, VK_CONTROL, VK_MENU), releases them all, and runs
// the message loop until the queue is empty, so everything the keys caused has happened.
inline void PressKey(WORD vk, std::initializer_list<WORD> held = {}) {
  std::vector<INPUT> in;
  auto key = [&in](WORD k, bool up) {
    INPUT i = {};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = k;
    i.ki.wScan = static_cast<WORD>(MapVirtualKeyA(k, MAPVK_VK_TO_VSC));
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  };
  for (WORD k : held) key(k, false);
  key(vk, false);
  key(vk, true);
  for (auto it = held.end(); it != held.begin();) key(*--it, true);
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
  Application.ProcessMessages();
}

}  // namespace krevtest
