// Keyboard navigation inside a form as the user meets it. The tab order is the order of the
// windows (stacking order, containers entered in place), as in any dialog. A control takes part
// only when the user can see it: it and its containers are shown and enabled, and none of them
// lies wholly under a sibling above it (a page of a stack that is not in front), so Tab, the arrow
// keys and Alt+letter never reach a control behind the page in front.
#pragma once

#include <windows.h>

// The tab stop after `from` (or before it) in the tab order of the top-level window `root`,
// wrapping around; `from` itself when it is the only one, nullptr when there is none. A `from`
// outside `root` starts at the first (or last) tab stop.
HWND NextTabStop(HWND root, HWND from, bool backwards);

// The tab stop after `from` (or before it) among the tab stops of `from`'s own container, wrapping
// around inside the container: where the arrow keys go from a button, check box, edit or tree.
HWND NextInContainer(HWND root, HWND from, bool backwards);

// The radio button after `from` (or before it) in `from`'s group, the radio buttons of its
// container, wrapping around inside the group: where the arrow keys go from a radio button. They
// never leave the group for a check box, an edit or a combo box.
HWND NextInRadioGroup(HWND root, HWND from, bool backwards);

// Whether the user can reach `h` with the keyboard: it and its containers are shown and enabled,
// and none of them lies under a sibling above it. A window inside a control (the edit of an
// editable combo box) is reachable with its control.
bool IsReachable(HWND root, HWND h);

// Where the keyboard enters `container` (a page, or the whole window `root`): its first tab stop
// the user can reach, except that a container whose tab stops are all push buttons is entered at
// `defaultButton` when that is one of them, so Enter still does what the page's default button
// does. nullptr when the container has no reachable tab stop.
HWND EntryOf(HWND root, HWND container, HWND defaultButton);

// Whether `h` is a radio button, a push button.
bool IsRadioButton(HWND h);
bool IsPushButton(HWND h);

// The first button or label after `from` whose caption marks `letter` with "&", wrapping around;
// letter case does not count. nullptr when none.
HWND MnemonicTarget(HWND root, HWND from, unsigned char letter);

// The letter a caption marks with "&" ("&&" is a plain "&"), upper-cased; 0 when none.
unsigned char MnemonicOf(const char* caption);
