#include "Form.h"

#include "Application.h"
#include "Button.h"
#include "Keyboard.h"

namespace {

DWORD StyleOf(TFormBorderStyle b) {
  return b == bsDialog ? WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN
                       : WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
}

DWORD ExStyleOf(TFormBorderStyle b) {
  return WS_EX_CONTROLPARENT | (b == bsDialog ? WS_EX_DLGMODALFRAME : 0);
}

TButton* FindButtonById(TWinControl* w, int id) {
  for (TControl* c : w->Controls()) {
    if (auto* b = dynamic_cast<TButton*>(c)) {
      if (c->Handle() && GetDlgCtrlID(c->Handle()) == id) return b;
    }
    if (auto* inner = dynamic_cast<TWinControl*>(c)) {
      if (TButton* b = FindButtonById(inner, id)) return b;
    }
  }
  return nullptr;
}

}  // namespace

TForm::TForm(const char* className) : className_(className) {
  Application.Initialize();
  RegisterToolkitClass(className_.c_str());
  font_ = TFont();
  parentFont_ = false;
  CreateHandle(nullptr, className_.c_str(), StyleOf(borderStyle_), ExStyleOf(borderStyle_),
               {static_cast<int>(CW_USEDEFAULT), static_cast<int>(CW_USEDEFAULT), 400, 300}, "");
  // Owned by the application window, the form has no task-bar button of its own.
  SetWindowLongPtrA(handle_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(Application.Handle()));
}

TForm::~TForm() {
  Application.RemoveForm(this);
  for (auto it = owned_.rbegin(); it != owned_.rend(); ++it) delete *it;
  owned_.clear();
  if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
  if (iconSmall_) DestroyIcon(iconSmall_);
  if (iconBig_) DestroyIcon(iconBig_);
}

void TForm::SetClientSize(int width, int height) {
  RECT r = {0, 0, width, height};
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(handle_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(handle_, GWL_EXSTYLE)));
  SetWindowPos(handle_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SetOuterSize(int width, int height) {
  SetWindowPos(handle_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  int w = ClientWidth(), h = ClientHeight();
  borderStyle_ = style;
  DWORD visible = static_cast<DWORD>(GetWindowLongA(handle_, GWL_STYLE)) & WS_VISIBLE;
  SetWindowLongA(handle_, GWL_STYLE, static_cast<LONG>(StyleOf(style) | visible));
  SetWindowLongA(handle_, GWL_EXSTYLE, static_cast<LONG>(ExStyleOf(style)));
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  // The client area keeps its size; the frame grows or shrinks around it.
  SetClientSize(w, h);
}

void TForm::SetPosition(TPosition position) { position_ = position; }

void TForm::SetIcon(HINSTANCE module, const char* resourceName) {
  HICON small = static_cast<HICON>(LoadImageA(module, resourceName, IMAGE_ICON, 16, 16, 0));
  HICON big = static_cast<HICON>(LoadImageA(module, resourceName, IMAGE_ICON, 32, 32, 0));
  if (small) {
    SendMessageA(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    if (iconSmall_) DestroyIcon(iconSmall_);
    iconSmall_ = small;
  }
  if (big) {
    SendMessageA(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (iconBig_) DestroyIcon(iconBig_);
    iconBig_ = big;
  }
}

void TForm::SetDefaultButton(TButton* button) {
  if (default_ == button) return;
  TButton* old = default_;
  default_ = button;
  if (old && old->Handle())
    SendMessageA(old->Handle(), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  if (button && button->Handle())
    SendMessageA(button->Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void TForm::Centre() {
  RECT r;
  GetWindowRect(handle_, &r);
  int w = r.right - r.left, h = r.bottom - r.top;
  RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (position_ == poMainFormCenter) {
    TForm* main = Application.MainForm();
    if (main && main != this && main->Handle()) GetWindowRect(main->Handle(), &area);
  }
  int x = area.left + ((area.right - area.left) - w) / 2;
  int y = area.top + ((area.bottom - area.top) - h) / 2;
  SetWindowPos(handle_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::Show() {
  // Each showing starts at the first tab stop; only a form used again after another window
  // (a box, the program restored) gets back the focus it had.
  if (!IsWindowVisible(handle_)) lastFocus_ = nullptr;
  if (position_ != poDesigned) Centre();
  ShowWindow(handle_, SW_SHOW);
  Application.UpdateVisible();
  SetForegroundWindow(handle_);
  // Activated without a control taking the focus: the form itself has it.
  KeepFocusReachable(nullptr);
}

int TForm::ShowModal() {
  std::vector<HWND> disabled;
  for (TForm* f : Application.forms_) {
    HWND h = f->Handle();
    if (f != this && h && IsWindowEnabled(h)) {
      EnableWindow(h, FALSE);
      disabled.push_back(h);
    }
  }
  Application.PushModal(this);
  modalResult_ = mrNone;
  inModal_ = true;
  Show();
  MSG msg;
  // A minimised program hides the form without ending its showing.
  while (modalResult_ == mrNone && (IsWindowVisible(handle_) || IsIconic(Application.Handle()))) {
    BOOL r = GetMessageA(&msg, nullptr, 0, 0);
    if (r == 0 || r == -1) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      if (modalResult_ == mrNone) modalResult_ = mrCancel;
      break;
    }
    Application.DispatchOne(msg);
  }
  if (modalResult_ == mrNone) modalResult_ = mrCancel;
  // Enable the others before hiding, so activation returns to the window below.
  for (HWND h : disabled) {
    if (IsWindow(h)) EnableWindow(h, TRUE);
  }
  ShowWindow(handle_, SW_HIDE);
  inModal_ = false;
  Application.PopModal(this);
  if (HWND back = Application.ActiveWindow()) SetActiveWindow(back);
  return modalResult_;
}

void TForm::SetModalResult(int result) {
  modalResult_ = result;
  // The modal loop sees the result when GetMessage returns. A result set from a sent message (a
  // click sent from another thread or program) leaves the queue empty, so the loop gets a nudge.
  if (inModal_ && result != mrNone && handle_) PostMessageA(handle_, WM_NULL, 0, 0);
}

void TForm::Close() {
  if (OnClose) OnClose(this);
  if (inModal_) {
    if (modalResult_ == mrNone) SetModalResult(mrCancel);
    return;
  }
  ShowWindow(handle_, SW_HIDE);
  if (Application.MainForm() == this) Application.Terminate();
}

void TForm::DoCreate() {
  if (created_) return;
  created_ = true;
  if (OnCreate) Application.Guard([this] { OnCreate(this); });
}

bool TForm::PressButton(TButton* button) {
  if (!button || !button->Handle() || !IsWindowEnabled(button->Handle()) ||
      !IsWindowVisible(button->Handle()))
    return false;
  button->Click();
  return true;
}

TButton* TForm::ButtonById(int id) { return FindButtonById(this, id); }

LRESULT TForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_NEXTDLGCTL:
      // A control asks for the next one (a memo does on Tab), or names the one to focus.
      if (LOWORD(lp)) FocusControl(reinterpret_cast<HWND>(wp));
      else SelectNext(wp != 0);
      return 0;
    case WM_SYSCOMMAND:
      // A form alone would shrink to an icon on the desktop: the program is minimised instead.
      if ((wp & 0xFFF0) == SC_MINIMIZE) {
        Application.Minimize();
        return 0;
      }
      break;
    case WM_ACTIVATE:
      // The control that had the focus gets it back when the form is used again; a form used for
      // the first time, or whose control is gone from the user's reach, starts where the keyboard
      // enters it. The form itself never keeps the focus.
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(handle_, focus)) lastFocus_ = focus;
      } else if (!HIWORD(wp)) {
        if (lastFocus_ && IsChild(handle_, lastFocus_) && IsReachable(handle_, lastFocus_)) {
          ::SetFocus(lastFocus_);
          return 0;
        }
        if (HWND entry = EntryControl(nullptr)) {
          FocusControl(entry);
          return 0;
        }
      }
      break;
    case DM_GETDEFID:
      if (default_ && default_->Handle())
        return MAKELRESULT(GetDlgCtrlID(default_->Handle()), DC_HASDEFID);
      return 0;
    case WM_COMMAND:
      // Enter and Esc from the dialog keyboard handling arrive without a window.
      if (lp == 0 && (HIWORD(wp) == BN_CLICKED || HIWORD(wp) == 0)) {
        // Esc (IDCANCEL) does nothing: the forms have no cancel button.
        int id = LOWORD(wp);
        if (id == IDOK) {
          PressButton(default_);
        } else if (id != IDCANCEL) {
          PressButton(ButtonById(id));
        }
        return 0;
      }
      break;
    default:
      break;
  }
  return TWinControl::WndProc(msg, wp, lp);
}
