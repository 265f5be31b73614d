#include "Graphics.h"

#include <map>
#include <utility>
#include <vector>

COLORREF ColorToRGB(TColor color) {
  if (color & clSystemFlag) return GetSysColor(static_cast<int>(color & 0xFF));
  if (color == clDefault) return GetSysColor(COLOR_BTNFACE);
  return static_cast<COLORREF>(color & 0xFFFFFF);
}

HBRUSH BrushOf(TColor color) {
  static std::map<COLORREF, HBRUSH> brushes;
  COLORREF rgb = ColorToRGB(color);
  auto it = brushes.find(rgb);
  if (it != brushes.end()) return it->second;
  HBRUSH b = CreateSolidBrush(rgb);
  brushes.emplace(rgb, b);
  return b;
}

HFONT TFont::Handle() const {
  // The colour is no part of a GDI font.
  static std::vector<std::pair<TFont, HFONT>> fonts;
  for (const auto& f : fonts) {
    const TFont& k = f.first;
    if (k.Name == Name && k.Height == Height && k.Bold == Bold && k.Underline == Underline &&
        k.Charset == Charset)
      return f.second;
  }
  HFONT h = CreateFontA(-Height, 0, 0, 0, Bold ? FW_BOLD : FW_NORMAL, FALSE, Underline, FALSE,
                        Charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, Name.c_str());
  fonts.emplace_back(*this, h);
  return h;
}
