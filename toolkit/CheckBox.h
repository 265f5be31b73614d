// Check box and radio button. Their state changes only through SetChecked, the user's click goes
// the same way, so the events are the same whoever makes the change:
// - a check box runs OnClick on every change of its tick;
// - a radio button runs OnClick when it changes from not selected to selected, after clearing the
//   other radio buttons of the same parent (and only those); selecting a selected one does nothing.
#pragma once

#include "Control.h"

class TCheckBox : public TControl {
 public:
  const char* ClassName() const override { return "TCheckBox"; }
  void Build(TWinControl* parent, const TBounds& bounds, const std::string& caption = "") override;
  bool Checked() const;
  void SetChecked(bool checked);

 protected:
  bool HandleCommand(WORD code) override;
};

class TRadioButton : public TControl {
 public:
  const char* ClassName() const override { return "TRadioButton"; }
  void Build(TWinControl* parent, const TBounds& bounds, const std::string& caption = "") override;
  bool Checked() const;
  // true clears the siblings and runs OnClick when this one was not selected; false only clears it.
  void SetChecked(bool checked);

 protected:
  bool HandleCommand(WORD code) override;
};
