// Colours and fonts as the components describe them; GDI objects are made and cached here.
#pragma once

#include <windows.h>

#include <string>

// An RGB value (0x00BBGGRR) or, with the high bit set, a system colour index (GetSysColor).
using TColor = unsigned long;

constexpr TColor clSystemFlag = 0x80000000ul;
constexpr TColor clDefault = 0x20000000ul;  // the kind's own default (or the parent's colour)
constexpr TColor clBtnFace = clSystemFlag | COLOR_BTNFACE;
constexpr TColor clWindow = clSystemFlag | COLOR_WINDOW;
constexpr TColor clWindowText = clSystemFlag | COLOR_WINDOWTEXT;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clCream = 0xF0FBFF;  // red 255, green 251, blue 240

// The RGB value of a colour, system colours resolved.
COLORREF ColorToRGB(TColor color);
// A solid brush of the colour; owned by the cache, never deleted by the caller.
HBRUSH BrushOf(TColor color);

struct TFont {
  std::string Name = "宋体";
  int Height = 12;              // character height in pixels (the cell height minus the leading)
  bool Bold = false;
  bool Underline = false;
  TColor Color = clWindowText;
  BYTE Charset = GB2312_CHARSET;

  // The GDI font; owned by the cache (one per distinct description), never deleted by the caller.
  HFONT Handle() const;
};
