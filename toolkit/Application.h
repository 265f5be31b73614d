// The application object: title, forms, message loop, message boxes and the default error box.
// It has a window of its own, the application window: a top-level window of no size that carries
// the title and stands for the program on the task bar. Every form is owned by it, so no form has a
// task-bar button of its own; the button shows while the main form does.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

class TForm;

class TApplication {
 public:
  // Registers the toolkit's window classes and the common controls, and makes the application
  // window.
  void Initialize();

  // The caption of the default error box and of the application window, so the task bar shows it;
  // the file name of the program until set. Setting it makes the application window if needed.
  const std::string& Title() const;
  void SetTitle(const std::string& title);

  // The application window (made once, by Initialize or SetTitle).
  HWND Handle() const { return handle_; }

  // Constructs a form, makes it the main form when it is the first, and runs its OnCreate.
  template <class F>
  void CreateForm(F*& ref) {
    ref = new F();
    AddForm(ref);
    ref->DoCreate();
  }
  TForm* MainForm() const { return mainForm_; }

  // Shows the main form and runs the message loop until it closes; returns the exit code 0.
  int Run();
  // Handles the messages waiting in the queue and returns.
  void ProcessMessages();
  // Runs one message through the form's keyboard handling (Tab, the arrows, Enter, Esc,
  // mnemonics) and translates and dispatches what that leaves.
  void DispatchOne(MSG& msg);

  // A modal message box over the program: the text, the caption, the MB_ flags; returns IDOK, IDYES...
  int MessageBox(const std::string& text, const std::string& caption, UINT flags);

 private:
  // What the forms, the file dialogs and the window procedures ask of the program.
  friend class TForm;
  friend class TOpenDialog;
  friend LRESULT CALLBACK ToolkitWndProc(HWND, UINT, WPARAM, LPARAM);
  friend LRESULT CALLBACK ApplicationWndProc(HWND, UINT, WPARAM, LPARAM);

  // Minimising a form minimises the program: the application window goes to the task bar and the
  // forms are hidden with it. Restoring it (its task-bar button, its system menu, ShowWindow)
  // shows them again and activates the form in use.
  void Minimize();
  void Restore();
  // Hides or shows the forms as the application window became iconic or came back.
  void FollowIcon();
  // Shows the task-bar button while the main form is shown, hides it otherwise; the button takes
  // the main form's icons. TForm::Show calls it; Terminate hides the button.
  void UpdateVisible();

  void AddForm(TForm* form);
  void RemoveForm(TForm* form);   // a form going away
  // The form a message box or file dialog belongs to: the modal form shown last, else the main one.
  HWND ActiveWindow() const;
  // Ends the message loop of Run (outside Run it only marks the program as ended).
  void Terminate();

  // The default error box: the error's text by ErrorBoxText, the title, error icon, OK.
  void ShowException(const std::exception& e);
  void ShowErrorText(const std::string& message);
  // Runs `action`, showing an escaped error in the default error box; false when one escaped.
  bool Guard(const std::function<void()>& action);

  // Modal showing keeps a stack so message boxes find their owner.
  void PushModal(TForm* form);
  void PopModal(TForm* form);

  mutable std::string title_;
  TForm* mainForm_ = nullptr;
  std::vector<TForm*> forms_;
  std::vector<TForm*> modal_;
  bool initialized_ = false;
  bool terminated_ = false;
  bool running_ = false;
  bool formsHidden_ = false;  // hidden with the iconic application window
  HWND handle_ = nullptr;

  void CreateHandle();
  // The window a user means when activating the program: the one used last, a box it waits for,
  // the modal form or the main form.
  HWND ActivationTarget() const;
  void ActivateTarget();
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
};

extern TApplication Application;
