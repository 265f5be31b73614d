#include "Application.h"

#include <commctrl.h>

#include <algorithm>

#include "Control.h"
#include "Error.h"
#include "Form.h"

TApplication Application;

void TApplication::Initialize() {
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

void TApplication::SetTitle(const std::string& title) { title_ = title; }

void TApplication::AddForm(TForm* form) {
  if (std::find(forms_.begin(), forms_.end(), form) != forms_.end()) return;
  forms_.push_back(form);
  if (!mainForm_) mainForm_ = form;
}

void TApplication::RemoveForm(TForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  modal_.erase(std::remove(modal_.begin(), modal_.end(), form), modal_.end());
  if (mainForm_ == form) mainForm_ = nullptr;
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
  if (form && (form->DialogKey(msg) || IsDialogMessageA(root, &msg))) return;
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
