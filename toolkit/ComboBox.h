// A combo box: a drop-down list (the text is the selected item's) or an editable one.
#pragma once

#include "Control.h"

enum TComboStyle { csDropDownList, csDropDown };

class TComboBox : public TControl {
 public:
  const char* ClassName() const override { return "TComboBox"; }
  // The height is that of the closed box; the list drops below it.
  void Build(TWinControl* parent, const TBounds& bounds, const std::string& caption = "") override;
  // Set before Build; csDropDown lets the user type any text.
  void SetStyle(TComboStyle style) { style_ = style; }

  // Replacing the items leaves the box without a selection.
  void SetItems(const std::vector<std::string>& items);
  int Count() const;
  std::string Item(int index) const;  // empty for an index out of range
  // -1 means no selection (the text of a drop-down list is then empty); setting an index that is
  // no item clears the selection.
  int ItemIndex() const;
  void SetItemIndex(int index);
  // Selects the first item equal to the text byte for byte, or none; an editable box then shows
  // the text whether or not it is an item.
  void SetCaption(const std::string& text) override;

 protected:
  // The edit of an editable box takes the focus itself, unseen by the box's own window.
  bool HandleCommand(WORD code) override;

 private:
  TComboStyle style_ = csDropDownList;
};
