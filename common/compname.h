// The name of a component on its window, as the toolkit publishes it and an outside driver reads it:
// the window property "KrevName" holds a global atom of the name. A global atom keeps the letter
// case of whoever added the name first (kvcfgwiz's "rdbxQuanpin" makes krevcfg's "rdbxQuanPin"
// read so in the same session), so names are compared without regard to case; they are unique
// that way too.
#pragma once

#include <windows.h>

#include <string>

namespace krev {

constexpr const char kComponentNameProp[] = "KrevName";

// The name the atom on `hwnd` reads (its letter case possibly another program's); empty when none.
std::string PublishedComponentName(HWND hwnd);

// Whether two component names are the same without regard to letter case (names are ASCII; other
// bytes compare exactly).
bool SameComponentName(const std::string& a, const std::string& b);

}  // namespace krev
