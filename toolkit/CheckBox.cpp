#include "CheckBox.h"

#include <vector>

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

namespace {

// Only one radio button of a group, the radio buttons of one parent, is a tab stop: the selected
// one, or the first while none is. Tab enters the group there and leaves it with the next Tab.
// (The button class sets and clears the style itself on every check and uncheck, which would
// leave every button that was never unchecked a tab stop.)
void UpdateGroupTabStops(TWinControl* parent) {
  if (!parent) return;
  std::vector<HWND> group;
  HWND stop = nullptr;
  for (TControl* c : parent->Controls()) {
    auto* radio = dynamic_cast<TRadioButton*>(c);
    if (!radio || !radio->Handle()) continue;
    group.push_back(radio->Handle());
    if (!stop && radio->Checked()) stop = radio->Handle();
  }
  if (group.empty()) return;
  if (!stop) stop = group.front();
  for (HWND h : group) {
    LONG style = GetWindowLongA(h, GWL_STYLE);
    LONG want = h == stop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
    if (want != style) SetWindowLongA(h, GWL_STYLE, want);
  }
}

}  // namespace

void TRadioButton::Build(TWinControl* parent, const TBounds& bounds, const std::string& caption) {
  CreateHandle(parent, "Button", WS_VISIBLE | BS_RADIOBUTTON, 0, bounds, caption);
  UpdateGroupTabStops(parent_);
}

bool TRadioButton::Checked() const {
  return handle_ && SendMessageA(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TRadioButton::SetChecked(bool checked) {
  if (!handle_) return;
  if (!checked) {
    SendMessageA(handle_, BM_SETCHECK, BST_UNCHECKED, 0);
    UpdateGroupTabStops(parent_);
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
  UpdateGroupTabStops(parent_);
  Click();
}

bool TRadioButton::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  SetChecked(true);
  return true;
}
