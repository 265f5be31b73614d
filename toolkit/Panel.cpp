#include "Panel.h"

void TPanel::Build(TWinControl* parent, const TBounds& bounds, const std::string& caption) {
  CreateHandle(parent, "TPanel", WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, bounds, caption);
}

void TPanel::SetCaption(const std::string& text) {
  TControl::SetCaption(text);
  Invalidate();
}

void TPanel::SetAlignment(TAlignment a) {
  alignment_ = a;
  Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut cut) {
  bevelOuter_ = cut;
  Realign();
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut cut) {
  bevelInner_ = cut;
  Realign();
  Invalidate();
}

void TPanel::SetBevelWidth(int width) {
  bevelWidth_ = width;
  Realign();
  Invalidate();
}

int TPanel::BorderInset() const {
  return (bevelOuter_ != bvNone ? bevelWidth_ : 0) + (bevelInner_ != bvNone ? bevelWidth_ : 0);
}

RECT TPanel::AlignRect() const {
  RECT r = TWinControl::AlignRect();
  InflateRect(&r, -BorderInset(), -BorderInset());
  return r;
}

static void Frame(HDC dc, RECT& r, TBevelCut cut, int width) {
  if (cut == bvNone) return;
  HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  HPEN dark = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  HPEN topLeft = cut == bvRaised ? light : dark;
  HPEN bottomRight = cut == bvRaised ? dark : light;
  HGDIOBJ old = SelectObject(dc, topLeft);
  for (int i = 0; i < width && r.right > r.left && r.bottom > r.top; ++i) {
    SelectObject(dc, topLeft);
    MoveToEx(dc, r.left, r.bottom - 1, nullptr);
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.right, r.top);
    SelectObject(dc, bottomRight);
    MoveToEx(dc, r.right - 1, r.top + 1, nullptr);
    LineTo(dc, r.right - 1, r.bottom - 1);
    LineTo(dc, r.left, r.bottom - 1);
    InflateRect(&r, -1, -1);
  }
  SelectObject(dc, old);
  DeleteObject(light);
  DeleteObject(dark);
}

void TPanel::Paint(HDC dc) {
  RECT r;
  GetClientRect(handle_, &r);
  FillRect(dc, &r, BrushOf(EffectiveColor()));
  Frame(dc, r, bevelOuter_, bevelWidth_);
  Frame(dc, r, bevelInner_, bevelWidth_);
  std::string text = Caption();
  if (text.empty()) return;
  HGDIOBJ oldFont = SelectObject(dc, font_.Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(font_.Color));
  UINT align = alignment_ == taCenter ? DT_CENTER : DT_LEFT;
  DrawTextA(dc, text.c_str(), -1, &r, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
}
