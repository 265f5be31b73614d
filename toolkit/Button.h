// A push button; OnClick runs when it is pressed (mouse, keyboard, Enter as default button).
#pragma once

#include "Control.h"

class TButton : public TControl {
 public:
  const char* ClassName() const override { return "TButton"; }
  void Build(TWinControl* parent, const TBounds& bounds, const std::string& caption = "") override;
  // Whether it looks default (a heavier frame): the form's default button, or the push button
  // the keyboard moved the focus to (TForm::SetDefaultButton, Keyboard.h).
  bool IsDefault() const;

 protected:
  bool HandleCommand(WORD code) override;
};
