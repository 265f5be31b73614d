#include "GroupBox.h"

void TGroupBox::Build(TWinControl* parent, const TBounds& bounds, const std::string& caption) {
  CreateHandle(parent, "Button", WS_VISIBLE | WS_CLIPCHILDREN | BS_GROUPBOX, WS_EX_CONTROLPARENT,
               bounds, caption);
}

LRESULT TGroupBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  // The button class lets clicks on a group frame fall through to the window below; here the
  // frame holds the controls, so it is hit like any container.
  if (msg == WM_NCHITTEST) return HTCLIENT;
  return TWinControl::WndProc(msg, wp, lp);
}
