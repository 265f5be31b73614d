#include "Button.h"

void TButton::Build(TWinControl* parent, const TBounds& bounds, const std::string& caption) {
  CreateHandle(parent, "Button", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, bounds, caption);
}

bool TButton::IsDefault() const {
  return handle_ && (GetWindowLongA(handle_, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

bool TButton::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  Click();
  return true;
}
