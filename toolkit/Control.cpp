#include "Control.h"

#include "compname.h"

#include <set>
#include <stdexcept>

#include "Application.h"
#include "Error.h"
#include "Form.h"
#include "Screen.h"

namespace {

constexpr const char* kNameProp = krev::kComponentNameProp;

int nextControlId = 1000;

// The component behind one of our windows sits in the window's user data: a window property would
// cost two round trips to the window server on every message under Wine.
TControl* ObjectOf(HWND h) { return reinterpret_cast<TControl*>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

void SetObjectOf(HWND h, TControl* c) { SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(c)); }

void Place(HWND h, int left, int top, int width, int height) {
  SetWindowPos(h, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

LRESULT CALLBACK ToolkitWndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  TControl* c = ObjectOf(h);
  if (!c) {
    if (msg == WM_NCCREATE) {
      c = static_cast<TControl*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
      if (c) {
        c->handle_ = h;
        SetObjectOf(h, c);
      }
    }
    if (!c) return DefWindowProcA(h, msg, wp, lp);
  }
  // An exception cannot unwind through user32's frames: every handler ends here at the latest.
  try {
    return c->WndProc(msg, wp, lp);
  } catch (const std::exception& e) {
    Application.ShowException(e);
  } catch (...) {
    Application.ShowErrorText("Unknown error");
  }
  return 0;
}

void RegisterToolkitClass(const char* name, UINT style) {
  static std::set<std::string> registered;
  if (!registered.insert(name).second) return;
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = ToolkitWndProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = name;
  RegisterClassExA(&wc);
}

// ---- TControl

TControl::~TControl() {
  if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
  if (parent_) {
    auto& v = parent_->children_;
    for (auto it = v.begin(); it != v.end(); ++it) {
      if (*it == this) {
        v.erase(it);
        break;
      }
    }
  }
}

void TControl::Build(TWinControl* parent, const TBounds& bounds, const std::string& caption) {
  CreateHandle(parent, "Static", 0, 0, bounds, caption);
}

void TControl::CreateHandle(TWinControl* parent, const char* cls, DWORD style, DWORD exStyle,
                            const TBounds& bounds, const std::string& caption) {
  if (handle_) throw std::logic_error("component built twice: " + name_);
  Application.Initialize();
  parent_ = parent;
  HWND ph = parent ? parent->handle_ : nullptr;
  int top = bounds.Top;
  UINT_PTR id = 0;
  if (parent) {
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    id = static_cast<UINT_PTR>(nextControlId++);
    if (nextControlId > 0x7FFF) nextControlId = 1000;
    top -= parent->ScrollOffset();
  }
  HWND h = CreateWindowExA(exStyle, cls, caption.c_str(), style, bounds.Left, top, bounds.Width,
                           bounds.Height, ph, reinterpret_cast<HMENU>(id),
                           GetModuleHandleA(nullptr), this);
  if (!h) {
    parent_ = nullptr;
    throw EToolkitError(std::string("Cannot create window of class ") + cls);
  }
  handle_ = h;
  if (!ObjectOf(h)) {
    // A system class: its messages pass through the toolkit first.
    SetObjectOf(h, this);
    classProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ToolkitWndProc)));
  }
  if (parent) parent->children_.push_back(this);
  if (!name_.empty()) SetName(name_);
  InheritFrom(parent);
  ApplyFont();
  if (parent) {
    // The anchors keep the distances the control was built with.
    RECT r;
    GetClientRect(parent->handle_, &r);
    anchorRight_ = r.right - (bounds.Left + bounds.Width);
    anchorBottom_ = r.bottom - (top + bounds.Height);
  }
}

void TControl::SetName(const std::string& name) {
  name_ = name;
  if (!handle_) return;
  if (nameAtom_) {
    RemovePropA(handle_, kNameProp);
    GlobalDeleteAtom(nameAtom_);
    nameAtom_ = 0;
  }
  if (name.empty()) return;
  nameAtom_ = GlobalAddAtomA(name.c_str());
  if (nameAtom_) SetPropA(handle_, kNameProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(nameAtom_)));
}

TControl* TControl::FromHandle(HWND hwnd) {
  // Only windows whose messages pass through the toolkit carry a component; the user data of any
  // other window (a message box, a common dialog) means something else or nothing.
  if (!hwnd || reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)) != &ToolkitWndProc)
    return nullptr;
  return ObjectOf(hwnd);
}

static RECT RectInParent(HWND h) {
  RECT r = {0, 0, 0, 0};
  if (!h) return r;
  GetWindowRect(h, &r);
  HWND parent = (GetWindowLongA(h, GWL_STYLE) & WS_CHILD) ? GetParent(h) : nullptr;
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int TControl::Left() const { return RectInParent(handle_).left; }
int TControl::Top() const { return RectInParent(handle_).top; }
int TControl::Width() const {
  RECT r = RectInParent(handle_);
  return r.right - r.left;
}
int TControl::Height() const {
  RECT r = RectInParent(handle_);
  return r.bottom - r.top;
}
int TControl::ClientWidth() const {
  RECT r = {0, 0, 0, 0};
  if (handle_) GetClientRect(handle_, &r);
  return r.right;
}
int TControl::ClientHeight() const {
  RECT r = {0, 0, 0, 0};
  if (handle_) GetClientRect(handle_, &r);
  return r.bottom;
}

bool TControl::Visible() const {
  return handle_ && (GetWindowLongA(handle_, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool TControl::HoldsFocus() const {
  HWND focus = GetFocus();
  return handle_ && focus && (focus == handle_ || IsChild(handle_, focus));
}

TForm* TControl::OwnerForm() const {
  return handle_ ? dynamic_cast<TForm*>(FromHandle(GetAncestor(handle_, GA_ROOT))) : nullptr;
}

void TControl::LeaveReach(const std::function<void()>& change) {
  // The system drops the focus of a disabled window, and leaves it on a hidden one.
  bool had = HoldsFocus();
  change();
  if (!had) return;
  TForm* form = OwnerForm();
  if (form && form != this) form->Refocus(handle_, nullptr);
}

void TControl::SetVisible(bool visible) {
  if (!handle_) return;
  if (visible) ShowWindow(handle_, SW_SHOWNA);
  else LeaveReach([this] { ShowWindow(handle_, SW_HIDE); });
}

bool TControl::Enabled() const { return handle_ && IsWindowEnabled(handle_); }

void TControl::SetEnabled(bool enabled) {
  if (!handle_) return;
  if (enabled) EnableWindow(handle_, TRUE);
  else LeaveReach([this] { EnableWindow(handle_, FALSE); });
}

std::string TControl::Caption() const {
  if (!handle_) return std::string();
  int n = GetWindowTextLengthA(handle_);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  n = GetWindowTextA(handle_, &s[0], n + 1);
  s.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return s;
}

void TControl::SetCaption(const std::string& text) {
  if (handle_) SetWindowTextA(handle_, text.c_str());
}

void TControl::SetFont(const TFont& font) {
  font_ = font;
  parentFont_ = false;
  ApplyFont();
}

void TControl::ApplyFont() {
  // A window not on screen yet is painted with its font anyway when it shows.
  if (handle_)
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), IsWindowVisible(handle_));
}

void TControl::InheritFrom(TWinControl* parent) {
  if (parent && parentFont_) font_ = parent->font_;
}

void TControl::SetColor(TColor color) {
  color_ = color;
  Invalidate();
}

TColor TControl::EffectiveColor() const {
  for (const TControl* c = this; c; c = c->parent_) {
    if (c->color_ != clDefault) return c->color_;
    TColor d = c->DefaultColor();
    if (d != clDefault) return d;
  }
  return clBtnFace;
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_) parent_->Realign();
}

void TControl::SetAnchors(TAnchors anchors) {
  anchors_ = anchors;
  if (parent_ && handle_) {
    anchorRight_ = parent_->ClientWidth() - (Left() + Width());
    anchorBottom_ = parent_->ClientHeight() - (Top() + Height());
  }
}

void TControl::BringToFront() {
  if (!handle_) return;
  SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  // A page brought to front covers the one the focus may be on.
  if (TForm* form = OwnerForm()) form->KeepFocusReachable(handle_);
}

bool TControl::IsFront() const {
  if (!handle_) return false;
  HWND parent = GetParent(handle_);
  return parent && GetWindow(parent, GW_CHILD) == handle_;
}

void TControl::ShowInScrollBoxes() {
  // Innermost first, so each outer box sees where the inner one has put the control.
  for (TWinControl* p = parent_; p; p = p->Parent()) {
    p->BringIntoView(this);
  }
}

void TControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

LRESULT TControl::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
  return classProc_ ? CallWindowProcA(classProc_, handle_, msg, wp, lp)
                    : DefWindowProcA(handle_, msg, wp, lp);
}

HBRUSH TControl::HandleCtlColor(HDC dc) {
  TColor bk = EffectiveColor();
  SetTextColor(dc, ColorToRGB(font_.Color));
  SetBkColor(dc, ColorToRGB(bk));
  return BrushOf(bk);
}

LRESULT TControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (lp) {
        TControl* child = FromHandle(reinterpret_cast<HWND>(lp));
        if (child && child != this && child->HandleCommand(HIWORD(wp))) return 0;
      }
      break;
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lp);
      TControl* child = hdr ? FromHandle(hdr->hwndFrom) : nullptr;
      LRESULT result = 0;
      if (child && child != this && child->HandleNotify(hdr, result)) return result;
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      TControl* child = FromHandle(reinterpret_cast<HWND>(lp));
      if (child && child != this) {
        if (HBRUSH b = child->HandleCtlColor(reinterpret_cast<HDC>(wp)))
          return reinterpret_cast<LRESULT>(b);
      }
      break;
    }
    case WM_SETFOCUS:
      ShowInScrollBoxes();
      break;
    case WM_SETCURSOR:
      if (Screen.Cursor() == crHourGlass) {
        ::SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
        return TRUE;
      }
      if (reinterpret_cast<HWND>(wp) == handle_ && LOWORD(lp) == HTCLIENT) {
        if (HCURSOR cur = Cursor()) {
          ::SetCursor(cur);
          return TRUE;
        }
      }
      break;
    case WM_NCDESTROY: {
      HWND h = handle_;
      WNDPROC proc = classProc_;
      SetObjectOf(h, nullptr);
      if (nameAtom_) {
        RemovePropA(h, kNameProp);
        GlobalDeleteAtom(nameAtom_);
        nameAtom_ = 0;
      }
      handle_ = nullptr;
      classProc_ = nullptr;
      if (proc) {
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
        return CallWindowProcA(proc, h, msg, wp, lp);
      }
      return DefWindowProcA(h, msg, wp, lp);
    }
    default:
      break;
  }
  return DefaultProc(msg, wp, lp);
}

// ---- TWinControl

TWinControl::~TWinControl() {
  for (TControl* c : children_) c->parent_ = nullptr;
  children_.clear();
}

TControl* TWinControl::FindControl(const std::string& name) {
  if (name_ == name) return this;
  for (TControl* c : children_) {
    if (c->name_ == name) return c;
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
      if (TControl* found = w->FindControl(name)) return found;
    }
  }
  return nullptr;
}

void TWinControl::SetFont(const TFont& font) {
  TControl::SetFont(font);
  PassFont(font);
}

void TWinControl::PassFont(const TFont& font) {
  for (TControl* c : children_) {
    if (!c->parentFont_) continue;
    c->font_ = font;
    c->ApplyFont();
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->PassFont(font);
  }
}

RECT TWinControl::AlignRect() const {
  RECT r = {0, 0, 0, 0};
  if (handle_) GetClientRect(handle_, &r);
  return r;
}

void TWinControl::Realign() {
  if (!handle_) return;
  RECT r = AlignRect();
  auto pass = [&](TAlign which) {
    for (TControl* c : children_) {
      if (c->align_ != which || !c->handle_) continue;
      int w = c->Width(), h = c->Height();
      switch (which) {
        case alTop:
          Place(c->handle_, r.left, r.top, r.right - r.left, h);
          r.top += h;
          break;
        case alBottom:
          Place(c->handle_, r.left, r.bottom - h, r.right - r.left, h);
          r.bottom -= h;
          break;
        case alLeft:
          Place(c->handle_, r.left, r.top, w, r.bottom - r.top);
          r.left += w;
          break;
        default:
          break;
      }
    }
  };
  pass(alTop);
  pass(alBottom);
  pass(alLeft);
  for (TControl* c : children_) {
    if (c->align_ == alClient && c->handle_)
      Place(c->handle_, r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
  RECT cr;
  GetClientRect(handle_, &cr);
  for (TControl* c : children_) {
    if (c->align_ != alNone || !c->handle_) continue;
    if (!(c->anchors_ & (akRight | akBottom))) continue;
    int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
    if (recordAnchors_) {
      c->anchorRight_ = cr.right - (l + w);
      c->anchorBottom_ = cr.bottom - (t + h);
      continue;
    }
    if (c->anchors_ & akRight) {
      if (c->anchors_ & akLeft) w = cr.right - l - c->anchorRight_;
      else l = cr.right - w - c->anchorRight_;
    }
    if (c->anchors_ & akBottom) {
      if (c->anchors_ & akTop) h = cr.bottom - t - c->anchorBottom_;
      else t = cr.bottom - h - c->anchorBottom_;
    }
    Place(c->handle_, l, t, w < 0 ? 0 : w, h < 0 ? 0 : h);
  }
}

void TWinControl::EraseWith(HDC dc, TColor color) {
  RECT r;
  GetClientRect(handle_, &r);
  FillRect(dc, &r, BrushOf(color));
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      EraseWith(reinterpret_cast<HDC>(wp), EffectiveColor());
      return 1;
    case WM_SIZE: {
      LRESULT r = DefaultProc(msg, wp, lp);
      Realign();
      return r;
    }
    case WM_CLOSE:
      // A multi-line edit posts WM_CLOSE to its parent on Esc; only forms close.
      return 0;
    case WM_NEXTDLGCTL: {
      // A control asks its parent to move the focus (a memo does on Tab): the form does it.
      HWND root = GetAncestor(handle_, GA_ROOT);
      return root && root != handle_ ? SendMessageA(root, msg, wp, lp) : 0;
    }
    default:
      return TControl::WndProc(msg, wp, lp);
  }
}

// ---- finding components from outside

std::string WindowComponentName(HWND hwnd) {
  // A component of this process knows its name as it was given.
  if (TControl* c = TControl::FromHandle(hwnd)) return c->Name();
  return krev::PublishedComponentName(hwnd);
}

namespace {

struct FindName {
  const std::string* name;
  HWND found;
};

BOOL CALLBACK FindChildProc(HWND h, LPARAM lp) {
  auto* f = reinterpret_cast<FindName*>(lp);
  if (krev::SameComponentName(WindowComponentName(h), *f->name)) {
    f->found = h;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindTopProc(HWND h, LPARAM lp) {
  // The window itself, then the windows inside it.
  if (FindChildProc(h, lp)) EnumChildWindows(h, FindChildProc, lp);
  return reinterpret_cast<FindName*>(lp)->found ? FALSE : TRUE;
}

}  // namespace

HWND FindNamedWindow(HWND root, const std::string& name) {
  FindName f{&name, nullptr};
  if (root) {
    if (krev::SameComponentName(WindowComponentName(root), name)) return root;
    EnumChildWindows(root, FindChildProc, reinterpret_cast<LPARAM>(&f));
  } else {
    EnumWindows(FindTopProc, reinterpret_cast<LPARAM>(&f));
  }
  return f.found;
}
