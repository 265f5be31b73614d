// A static text. Auto size makes it as large as its text (with word wrap: as tall as the wrapped
// text at its width); the link look is an underlined, coloured caption with a hand cursor whose
// click runs OnClick. A static control reads "&" as the mark of an accelerator (underlining the
// next character, "&&" for one "&"); a label that shows data turns that off and shows its text as
// it is.
#pragma once

#include "Control.h"

class TLabel : public TControl {
 public:
  const char* ClassName() const override { return "TLabel"; }
  // Options are read at Build; a width or height of 0 asks for auto size.
  void Build(TWinControl* parent, const TBounds& bounds, const std::string& caption = "") override;
  void SetAutoSize(bool autoSize);
  void SetWordWrap(bool wrap);
  // false: "&" is shown as it is (SS_NOPREFIX), in what is drawn and in what auto size measures.
  void SetShowAccelChar(bool show);
  void SetTransparent(bool transparent) { transparent_ = transparent; Invalidate(); }
  // Underlined caption in `color`, hand cursor.
  void SetLinkLook(TColor color);
  bool LinkLook() const { return link_; }

  void SetCaption(const std::string& text) override;
  void SetFont(const TFont& font) override;

 protected:
  bool HandleCommand(WORD code) override;
  void ApplyFont() override;
  HBRUSH HandleCtlColor(HDC dc) override;
  HCURSOR Cursor() const override;

 private:
  void ApplyStyle();
  void AdjustSize();
  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  bool transparent_ = false;
  bool link_ = false;
};
