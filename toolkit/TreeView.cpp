#include "TreeView.h"

#include "ImageList.h"

int TTreeNode::Level() const {
  int level = 0;
  for (TTreeNode* p = parent_; p; p = p->parent_) ++level;
  return level;
}

int TTreeNode::AbsoluteIndex() const {
  for (int i = 0; i < tree_->Count(); ++i) {
    if (tree_->Item(i) == this) return i;
  }
  return -1;
}

bool TTreeNode::Selected() const { return tree_->Selected() == this; }

bool TTreeNode::Expanded() const {
  return (SendMessageA(tree_->Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item_),
                       TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void TTreeNode::Expand() {
  SendMessageA(tree_->Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item_));
}

void TTreeView::Build(TWinControl* parent, const TBounds& bounds, const std::string& caption) {
  DWORD style = WS_VISIBLE | WS_TABSTOP | TVS_SHOWSELALWAYS | TVS_HASLINES | TVS_HASBUTTONS;
  if (hotTrack_) style |= TVS_TRACKSELECT;
  if (!readOnly_) style |= TVS_EDITLABELS;
  if (showRoot_) style |= TVS_LINESATROOT;
  CreateHandle(parent, WC_TREEVIEWA, style, border_ ? WS_EX_CLIENTEDGE : 0, bounds, caption);
  if (color_ != clDefault)
    SendMessageA(handle_, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(color_)));
}

void TTreeView::SetIndent(int pixels) {
  if (handle_) SendMessageA(handle_, TVM_SETINDENT, static_cast<WPARAM>(pixels), 0);
}

int TTreeView::Indent() const {
  return handle_ ? static_cast<int>(SendMessageA(handle_, TVM_GETINDENT, 0, 0)) : 0;
}

void TTreeView::SetImages(TImageList* images) {
  if (handle_)
    SendMessageA(handle_, TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

TTreeNode* TTreeView::Add(TTreeNode* parent, const std::string& text, int imageIndex,
                          int selectedIndex) {
  auto node = std::make_unique<TTreeNode>();
  node->tree_ = this;
  node->parent_ = parent;
  node->text_ = text;
  node->image_ = imageIndex;
  node->selectedImage_ = selectedIndex;
  TVINSERTSTRUCTA ins = {};
  ins.hParent = parent ? parent->item_ : TVI_ROOT;
  ins.hInsertAfter = TVI_LAST;
  ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  ins.item.pszText = const_cast<char*>(node->text_.c_str());
  ins.item.iImage = imageIndex;
  ins.item.iSelectedImage = selectedIndex;
  ins.item.lParam = reinterpret_cast<LPARAM>(node.get());
  node->item_ = reinterpret_cast<HTREEITEM>(
      SendMessageA(handle_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
  TTreeNode* raw = node.get();
  // Kept in the tree's flat order: after the parent's last descendant.
  size_t at = nodes_.size();
  if (parent) {
    for (size_t i = 0; i < nodes_.size(); ++i) {
      if (nodes_[i].get() != parent) continue;
      size_t j = i + 1;
      while (j < nodes_.size() && nodes_[j]->Level() > parent->Level()) ++j;
      at = j;
      break;
    }
  }
  nodes_.insert(nodes_.begin() + static_cast<std::ptrdiff_t>(at), std::move(node));
  return raw;
}

TTreeNode* TTreeView::Item(int index) const {
  return index >= 0 && index < Count() ? nodes_[static_cast<size_t>(index)].get() : nullptr;
}

TTreeNode* TTreeView::NodeOf(HTREEITEM item) const {
  if (!item) return nullptr;
  for (const auto& n : nodes_) {
    if (n->item_ == item) return n.get();
  }
  return nullptr;
}

TTreeNode* TTreeView::Selected() const {
  if (!handle_) return nullptr;
  return NodeOf(reinterpret_cast<HTREEITEM>(
      SendMessageA(handle_, TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TTreeView::Select(TTreeNode* node) {
  if (handle_)
    SendMessageA(handle_, TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(node ? node->item_ : nullptr));
}

void TTreeView::FullExpand() {
  for (const auto& n : nodes_) n->Expand();
}

bool TTreeView::HandleNotify(NMHDR* hdr, LRESULT& result) {
  switch (hdr->code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW: {
      // Both forms carry the new item's handle at the same place.
      auto* nm = reinterpret_cast<NMTREEVIEWA*>(hdr);
      TTreeNode* node = NodeOf(nm->itemNew.hItem);
      result = 0;
      if (OnChange) OnChange(this, node);
      return true;
    }
    case TVN_BEGINLABELEDITA:
    case TVN_BEGINLABELEDITW:
      result = readOnly_ ? TRUE : FALSE;
      return true;
    default:
      return false;
  }
}
