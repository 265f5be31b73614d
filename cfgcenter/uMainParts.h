// Small pieces that several of the main window's page files share.
#pragma once

#include "Toolkit.h"

// The heading of a page or a settings section: purple, white bold 宋体 12 px, left-aligned, no
// bevel. Its caption begins with two blanks.
inline void StyleCaptionPanel(TPanel& panel) {
  TFont font;
  font.Bold = true;
  font.Color = clWhite;
  panel.SetColor(clPurple);
  panel.SetFont(font);
  panel.SetAlignment(taLeftJustify);
  panel.SetBevelOuter(bvNone);
  panel.SetBevelInner(bvNone);
}
