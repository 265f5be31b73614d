// A tree view with fixed nodes. OnChange runs on every change of the selected node, whether the
// mouse, the keyboard or the program makes it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>

#include "Control.h"

class TImageList;
class TTreeView;

class TTreeNode {
 public:
  const std::string& Text() const { return text_; }
  int Level() const;
  TTreeNode* Parent() const { return parent_; }
  // Position in the tree's flat list, parents before their children.
  int AbsoluteIndex() const;
  int ImageIndex() const { return image_; }
  int SelectedIndex() const { return selectedImage_; }
  bool Selected() const;
  bool Expanded() const;

 private:
  friend class TTreeView;
  void Expand();
  TTreeView* tree_ = nullptr;
  TTreeNode* parent_ = nullptr;
  HTREEITEM item_ = nullptr;
  std::string text_;
  int image_ = -1, selectedImage_ = -1;
};

using TTVChangedEvent = std::function<void(TObject* sender, TTreeNode* node)>;

class TTreeView : public TControl {
 public:
  const char* ClassName() const override { return "TTreeView"; }
  // Options are read at Build.
  void Build(TWinControl* parent, const TBounds& bounds, const std::string& caption = "") override;
  void SetShowRoot(bool v) { showRoot_ = v; }      // lines and buttons at the root level
  void SetHotTrack(bool v) { hotTrack_ = v; }
  void SetReadOnly(bool v) { readOnly_ = v; }      // node texts cannot be edited
  void SetBorder(bool v) { border_ = v; }
  void SetIndent(int pixels);
  int Indent() const;
  void SetImages(TImageList* images);

  // Appends a node under `parent` (nullptr: at the root).
  TTreeNode* Add(TTreeNode* parent, const std::string& text, int imageIndex = -1,
                 int selectedIndex = -1);
  int Count() const { return static_cast<int>(nodes_.size()); }
  // The node at a flat index, nullptr out of range.
  TTreeNode* Item(int index) const;
  TTreeNode* Selected() const;
  void Select(TTreeNode* node);  // runs OnChange when the selection changes
  void FullExpand();

  TTVChangedEvent OnChange;

 protected:
  TColor DefaultColor() const override { return clWindow; }
  bool HandleNotify(NMHDR* hdr, LRESULT& result) override;

 private:
  TTreeNode* NodeOf(HTREEITEM item) const;
  std::vector<std::unique_ptr<TTreeNode>> nodes_;  // flat order
  bool showRoot_ = true;
  bool hotTrack_ = false, readOnly_ = false, border_ = true;
};
