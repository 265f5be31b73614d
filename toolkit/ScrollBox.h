// A scroll box: a content taller than the visible area, scrolled vertically. Children are placed in
// content coordinates at scroll position 0 and move with the position; Top() of a child is measured
// from the top of the visible area.
#pragma once

#include "Control.h"

class TScrollBox : public TWinControl {
 public:
  const char* ClassName() const override { return "TScrollBox"; }
  void Build(TWinControl* parent, const TBounds& bounds, const std::string& caption = "") override;

  // Height of the content; the scroll bar shows while it exceeds the visible height.
  int VertRange() const { return range_; }
  void SetVertRange(int height);
  // Scroll position, kept within 0 to (range - visible height).
  int VertPosition() const { return pos_; }
  void SetVertPosition(int pos);
  // Whether the content follows the thumb while it is dragged.
  void SetTracking(bool tracking) { tracking_ = tracking; }
  // A sunken border around the box.
  void SetBorder(bool border);
  // Scrolls by the least amount that brings `control` (a descendant) wholly into view: a control
  // above the visible area comes to its top edge, one below it to its bottom edge.
  void ScrollInView(TControl* control);
  int ScrollOffset() const override { return pos_; }
  void BringIntoView(TControl* control) override { ScrollInView(control); }

 protected:
  TColor DefaultColor() const override { return clBtnFace; }
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void UpdateBar();
  int range_ = 0;
  int pos_ = 0;
  bool tracking_ = false;
};
