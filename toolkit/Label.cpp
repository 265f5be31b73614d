#include "Label.h"

void TLabel::Build(TWinControl* parent, const TBounds& bounds, const std::string& caption) {
  DWORD style = WS_VISIBLE | SS_NOTIFY | (wordWrap_ ? SS_LEFT : SS_LEFTNOWORDWRAP) |
                (showAccelChar_ ? 0 : SS_NOPREFIX);
  CreateHandle(parent, "Static", style, 0, bounds, caption);
  AdjustSize();
}

void TLabel::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  AdjustSize();
}

void TLabel::SetWordWrap(bool wrap) {
  wordWrap_ = wrap;
  ApplyStyle();
  AdjustSize();
}

void TLabel::SetShowAccelChar(bool show) {
  showAccelChar_ = show;
  ApplyStyle();
  AdjustSize();
}

void TLabel::ApplyStyle() {
  if (!handle_) return;
  LONG style = GetWindowLongA(handle_, GWL_STYLE) & ~(SS_TYPEMASK | SS_NOPREFIX);
  style |= (wordWrap_ ? SS_LEFT : SS_LEFTNOWORDWRAP) | (showAccelChar_ ? 0 : SS_NOPREFIX);
  SetWindowLongA(handle_, GWL_STYLE, style);
  Invalidate();
}

void TLabel::SetLinkLook(TColor color) {
  TFont f = font_;
  f.Underline = true;
  f.Color = color;
  SetFont(f);
  link_ = true;
}

void TLabel::SetCaption(const std::string& text) {
  TControl::SetCaption(text);
  AdjustSize();
  Invalidate();
}

void TLabel::SetFont(const TFont& font) {
  TControl::SetFont(font);
  Invalidate();
}

void TLabel::ApplyFont() {
  TControl::ApplyFont();
  AdjustSize();
}

void TLabel::AdjustSize() {
  if (!handle_ || !autoSize_) return;
  std::string text = Caption();
  HDC dc = GetDC(handle_);
  HGDIOBJ old = SelectObject(dc, font_.Handle());
  RECT r = {0, 0, wordWrap_ ? Width() : 0, 0};
  UINT flags = DT_CALCRECT | DT_LEFT | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) |
               (showAccelChar_ ? 0 : DT_NOPREFIX);
  if (text.empty()) {
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    r.bottom = tm.tmHeight;
  } else {
    DrawTextA(dc, text.c_str(), -1, &r, flags);
  }
  SelectObject(dc, old);
  ReleaseDC(handle_, dc);
  // A word-wrapped label keeps its width and grows or shrinks in height only.
  int width = wordWrap_ ? Width() : r.right - r.left;
  SetWindowPos(handle_, nullptr, 0, 0, width, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TLabel::HandleCommand(WORD code) {
  if (code != STN_CLICKED) return false;
  Click();
  return true;
}

HBRUSH TLabel::HandleCtlColor(HDC dc) {
  HBRUSH b = TControl::HandleCtlColor(dc);
  if (transparent_) SetBkMode(dc, TRANSPARENT);
  return b;
}

HCURSOR TLabel::Cursor() const {
  return link_ ? LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)) : nullptr;
}
