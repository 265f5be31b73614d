#include "ComboBox.h"

namespace {
constexpr int kListHeight = 200;  // room for the dropped-down list below the box
}

void TComboBox::Build(TWinControl* parent, const TBounds& bounds, const std::string& caption) {
  DWORD style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL |
                (style_ == csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL);
  TBounds b = bounds;
  b.Height += kListHeight;
  CreateHandle(parent, "ComboBox", style, 0, b, "");
  if (!caption.empty()) SetCaption(caption);
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
  if (!handle_) return;
  SendMessageA(handle_, CB_RESETCONTENT, 0, 0);
  for (const std::string& s : items)
    SendMessageA(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
}

int TComboBox::Count() const {
  return handle_ ? static_cast<int>(SendMessageA(handle_, CB_GETCOUNT, 0, 0)) : 0;
}

std::string TComboBox::Item(int index) const {
  if (!handle_ || index < 0 || index >= Count()) return std::string();
  LRESULT n = SendMessageA(handle_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n == CB_ERR) return std::string();
  std::string s(static_cast<size_t>(n) + 1, '\0');
  n = SendMessageA(handle_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&s[0]));
  s.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return s;
}

int TComboBox::ItemIndex() const {
  if (!handle_) return -1;
  LRESULT i = SendMessageA(handle_, CB_GETCURSEL, 0, 0);
  return i == CB_ERR ? -1 : static_cast<int>(i);
}

void TComboBox::SetItemIndex(int index) {
  if (!handle_) return;
  // An index that is no item clears the selection.
  if (index < 0 || index >= Count()) index = -1;
  SendMessageA(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TComboBox::SetCaption(const std::string& text) {
  if (!handle_) return;
  // The list's own search ignores letter case; the text must match exactly.
  int match = -1;
  int n = Count();
  for (int i = 0; i < n && match < 0; ++i) {
    if (Item(i) == text) match = i;
  }
  SetItemIndex(match);
  // An editable box shows the text even when it is no item; its list marks the equal item.
  if (style_ == csDropDown) SetWindowTextA(handle_, text.c_str());
}

bool TComboBox::HandleCommand(WORD code) {
  if (code == CBN_SETFOCUS) ShowInScrollBoxes();
  return false;
}
