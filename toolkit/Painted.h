// A component that draws its whole client area itself (panels, images): the paint message hands
// Paint the window's paint DC, and the background is not erased first, since Paint fills it.
#pragma once

#include "Control.h"

template <class Base>
class TPaintedControl : public Base {
 protected:
  // Draws the client area, background included.
  virtual void Paint(HDC dc) = 0;

  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(this->handle_, &ps);
        Paint(dc);
        EndPaint(this->handle_, &ps);
        return 0;
      }
      case WM_ERASEBKGND:
        return 1;
      default:
        return Base::WndProc(msg, wp, lp);
    }
  }
};
