#include "ScrollBox.h"

#include <algorithm>

namespace {
constexpr int kLine = 8;  // pixels per line of the arrows and the wheel
}

void TScrollBox::Build(TWinControl* parent, const TBounds& bounds, const std::string& caption) {
  CreateHandle(parent, "TScrollBox", WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, bounds,
               caption);
  UpdateBar();
}

void TScrollBox::SetBorder(bool border) {
  if (!handle_) return;
  LONG ex = GetWindowLongA(handle_, GWL_EXSTYLE);
  ex = border ? (ex | WS_EX_CLIENTEDGE) : (ex & ~WS_EX_CLIENTEDGE);
  recordAnchors_ = true;
  SetWindowLongA(handle_, GWL_EXSTYLE, ex);
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  recordAnchors_ = false;
  UpdateBar();
}

void TScrollBox::SetVertRange(int height) {
  range_ = std::max(0, height);
  UpdateBar();
  SetVertPosition(pos_);
}

void TScrollBox::UpdateBar() {
  if (!handle_) return;
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = range_ > 0 ? range_ - 1 : 0;
  si.nPage = static_cast<UINT>(ClientHeight());
  si.nPos = pos_;
  // The bar coming or going narrows the visible area; the content keeps its layout.
  recordAnchors_ = true;
  SetScrollInfo(handle_, SB_VERT, &si, TRUE);
  recordAnchors_ = false;
}

void TScrollBox::SetVertPosition(int pos) {
  if (!handle_) return;
  int maxPos = std::max(0, range_ - ClientHeight());
  pos = std::max(0, std::min(pos, maxPos));
  int delta = pos - pos_;
  pos_ = pos;
  SetScrollPos(handle_, SB_VERT, pos_, TRUE);
  if (delta == 0) return;
  for (TControl* c : children_) {
    if (!c->Handle()) continue;
    SetWindowPos(c->Handle(), nullptr, c->Left(), c->Top() - delta, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TScrollBox::ScrollInView(TControl* control) {
  if (!control || !control->Handle() || !handle_) return;
  RECT r;
  GetWindowRect(control->Handle(), &r);
  MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&r), 2);
  int visible = ClientHeight();
  if (r.top < 0) {
    SetVertPosition(pos_ + r.top);
  } else if (r.bottom > visible) {
    if (r.bottom - r.top > visible) r.bottom = r.top + visible;
    SetVertPosition(pos_ + r.bottom - visible);
  }
}

LRESULT TScrollBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_VSCROLL: {
      SCROLLINFO si = {};
      si.cbSize = sizeof si;
      si.fMask = SIF_ALL;
      GetScrollInfo(handle_, SB_VERT, &si);
      int page = ClientHeight();
      // The message's 16-bit position serves contents of that size; beyond it only the bar's
      // own tracking position is exact.
      int thumb = range_ <= 0xFFFF ? static_cast<int>(HIWORD(wp)) : si.nTrackPos;
      switch (LOWORD(wp)) {
        case SB_LINEUP: SetVertPosition(pos_ - kLine); break;
        case SB_LINEDOWN: SetVertPosition(pos_ + kLine); break;
        case SB_PAGEUP: SetVertPosition(pos_ - page); break;
        case SB_PAGEDOWN: SetVertPosition(pos_ + page); break;
        case SB_TOP: SetVertPosition(0); break;
        case SB_BOTTOM: SetVertPosition(range_); break;
        case SB_THUMBTRACK:
          if (tracking_) SetVertPosition(thumb);
          break;
        case SB_THUMBPOSITION: SetVertPosition(thumb); break;
        default: break;
      }
      return 0;
    }
    case WM_MOUSEWHEEL: {
      int notches = GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA;
      SetVertPosition(pos_ - notches * 3 * kLine);
      return 0;
    }
    case WM_SIZE: {
      LRESULT r = TWinControl::WndProc(msg, wp, lp);
      UpdateBar();
      SetVertPosition(pos_);
      return r;
    }
    default:
      return TWinControl::WndProc(msg, wp, lp);
  }
}
