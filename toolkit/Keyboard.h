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

// The control after `from` (or before it) among the controls of `from`'s own container that take
// the focus (tab stops, and radio buttons whether or not they are the group's tab stop), wrapping
// around inside the container: where the arrow keys go from a button, check box or radio button.
HWND NextInContainer(HWND root, HWND from, bool backwards);

// The first button or label after `from` whose caption marks `letter` with "&", wrapping around;
// letter case does not count. nullptr when none.
HWND MnemonicTarget(HWND root, HWND from, unsigned char letter);

// The letter a caption marks with "&" ("&&" is a plain "&"), upper-cased; 0 when none.
unsigned char MnemonicOf(const char* caption);
