// Building a form's components from a table, one row per component, in the form's own source:
//
//   BuildLayout<TfrmMain>(this, {
//     // control            name          parent       left top width height caption    handler                     flags
//     {&gbx52Int,           "gbx52Int",   "scbxSetting", 8, 1495, 389, 97, "高级智能特性"},
//     {&chkICW,             "chkICW",     "gbx52Int",   16, 20, 97, 17,   "智能组词",   &TfrmMain::chkICWClick},
//     {Own<TLabel>(),       "",           "gbx15Comp",  16, 22, 0, 0,     "输入栏显示候选字词的最多个数："},
//     {&btnOK,              "btnOK",      "pnlButtonBar", 239, 16, 76, 25, "确定",     &TfrmMain::btnOKClick, lfDefault | lfAnchorTopRight},
//   });
//
// Rows are built in order, so a parent comes before its children; "" as parent is the form.
// The flags set the start state before the handler is bound, so a radio button selected at start
// raises nothing.
#pragma once

#include <initializer_list>
#include <vector>

#include "Control.h"
#include "Form.h"

enum : unsigned {
  lfDefault = 1u << 0,         // the form's default button (Enter)
  lfChecked = 1u << 1,         // check box ticked, radio button selected
  lfDisabled = 1u << 2,
  lfHidden = 1u << 3,
  lfBold = 1u << 4,            // the parent's font in bold
  lfWordWrap = 1u << 5,        // labels
  lfFixedSize = 1u << 6,       // labels keep the given size instead of fitting their text
  lfEditable = 1u << 7,        // combo boxes the user may type into
  lfReadOnly = 1u << 8,        // edits and memos
  lfAnchorTopRight = 1u << 9,  // keeps its distance to the parent's right edge
  lfStretch = 1u << 10,        // left, top and right: widens with the parent
  lfAnchorAll = 1u << 11,      // all four sides
  lfAlignTop = 1u << 12,
  lfAlignBottom = 1u << 13,
  lfAlignLeft = 1u << 14,
  lfAlignClient = 1u << 15,
  lfNoPrefix = 1u << 16,       // labels that show data: "&" is shown, not taken as an accelerator
};

template <class F>
struct TLayoutRow {
  TControl* control;
  const char* name;
  const char* parent;
  int left, top, width, height;
  const char* caption;
  void (F::*onClick)(TObject* sender) = nullptr;
  unsigned flags = 0;
};

// One row: builds `control` inside the named parent, names it, applies the flags and binds the
// handler. Raises std::logic_error for a parent that was not built before.
void BuildLayoutRow(TForm* form, TControl* control, const char* name, const char* parent,
                    const TBounds& bounds, const char* caption, unsigned flags,
                    TNotifyEvent onClick);

template <class F>
void BuildLayout(F* form, std::initializer_list<TLayoutRow<F>> rows) {
  for (const TLayoutRow<F>& r : rows) {
    TNotifyEvent handler;
    if (r.onClick) {
      auto method = r.onClick;
      handler = [form, method](TObject* sender) { (form->*method)(sender); };
    }
    BuildLayoutRow(form, r.control, r.name, r.parent, {r.left, r.top, r.width, r.height},
                   r.caption, r.flags, handler);
  }
}
