// A panel: a coloured area with an optional caption and bevels; holds other components. Also the
// "rule" of the pages (a 2-pixel panel with a raised bevel and no caption).
#pragma once

#include "Painted.h"

enum TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TPaintedControl<TWinControl> {
 public:
  const char* ClassName() const override { return "TPanel"; }
  void Build(TWinControl* parent, const TBounds& bounds, const std::string& caption = "") override;

  void SetCaption(const std::string& text) override;
  void SetAlignment(TAlignment a);      // of the caption, which is centred vertically
  void SetBevelOuter(TBevelCut cut);
  void SetBevelInner(TBevelCut cut);
  void SetBevelWidth(int width);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  int BevelWidth() const { return bevelWidth_; }

 protected:
  TColor DefaultColor() const override { return clBtnFace; }
  RECT AlignRect() const override;
  void Paint(HDC dc) override;

 private:
  // The width of the bevels, inside which aligned children are laid out.
  int BorderInset() const;
  TAlignment alignment_ = taCenter;
  TBevelCut bevelOuter_ = bvRaised;
  TBevelCut bevelInner_ = bvNone;
  int bevelWidth_ = 1;
};
