#include "Keyboard.h"

#include <string>
#include <vector>

#include "Button.h"
#include "CheckBox.h"
#include "Form.h"

namespace {

struct Place {
  HWND hwnd;
  bool reachable;
};

bool Covers(const RECT& above, const RECT& r) {
  return above.left <= r.left && above.top <= r.top && above.right >= r.right &&
         above.bottom >= r.bottom;
}

// Every window below `parent` in tab order: children in stacking order, each container (a window
// the dialog manager enters, WS_EX_CONTROLPARENT) followed by its own children.
void Walk(HWND parent, bool reachable, std::vector<Place>& out) {
  std::vector<RECT> above;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    LONG style = GetWindowLongA(c, GWL_STYLE);
    RECT r;
    GetWindowRect(c, &r);
    bool shown = (style & WS_VISIBLE) != 0;
    bool covered = false;
    for (const RECT& a : above) covered = covered || Covers(a, r);
    bool ok = reachable && shown && !(style & WS_DISABLED) && !covered;
    out.push_back({c, ok});
    if (GetWindowLongA(c, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) Walk(c, ok, out);
    if (shown && r.right > r.left && r.bottom > r.top) above.push_back(r);
  }
}

std::vector<Place> TabOrder(HWND root) {
  std::vector<Place> all;
  if (root) Walk(root, true, all);
  return all;
}

// Index of `from` or of the nearest of its parents in the order; -1 when none is.
int IndexOf(const std::vector<Place>& all, HWND root, HWND from) {
  for (HWND h = from; h && h != root; h = GetParent(h)) {
    for (size_t i = 0; i < all.size(); ++i) {
      if (all[i].hwnd == h) return static_cast<int>(i);
    }
  }
  return -1;
}

// The first place after `at` (before it when backwards), wrapping around, that `accept` takes.
template <class Accept>
HWND Search(const std::vector<Place>& all, int at, bool backwards, Accept accept) {
  int n = static_cast<int>(all.size());
  for (int step = 1; step <= n; ++step) {
    int i = at < 0 ? (backwards ? n - step : step - 1)
                   : ((at + (backwards ? -step : step)) % n + n) % n;
    if (all[static_cast<size_t>(i)].reachable && accept(all[static_cast<size_t>(i)].hwnd))
      return all[static_cast<size_t>(i)].hwnd;
  }
  return nullptr;
}

bool IsTabStop(HWND h) {
  return (GetWindowLongA(h, GWL_STYLE) & WS_TABSTOP) &&
         !(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
}

std::string TextOf(HWND h) {
  int n = GetWindowTextLengthA(h);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  n = GetWindowTextA(h, &s[0], n + 1);
  s.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return s;
}

unsigned char Upper(unsigned char c) {
  return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

void CollectButtons(TWinControl* w, std::vector<TButton*>& out) {
  for (TControl* c : w->Controls()) {
    if (auto* b = dynamic_cast<TButton*>(c)) out.push_back(b);
    if (auto* inner = dynamic_cast<TWinControl*>(c)) CollectButtons(inner, out);
  }
}

}  // namespace

HWND NextTabStop(HWND root, HWND from, bool backwards) {
  std::vector<Place> all = TabOrder(root);
  return Search(all, IndexOf(all, root, from), backwards, IsTabStop);
}

HWND NextInContainer(HWND root, HWND from, bool backwards) {
  std::vector<Place> all = TabOrder(root);
  int at = IndexOf(all, root, from);
  if (at < 0) return nullptr;
  HWND container = GetParent(all[static_cast<size_t>(at)].hwnd);
  return Search(all, at, backwards,
                [container](HWND h) { return GetParent(h) == container && IsTabStop(h); });
}

HWND NextInRadioGroup(HWND root, HWND from, bool backwards) {
  std::vector<Place> all = TabOrder(root);
  int at = IndexOf(all, root, from);
  if (at < 0 || all[static_cast<size_t>(at)].hwnd != from) return nullptr;
  HWND group = GetParent(from);
  return Search(all, at, backwards,
                [group](HWND h) { return GetParent(h) == group && IsRadioButton(h); });
}

bool IsReachable(HWND root, HWND h) {
  if (!h) return false;
  // A window inside a control (the edit of an editable combo box) counts as that control.
  std::vector<Place> all = TabOrder(root);
  int at = IndexOf(all, root, h);
  return at >= 0 && all[static_cast<size_t>(at)].reachable && IsWindowVisible(h) && IsWindowEnabled(h);
}

HWND EntryOf(HWND root, HWND container, HWND defaultButton) {
  HWND first = nullptr;
  bool onlyButtons = true, hasDefault = false;
  for (const Place& p : TabOrder(root)) {
    if (!p.reachable || !IsTabStop(p.hwnd)) continue;
    if (container != root && !IsChild(container, p.hwnd)) continue;
    if (!first) first = p.hwnd;
    onlyButtons = onlyButtons && IsPushButton(p.hwnd);
    hasDefault = hasDefault || p.hwnd == defaultButton;
  }
  return first && onlyButtons && hasDefault ? defaultButton : first;
}

bool IsRadioButton(HWND h) {
  return h && (SendMessageA(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}

bool IsPushButton(HWND h) {
  return h && (SendMessageA(h, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

unsigned char MnemonicOf(const char* caption) {
  // No byte of a GBK double-byte character is "&" (lead bytes start at 0x81, trail bytes at 0x40),
  // so the bytes can be looked at one by one; a double-byte character marks no mnemonic.
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(caption); *p; ++p) {
    if (*p != '&') continue;
    if (p[1] == '&') {
      ++p;
      continue;
    }
    return p[1] && !IsDBCSLeadByte(p[1]) ? Upper(p[1]) : 0;
  }
  return 0;
}

HWND MnemonicTarget(HWND root, HWND from, unsigned char letter) {
  letter = Upper(letter);
  std::vector<Place> all = TabOrder(root);
  return Search(all, IndexOf(all, root, from), false, [letter](HWND h) {
    LRESULT code = SendMessageA(h, WM_GETDLGCODE, 0, 0);
    if (!(code & (DLGC_BUTTON | DLGC_STATIC))) return false;
    // A label that shows data shows "&" as it is and marks nothing.
    char cls[16] = {0};
    GetClassNameA(h, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0 && (GetWindowLongA(h, GWL_STYLE) & SS_NOPREFIX)) return false;
    return MnemonicOf(TextOf(h).c_str()) == letter;
  });
}

// ---- TForm's part

void TForm::SelectNext(bool backwards) {
  HWND focus = GetFocus();
  if (focus && focus != handle_ && !IsChild(handle_, focus)) focus = nullptr;
  FocusControl(NextTabStop(handle_, focus, backwards));
}

void TForm::FocusControl(HWND control) {
  if (!control || !IsChild(handle_, control)) return;
  LRESULT code = SendMessageA(control, WM_GETDLGCODE, 0, 0);
  // A one-line edit comes with its text selected, as in any dialog; a memo keeps its caret, so
  // that typing after Tab never replaces a whole text.
  if ((code & DLGC_HASSETSEL) && !(GetWindowLongA(control, GWL_STYLE) & ES_MULTILINE))
    SendMessageA(control, EM_SETSEL, 0, -1);
  ::SetFocus(control);
  // Enter presses the push button that has the focus, otherwise the default button; the look
  // follows the focus.
  HWND def = default_ ? default_->Handle() : nullptr;
  if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) def = control;
  std::vector<TButton*> buttons;
  CollectButtons(this, buttons);
  for (TButton* b : buttons) {
    HWND h = b->Handle();
    if (!h || (h == def) == b->IsDefault()) continue;
    SendMessageA(h, BM_SETSTYLE, h == def ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
}

HWND TForm::EntryControl(HWND container) const {
  return EntryOf(handle_, container ? container : handle_, default_ ? default_->Handle() : nullptr);
}

void TForm::Refocus(HWND lost, HWND page) {
  HWND target = page ? EntryControl(page) : nullptr;
  // Else the nearest container of the lost control that the user can still reach: the page in
  // front of a page control, at the latest the form.
  for (HWND c = lost ? GetParent(lost) : nullptr; !target && c && c != handle_; c = GetParent(c))
    target = EntryControl(c);
  if (!target) target = EntryControl(nullptr);
  FocusControl(target);
}

void TForm::KeepFocusReachable(HWND page) {
  HWND focus = GetFocus();
  // Only this form's own focus is looked after; a box or another form in use is left alone.
  if (!focus || (focus != handle_ && !IsChild(handle_, focus))) return;
  if (focus != handle_ && IsReachable(handle_, focus)) return;
  Refocus(focus == handle_ ? nullptr : focus, page);
}

void TForm::MoveWithArrow(HWND from, bool backwards) {
  HWND next = IsRadioButton(from) ? NextInRadioGroup(handle_, from, backwards)
                                  : NextInContainer(handle_, from, backwards);
  if (!next) return;
  FocusControl(next);
  // The arrow keys select the radio button they reach, and its click handler runs, as a click's.
  if (auto* radio = dynamic_cast<TRadioButton*>(TControl::FromHandle(next))) radio->SetChecked(true);
}

bool TForm::DialogKey(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_CHAR &&
      msg.message != WM_SYSCHAR)
    return false;
  HWND focus = GetFocus();
  bool inside = focus && focus != handle_ && IsChild(handle_, focus);
  // A key for a control the user cannot reach (a focus the platform left on a hidden or disabled
  // window) is not the user's: the focus moves to where the user is, and the key goes.
  if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && inside && !IsReachable(handle_, focus)) {
    KeepFocusReachable(nullptr);
    return true;
  }
  if (msg.message == WM_SYSKEYDOWN) return false;
  auto wants = [&](LRESULT what) {
    return inside &&
           (SendMessageA(focus, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & what);
  };
  // Every key is handled here or dispatched; none goes to the system's dialog keyboard handling,
  // whose search for a mnemonic never ends when the focus lies on a hidden window, and which
  // looks behind the page in front and presses hidden buttons.
  switch (msg.message) {
    case WM_KEYDOWN:
      if (GetKeyState(VK_MENU) < 0 || wants(DLGC_WANTMESSAGE)) return false;
      switch (msg.wParam) {
        case VK_TAB:
          // A control that takes every key (a memo) hands Tab back with WM_NEXTDLGCTL, which its
          // containers pass up to the form.
          if (wants(DLGC_WANTTAB)) return false;
          SelectNext(GetKeyState(VK_SHIFT) < 0);
          return true;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
          if (!inside) {
            FocusControl(EntryControl(nullptr));
            return true;
          }
          if (wants(DLGC_WANTARROWS)) return false;
          MoveWithArrow(focus, msg.wParam == VK_LEFT || msg.wParam == VK_UP);
          return true;
        case VK_RETURN:
        case VK_EXECUTE: {
          // The push button with the focus, otherwise the default button.
          TButton* button = nullptr;
          if (inside && IsPushButton(focus) && IsReachable(handle_, focus))
            button = dynamic_cast<TButton*>(TControl::FromHandle(focus));
          PressButton(button ? button : default_);
          return true;
        }
        case VK_ESCAPE:
        case VK_CANCEL:
          // The forms have no cancel button.
          return true;
        default:
          return false;
      }
    case WM_CHAR:
      if (msg.wParam <= ' ' || wants(DLGC_WANTCHARS | DLGC_WANTMESSAGE)) return false;
      break;
    case WM_SYSCHAR:
      if (msg.wParam <= ' ') return false;  // Alt+Space opens the system menu
      break;
    default:
      return false;
  }
  HWND target =
      MnemonicTarget(handle_, inside ? focus : nullptr, static_cast<unsigned char>(msg.wParam));
  if (!target) return false;
  if (SendMessageA(target, WM_GETDLGCODE, 0, 0) & DLGC_STATIC) {
    // A label or group frame hands the focus to the control after it.
    FocusControl(NextTabStop(handle_, target, false));
  } else {
    FocusControl(target);
    SendMessageA(target, BM_CLICK, 0, 0);
  }
  return true;
}
