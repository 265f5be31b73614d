// A top-level window with its components. The window exists from construction on (hidden), so a
// derived form builds its components in its constructor; OnCreate runs once afterwards, through
// TApplication::CreateForm or DoCreate, inside the default error box.
#pragma once

#include "Control.h"

class TButton;

enum TFormBorderStyle { bsSizeable, bsDialog };
enum TPosition { poDesigned, poScreenCenter, poMainFormCenter };

// Modal results.
enum : int { mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL };

class TForm : public TWinControl {
 public:
  // `className` is the window class ("TfrmMain"), registered on first use.
  explicit TForm(const char* className = "TForm");
  ~TForm() override;
  const char* ClassName() const override { return className_.c_str(); }

  void SetClientSize(int width, int height);  // client area; the outer size follows the border
  void SetOuterSize(int width, int height);   // the whole window
  void SetBorderStyle(TFormBorderStyle style);  // bsDialog: fixed, close box only
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position);         // applied each time the form is shown
  // Icon from a resource of `module` (16 x 16 small and 32 x 32 big images where present).
  void SetIcon(HINSTANCE module, const char* resourceName);

  // Enter presses the default button; Esc does nothing (the forms have no cancel button).
  void SetDefaultButton(TButton* button);
  TButton* DefaultButton() const { return default_; }

  // Shows the window (centring it as Position says) and activates it. A form that was hidden
  // shows with the focus where the keyboard enters it (its first tab stop, Keyboard.h).
  void Show();
  // Shows the window modally: every other form is disabled until a modal result is set or the
  // form is closed; returns the modal result (mrCancel for a close).
  int ShowModal();
  void SetModalResult(int result);
  // Closes the form: runs OnClose, then hides it; a modal form ends its showing, the main form
  // ends the message loop.
  void Close();

  // Runs OnCreate once, showing an escaped error in the default error box.
  void DoCreate();

  TNotifyEvent OnCreate;
  TNotifyEvent OnClose;

  // Unnamed components owned by the form (labels and rules of layout tables).
  template <class T>
  T* Own() {
    T* p = new T();
    owned_.push_back(p);
    return p;
  }

 protected:
  TColor DefaultColor() const override { return clBtnFace; }
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  friend class TApplication;  // hands the form its keyboard messages
  friend class TControl;      // tells it when a control goes out of the user's reach

  // Keyboard navigation (Keyboard.h): the focus to the next (or previous) tab stop the user can
  // reach, or to `control`; the focused push button, else the default button, looks default.
  void SelectNext(bool backwards);
  void FocusControl(HWND control);
  // Where the keyboard enters `container` (nullptr: the form), by EntryOf (Keyboard.h).
  HWND EntryControl(HWND container) const;
  // The focus never stays where the user cannot reach it (a hidden or disabled control, a page
  // that is not in front): when it does, it moves to where the keyboard enters `page`, the page
  // now in front, when given, else the nearest container of the lost control that the user can
  // reach. KeepFocusReachable looks at the focus itself; Refocus moves it from `lost`.
  void KeepFocusReachable(HWND page);
  void Refocus(HWND lost, HWND page);
  // An arrow key from `from`: the next radio button of its group, selected, or the next tab stop
  // of its container.
  void MoveWithArrow(HWND from, bool backwards);
  // The dialog keys of a message for this form: Tab, Shift+Tab, the arrow keys, Enter, Esc and
  // mnemonics (Alt+letter, or a letter where the focus takes no text); true when done with it.
  // What it leaves is translated and dispatched as any message.
  bool DialogKey(MSG& msg);

  void Centre();
  bool PressButton(TButton* button);
  TButton* ButtonById(int id);

  std::string className_;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TPosition position_ = poDesigned;
  TButton* default_ = nullptr;
  int modalResult_ = mrNone;
  bool inModal_ = false;
  bool created_ = false;
  HICON iconSmall_ = nullptr, iconBig_ = nullptr;
  HWND lastFocus_ = nullptr;  // the focused control when the form was last deactivated
  std::vector<TObject*> owned_;
};
