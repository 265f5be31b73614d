#include "Layout.h"

#include <stdexcept>

#include "Button.h"
#include "CheckBox.h"
#include "ComboBox.h"
#include "Edit.h"
#include "Label.h"
#include "Memo.h"

void BuildLayoutRow(TForm* form, TControl* control, const char* name, const char* parent,
                    const TBounds& bounds, const char* caption, unsigned flags,
                    TNotifyEvent onClick) {
  std::string n = name ? name : "";
  TWinControl* container = form;
  if (parent && *parent) {
    container = dynamic_cast<TWinControl*>(form->FindControl(parent));
    if (!container)
      throw std::logic_error("layout row " + n + ": parent " + parent + " not built before it");
  }
  if (!control) throw std::logic_error("layout row " + n + ": no control");

  // Options that the window's style carries are set before the window exists.
  if (auto* combo = dynamic_cast<TComboBox*>(control))
    combo->SetStyle((flags & lfEditable) ? csDropDown : csDropDownList);
  auto* label = dynamic_cast<TLabel*>(control);
  if (label) {
    label->SetWordWrap((flags & lfWordWrap) != 0);
    if (flags & lfFixedSize) label->SetAutoSize(false);
    if (flags & lfNoPrefix) label->SetShowAccelChar(false);
  }
  control->SetName(n);
  control->Build(container, bounds, caption ? caption : "");

  if (flags & lfBold) {
    TFont f = control->Font();
    f.Bold = true;
    control->SetFont(f);
  }
  if (flags & lfReadOnly) {
    if (auto* e = dynamic_cast<TEdit*>(control)) e->SetReadOnly(true);
    if (auto* m = dynamic_cast<TMemo*>(control)) m->SetReadOnly(true);
  }
  // The start state comes before the handler, so it raises nothing.
  if (flags & lfChecked) {
    if (auto* c = dynamic_cast<TCheckBox*>(control)) c->SetChecked(true);
    if (auto* r = dynamic_cast<TRadioButton*>(control)) r->SetChecked(true);
  }
  if (flags & lfDisabled) control->SetEnabled(false);
  if (flags & lfHidden) control->Hide();
  if (flags & lfAnchorTopRight) control->SetAnchors(akTop | akRight);
  if (flags & lfStretch) control->SetAnchors(akLeft | akTop | akRight);
  if (flags & lfAnchorAll) control->SetAnchors(akLeft | akTop | akRight | akBottom);
  if (flags & lfAlignTop) control->SetAlign(alTop);
  if (flags & lfAlignBottom) control->SetAlign(alBottom);
  if (flags & lfAlignLeft) control->SetAlign(alLeft);
  if (flags & lfAlignClient) control->SetAlign(alClient);
  if (flags & lfDefault) {
    if (auto* b = dynamic_cast<TButton*>(control)) form->SetDefaultButton(b);
  }
  if (onClick) control->OnClick = onClick;
}
