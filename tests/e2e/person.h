// A person at the keyboard and mouse of the screen the programs show on: keys and clicks go in as
// real input (SendInput) through the system's input queue to the window in front, through the
// program's own message loop, focus and key state, as a user's do. What they did is read from
// outside: the focus of the program's thread, the controls' states, the registry.
//
// Each key is followed by a marker key that no control takes (F24). A message hook of the person's
// (keyprobe.dll, which the system loads into the program) tells when the program's thread takes
// the marker out of its queue, which it does only once it has handled everything before it: what
// those keys caused has happened. A program that stops answering fails the press within seconds.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <type_traits>

namespace e2e {

class Person {
 public:
  // At the window `main`: watches the keys its thread takes and puts it in front; presses fail
  // when it cannot.
  explicit Person(HWND main);

  // Puts the window in front, as a click on its title bar would; false when it does not come.
  bool Front(HWND top);
  // Presses `vk` while holding `held` (VK_SHIFT, VK_CONTROL, VK_MENU) and waits until the program
  // has taken it; false when the window in front is not the program's, or the program did not
  // take the key within seconds (it hangs, or waits in a window of another thread).
  bool Press(WORD vk, std::initializer_list<WORD> held = {});
  // Presses the same key `times` times.
  bool PressTimes(WORD vk, int times);
  // Clicks the middle of `control` with the left button and waits until the program took it.
  bool Click(HWND control);
  // Waits until the program has taken every key and click sent so far.
  bool Settled();

  // The control with the keyboard focus (the component holding it: the edit inside an editable
  // combo box counts as the box), nullptr when none; its component name.
  HWND Focus() const;
  std::string FocusName() const;

 private:
  bool Send(std::initializer_list<WORD> keys, bool up);
  HWND main_;
  DWORD thread_ = 0;
  // Set by the probe when the program takes the marker; the hook that loads the probe there. Both go
  // with the person, who cannot be copied.
  std::unique_ptr<void, decltype(&CloseHandle)> taken_{nullptr, &CloseHandle};
  std::unique_ptr<std::remove_pointer_t<HHOOK>, decltype(&UnhookWindowsHookEx)> hook_{nullptr, &UnhookWindowsHookEx};
};

}  // namespace e2e
