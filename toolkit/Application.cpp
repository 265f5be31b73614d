#include "Application.h"

#include <commctrl.h>

#include <algorithm>

#include "Control.h"
#include "Error.h"
#include "Form.h"

TApplication Application;

namespace {

constexpr char kApplicationClass[] = "TApplication";
// Posted by the application window to itself when it is activated: the activation passes on to a
// form once the system is done with this one.
constexpr UINT kActivateForm = WM_APP + 0x100;

}  // namespace

LRESULT CALLBACK ApplicationWndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (h != Application.handle_) return DefWindowProcA(h, msg, wp, lp);
  // An exception cannot unwind through user32's frames.
  try {
    return Application.WndProc(msg, wp, lp);
  } catch (const std::exception& e) {
    Application.ShowException(e);
  } catch (...) {
    Application.ShowErrorText("Unknown error");
  }
  return 0;
}

void TApplication::CreateHandle() {
  if (handle_) return;
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ApplicationWndProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = kApplicationClass;
  RegisterClassExA(&wc);
  // A captioned, unowned window gets a task-bar button with its caption and a system menu there;
  // of no size, nothing of it shows on the desktop. It sits at the centre of the screen, where the
  // forms are centred, so a minimise or restore animation starts or ends there.
  handle_ = CreateWindowExA(0, kApplicationClass, Title().c_str(),
                            WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void TApplication::Initialize() {
  CreateHandle();
  if (initialized_) return;
  initialized_ = true;
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  RegisterToolkitClass("TPanel", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
  RegisterToolkitClass("TScrollBox");
  RegisterToolkitClass("TPageControl");
  RegisterToolkitClass("TTabSheet");
  RegisterToolkitClass("TImage", CS_HREDRAW | CS_VREDRAW);
}

const std::string& TApplication::Title() const {
  if (title_.empty()) {
    char path[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p = path;
    size_t slash = p.find_last_of("\\/");
    if (slash != std::string::npos) p = p.substr(slash + 1);
    size_t dot = p.rfind('.');
    if (dot != std::string::npos) p.resize(dot);
    title_ = p;
  }
  return title_;
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  CreateHandle();
  if (handle_) SetWindowTextA(handle_, Title().c_str());
}

void TApplication::UpdateVisible() {
  if (!handle_) return;
  // A minimised program keeps its button while it has a main form.
  bool shown = mainForm_ && mainForm_->Handle() && (mainForm_->Visible() || IsIconic(handle_));
  if (shown) {
    for (WPARAM which : {ICON_SMALL, ICON_BIG}) {
      LRESULT icon = SendMessageA(mainForm_->Handle(), WM_GETICON, which, 0);
      if (icon) SendMessageA(handle_, WM_SETICON, which, icon);
    }
  }
  if (shown == (IsWindowVisible(handle_) != FALSE)) return;
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                   (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TApplication::Minimize() {
  if (!handle_ || IsIconic(handle_)) return;
  UpdateVisible();
  ShowWindow(handle_, SW_MINIMIZE);
  FollowIcon();
}

void TApplication::Restore() {
  if (!handle_) return;
  if (IsIconic(handle_)) ShowWindow(handle_, SW_RESTORE);
  FollowIcon();
}

void TApplication::FollowIcon() {
  // However the application window became iconic or came back (its system commands, ShowWindow
  // from a shell or a test, the task bar), the forms follow it: hidden with it, shown again with
  // it, the form in use activated with the focus where it was.
  bool iconic = IsIconic(handle_) != FALSE;
  if (iconic == formsHidden_) return;
  formsHidden_ = iconic;
  // The system hides the windows an iconic window owns only on some systems; this hides them on
  // every one, and shows again only those that it hid.
  ShowOwnedPopups(handle_, iconic ? FALSE : TRUE);
  if (!iconic) PostMessageA(handle_, kActivateForm, 1, 0);
}

HWND TApplication::ActivationTarget() const {
  HWND last = GetLastActivePopup(handle_);
  if (last && last != handle_ && IsWindowVisible(last) && IsWindowEnabled(last)) return last;
  HWND form = ActiveWindow();
  if (form && !IsWindowEnabled(form)) {
    // A form disabled by a box it owns: the box is what the user means.
    HWND box = GetLastActivePopup(form);
    if (box && box != form && IsWindowVisible(box)) return box;
  }
  return form;
}

void TApplication::ActivateTarget() {
  if (HWND target = ActivationTarget()) SetForegroundWindow(target);
}

LRESULT TApplication::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SYSCOMMAND:
      // What the task-bar button and its menu ask of the program.
      switch (wp & 0xFFF0) {
        case SC_MINIMIZE:
          Minimize();
          return 0;
        case SC_RESTORE:
          Restore();
          return 0;
        default:
          break;
      }
      break;
    case WM_WINDOWPOSCHANGED: {
      LRESULT r = DefWindowProcA(handle_, msg, wp, lp);
      FollowIcon();
      return r;
    }
    case WM_ACTIVATE:
      // The window itself is never used: activation passes on to the form in use. A program that
      // is minimised stays so (its forms hidden) until it is restored.
      if (LOWORD(wp) != WA_INACTIVE && !IsIconic(handle_)) PostMessageA(handle_, kActivateForm, 0, 0);
      break;
    case kActivateForm:
      // wp 1: the program was just restored, whichever window is active now.
      if (!IsIconic(handle_) && (wp == 1 || GetActiveWindow() == handle_)) ActivateTarget();
      return 0;
    case WM_CLOSE: {
      // Closing the program from its task-bar button closes the form in use as its close box
      // would; a form that waits for a box is left alone.
      TForm* form = !modal_.empty() ? modal_.back() : mainForm_;
      if (form && form->Handle() && IsWindowEnabled(form->Handle())) SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcA(handle_, msg, wp, lp);
}

void TApplication::AddForm(TForm* form) {
  if (std::find(forms_.begin(), forms_.end(), form) != forms_.end()) return;
  forms_.push_back(form);
  if (!mainForm_) mainForm_ = form;
}

void TApplication::RemoveForm(TForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  modal_.erase(std::remove(modal_.begin(), modal_.end(), form), modal_.end());
  if (mainForm_ == form) {
    mainForm_ = nullptr;
    UpdateVisible();
  }
}

HWND TApplication::ActiveWindow() const {
  for (auto it = modal_.rbegin(); it != modal_.rend(); ++it) {
    if ((*it)->Handle()) return (*it)->Handle();
  }
  if (mainForm_ && mainForm_->Handle() && mainForm_->Visible()) return mainForm_->Handle();
  return nullptr;
}

void TApplication::PushModal(TForm* form) { modal_.push_back(form); }

void TApplication::PopModal(TForm* form) {
  auto it = std::find(modal_.rbegin(), modal_.rend(), form);
  if (it != modal_.rend()) modal_.erase(std::next(it).base());
}

void TApplication::DispatchOne(MSG& msg) {
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  auto* form = root ? dynamic_cast<TForm*>(TControl::FromHandle(root)) : nullptr;
  if (form && form->DialogKey(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

int TApplication::Run() {
  terminated_ = false;
  running_ = true;
  if (mainForm_) mainForm_->Show();
  MSG msg;
  while (!terminated_) {
    BOOL r = GetMessageA(&msg, nullptr, 0, 0);
    if (r == 0 || r == -1) break;
    DispatchOne(msg);
  }
  running_ = false;
  terminated_ = true;
  return 0;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      break;
    }
    DispatchOne(msg);
  }
}

void TApplication::Terminate() {
  terminated_ = true;
  // The program is ending: its task-bar button goes with the main form.
  if (handle_) SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                            SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  if (running_) PostQuitMessage(0);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
  HWND owner = ActiveWindow();
  // The box is modal over the whole program, not only over its owner.
  std::vector<HWND> disabled;
  for (TForm* f : forms_) {
    HWND h = f->Handle();
    if (h && h != owner && IsWindowVisible(h) && IsWindowEnabled(h)) {
      EnableWindow(h, FALSE);
      disabled.push_back(h);
    }
  }
  int r = ::MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
  for (HWND h : disabled) {
    if (IsWindow(h)) EnableWindow(h, TRUE);
  }
  return r;
}

void TApplication::ShowException(const std::exception& e) { ShowErrorText(e.what()); }

void TApplication::ShowErrorText(const std::string& message) {
  MessageBox(ErrorBoxText(message), Title(), MB_ICONERROR | MB_OK);
}

bool TApplication::Guard(const std::function<void()>& action) {
  try {
    action();
    return true;
  } catch (const std::exception& e) {
    ShowException(e);
  } catch (...) {
    ShowErrorText("Unknown error");
  }
  return false;
}
