// The application object: title, forms, message loop, message boxes and the default error box.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

class TForm;

class TApplication {
 public:
  // Registers the toolkit's window classes and the common controls.
  void Initialize();

  // The caption of the default error box; the file name of the program until set.
  const std::string& Title() const;
  void SetTitle(const std::string& title);

  // Constructs a form, makes it the main form when it is the first, and runs its OnCreate.
  template <class F>
  void CreateForm(F*& ref) {
    ref = new F();
    AddForm(ref);
    ref->DoCreate();
  }
  void AddForm(TForm* form);      // forms made otherwise (tests)
  void RemoveForm(TForm* form);   // a form going away
  TForm* MainForm() const { return mainForm_; }
  void SetMainForm(TForm* form) { mainForm_ = form; }
  const std::vector<TForm*>& Forms() const { return forms_; }
  // The form a message box or file dialog belongs to: the modal form shown last, else the main one.
  HWND ActiveWindow() const;

  // Shows the main form and runs the message loop until it closes; returns the exit code 0.
  int Run();
  // Handles the messages waiting in the queue and returns.
  void ProcessMessages();
  // Runs one message through the forms' keyboard handling (Tab, Enter, Esc) and dispatches it.
  void DispatchOne(MSG& msg);
  // Ends the message loop of Run (outside Run it only marks the program as ended).
  void Terminate();
  bool Terminated() const { return terminated_; }

  // A modal message box over the program: the text, the caption, the MB_ flags; returns IDOK, IDYES...
  int MessageBox(const std::string& text, const std::string& caption, UINT flags);

  // The default error box: the error's text by ErrorBoxText, the title, error icon, OK.
  void ShowException(const std::exception& e);
  void ShowErrorText(const std::string& message);
  // Runs `action`, showing an escaped error in the default error box; false when one escaped.
  bool Guard(const std::function<void()>& action);

  // Modal showing keeps a stack so message boxes find their owner.
  void PushModal(TForm* form);
  void PopModal(TForm* form);

 private:
  mutable std::string title_;
  TForm* mainForm_ = nullptr;
  std::vector<TForm*> forms_;
  std::vector<TForm*> modal_;
  bool initialized_ = false;
  bool terminated_ = false;
  bool running_ = false;
};

extern TApplication Application;
