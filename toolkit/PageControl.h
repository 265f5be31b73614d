// A page control whose tabs are hidden: no tab strip is drawn, each page fills the whole control
// and only the program switches pages.
#pragma once

#include "Control.h"

class TTabSheet : public TWinControl {
 public:
  ~TTabSheet() override;
  const char* ClassName() const override { return "TTabSheet"; }
  // The parent must be a TPageControl; the bounds are ignored (a page fills its control).
  void Build(TWinControl* parent, const TBounds& bounds, const std::string& caption = "") override;

 protected:
  TColor DefaultColor() const override { return clDefault; }
};

class TPageControl : public TWinControl {
 public:
  const char* ClassName() const override { return "TPageControl"; }
  void Build(TWinControl* parent, const TBounds& bounds, const std::string& caption = "") override;

  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Page(int index) const;
  // The visible page, -1 / nullptr before one is chosen.
  int ActivePageIndex() const;
  TTabSheet* ActivePage() const;
  void SetActivePageIndex(int index);

 protected:
  TColor DefaultColor() const override { return clDefault; }
  void Realign() override;

 private:
  friend class TTabSheet;
  std::vector<TTabSheet*> pages_;
};
