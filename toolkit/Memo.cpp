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
  // An existing file that cannot be replaced (read-only, a directory, held by another program) is
  // refused before anything is written. The attribute itself is looked at: a file system that lets
  // a privileged user write through it must still not have a read-only file replaced.
  DWORD attr = GetFileAttributesA(path.c_str());
  if (attr != INVALID_FILE_ATTRIBUTES) {
    if (attr & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) throw cannotCreate;
    HANDLE probe = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    if (probe == INVALID_HANDLE_VALUE) throw cannotCreate;
    CloseHandle(probe);
  }
  // The text goes to a new file beside the old one, which it replaces only once it is complete: a
  // write that fails part way leaves the old content.
  std::string newPath;
  HANDLE f = krev::CreateFileBeside(path, &newPath);
  if (f == INVALID_HANDLE_VALUE) throw cannotCreate;
  bool ok = true;
  size_t done = 0;
  while (ok && done < text.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 16));
    DWORD wrote = 0;
    ok = ToolkitCalls.WriteFile(f, text.data() + done, chunk, &wrote, nullptr) && wrote == chunk;
    done += wrote;
  }
  if (!CloseHandle(f)) ok = false;
  if (!ok) {
    DeleteFileA(newPath.c_str());
    throw EToolkitError("Stream write error");
  }
  if (!MoveFileExA(newPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileA(newPath.c_str());
    throw cannotCreate;
  }
}

LRESULT TMemo::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  // The edit control answers Esc by closing its parent; on the forms Esc does nothing.
  if ((msg == WM_KEYDOWN || msg == WM_CHAR) && wp == VK_ESCAPE) return 0;
  return TControl::WndProc(msg, wp, lp);
}
