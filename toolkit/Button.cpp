#include "Button.h"

#include "Form.h"

static TForm* FormOf(TControl* c) {
  for (TControl* p = c; p; p = p->Parent()) {
    if (auto* f = dynamic_cast<TForm*>(p)) return f;
  }
  return nullptr;
}

void TButton::Build(TWinControl* parent, const TBounds& bounds, const std::string& caption) {
  CreateHandle(parent, "Button", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, bounds, caption);
}

void TButton::SetDefault(bool isDefault) {
  TForm* form = FormOf(this);
  if (!form) return;
  if (isDefault) form->SetDefaultButton(this);
  else if (form->DefaultButton() == this) form->SetDefaultButton(nullptr);
}

bool TButton::IsDefault() const {
  return handle_ && (GetWindowLongA(handle_, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

bool TButton::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  Click();
  return true;
}
