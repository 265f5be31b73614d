#include "PageControl.h"

#include <stdexcept>

void TPageControl::Build(TWinControl* parent, const TBounds& bounds, const std::string& caption) {
  CreateHandle(parent, "TPageControl", WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, bounds,
               caption);
}

TTabSheet* TPageControl::Page(int index) const {
  return index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr;
}

int TPageControl::ActivePageIndex() const {
  for (int i = 0; i < PageCount(); ++i) {
    if (pages_[static_cast<size_t>(i)]->Visible()) return i;
  }
  return -1;
}

TTabSheet* TPageControl::ActivePage() const { return Page(ActivePageIndex()); }

void TPageControl::SetActivePageIndex(int index) {
  TTabSheet* next = Page(index);
  if (!next) return;
  // Show the new page before hiding the old one, so the focus is never left on a hidden window.
  next->Show();
  next->BringToFront();
  for (TTabSheet* p : pages_) {
    if (p != next) p->Hide();
  }
}

void TPageControl::Realign() {
  TWinControl::Realign();
  if (!handle_) return;
  RECT r;
  GetClientRect(handle_, &r);
  for (TTabSheet* p : pages_) {
    if (p->Handle()) SetWindowPos(p->Handle(), nullptr, 0, 0, r.right, r.bottom,
                                  SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TTabSheet::Build(TWinControl* parent, const TBounds&, const std::string& caption) {
  auto* control = dynamic_cast<TPageControl*>(parent);
  if (!control) throw std::logic_error("a tab sheet belongs in a page control");
  RECT r;
  GetClientRect(control->Handle(), &r);
  bool first = control->pages_.empty();
  CreateHandle(parent, "TTabSheet", (first ? WS_VISIBLE : 0) | WS_CLIPCHILDREN,
               WS_EX_CONTROLPARENT, {0, 0, r.right, r.bottom}, caption);
  control->pages_.push_back(this);
}

TTabSheet::~TTabSheet() {
  if (auto* control = dynamic_cast<TPageControl*>(parent_)) {
    auto& v = control->pages_;
    for (auto it = v.begin(); it != v.end(); ++it) {
      if (*it == this) {
        v.erase(it);
        break;
      }
    }
  }
}
