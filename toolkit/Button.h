// A push button; OnClick runs when it is pressed (mouse, keyboard, Enter as default button, Click()).
#pragma once

#include "Control.h"

class TButton : public TControl {
 public:
  const char* ClassName() const override { return "TButton"; }
  void Build(TWinControl* parent, const TBounds& bounds, const std::string& caption = "") override;
  // The default button of its form draws a heavier frame; the form routes Enter to it.
  void SetDefault(bool isDefault);
  bool IsDefault() const;

 protected:
  bool HandleCommand(WORD code) override;
};
