// A group frame with an optional caption; radio buttons inside exclude each other.
#pragma once

#include "Control.h"

class TGroupBox : public TWinControl {
 public:
  const char* ClassName() const override { return "TGroupBox"; }
  void Build(TWinControl* parent, const TBounds& bounds, const std::string& caption = "") override;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};
