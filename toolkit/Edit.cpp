#include "Edit.h"

void TEdit::Build(TWinControl* parent, const TBounds& bounds, const std::string& caption) {
  CreateHandle(parent, "Edit", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, bounds,
               caption);
}

void TEdit::SetReadOnly(bool readOnly) {
  if (handle_) SendMessageA(handle_, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}
