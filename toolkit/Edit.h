// A one-line edit box.
#pragma once

#include "Control.h"

class TEdit : public TControl {
 public:
  const char* ClassName() const override { return "TEdit"; }
  void Build(TWinControl* parent, const TBounds& bounds, const std::string& caption = "") override;
  void SetReadOnly(bool readOnly);

 protected:
  TColor DefaultColor() const override { return clWindow; }
};
