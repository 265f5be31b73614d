#include "Memo.h"

#include <algorithm>

#include "Error.h"
#include "ToolkitCalls.h"
#include "filebeside.h"

void TMemo::Build(TWinControl* parent, const TBounds& bounds, const std::string& caption) {
  CreateHandle(parent, "Edit",
               WS_VISIBLE | WS_TABSTOP | (vscroll_ ? WS_VSCROLL : 0) | ES_MULTILINE | ES_WANTRETURN |
                   ES_AUTOVSCROLL,
               WS_EX_CLIENTEDGE, bounds, "");
  // No limit of its own: as much text as the control can hold.
  SendMessageA(handle_, EM_SETLIMITTEXT, 0, 0);
  if (!caption.empty()) SetCaption(caption);
}

void TMemo::SetReadOnly(bool readOnly) {
  if (handle_) SendMessageA(handle_, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

bool TMemo::ReadOnly() const {
  return handle_ && (GetWindowLongA(handle_, GWL_STYLE) & ES_READONLY) != 0;
}

void TMemo::SetCaption(const std::string& text) {
  if (!handle_) return;
  if (!SetWindowTextA(handle_, text.c_str())) throw EToolkitError("Text exceeds memo capacity");
  SendMessageA(handle_, EM_SETMODIFY, FALSE, 0);
}

bool TMemo::Modified() const {
  return handle_ && SendMessageA(handle_, EM_GETMODIFY, 0, 0) != 0;
}

void TMemo::SetModified(bool modified) {
  if (handle_) SendMessageA(handle_, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
}

std::string TMemo::NormalizeLineBreaks(const std::string& text) {
  // GBK trail bytes are never CR or LF, so the bytes can be looked at one by one.
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

void TMemo::LoadFromFile(const std::string& path) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) throw EToolkitError("Cannot open file " + path);
  std::string bytes;
  char buf[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(f, buf, sizeof buf, &got, nullptr)) {
      CloseHandle(f);
      throw EToolkitError("Stream read error");
    }
    if (got == 0) break;
    bytes.append(buf, got);
  }
  CloseHandle(f);
  std::string text = NormalizeLineBreaks(bytes);
  if (text == Text()) return;
  bool modified = Modified();
  SetCaption(text);
  SetModified(modified);
}

void TMemo::SaveToFile(const std::string& path) const {
  const std::string text = Text();
  const EToolkitError cannotCreate("Cannot create file " + path);
  // The text goes to a new file beside the old one, which it replaces only once it is complete: a
  // write that fails part way leaves the old content. A file that cannot be replaced (read-only, a
  // directory, held by another program) is refused before anything is written.
  krev::NewFileBeside file;
  if (!file.Open(path)) throw cannotCreate;
  for (size_t done = 0; done < text.size();) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 16));
    if (!file.Write(text.data() + done, chunk, ToolkitCalls.WriteFile)) throw EToolkitError("Stream write error");
    done += chunk;
  }
  switch (file.Commit()) {
    case krev::NewFileBeside::Result::Replaced:
      return;
    case krev::NewFileBeside::Result::NotClosed:
      throw EToolkitError("Stream write error");
    case krev::NewFileBeside::Result::NotMoved:
      throw cannotCreate;
  }
}

LRESULT TMemo::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  // The edit control answers Esc by closing its parent; on the forms Esc does nothing.
  if ((msg == WM_KEYDOWN || msg == WM_CHAR) && wp == VK_ESCAPE) return 0;
  return TControl::WndProc(msg, wp, lp);
}
