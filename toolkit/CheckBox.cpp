#include "CheckBox.h"

// Both are plain (not automatic) buttons: the toolkit keeps their state, so that a click by the
// user and a change by the program raise the same events.

void TCheckBox::Build(TWinControl* parent, const TBounds& bounds, const std::string& caption) {
  CreateHandle(parent, "Button", WS_VISIBLE | WS_TABSTOP | BS_CHECKBOX, 0, bounds, caption);
}

bool TCheckBox::Checked() const {
  return handle_ && SendMessageA(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
  if (!handle_ || Checked() == checked) return;
  SendMessageA(handle_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  Click();
}

bool TCheckBox::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  SetChecked(!Checked());
  return true;
}

void TRadioButton::Build(TWinControl* parent, const TBounds& bounds, const std::string& caption) {
  CreateHandle(parent, "Button", WS_VISIBLE | WS_TABSTOP | BS_RADIOBUTTON, 0, bounds, caption);
}

bool TRadioButton::Checked() const {
  return handle_ && SendMessageA(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TRadioButton::SetChecked(bool checked) {
  if (!handle_) return;
  if (!checked) {
    SendMessageA(handle_, BM_SETCHECK, BST_UNCHECKED, 0);
    return;
  }
  if (Checked()) return;
  if (parent_) {
    for (TControl* c : parent_->Controls()) {
      if (c != this && c->Handle() && dynamic_cast<TRadioButton*>(c))
        SendMessageA(c->Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
  SendMessageA(handle_, BM_SETCHECK, BST_CHECKED, 0);
  Click();
}

bool TRadioButton::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  SetChecked(true);
  return true;
}
