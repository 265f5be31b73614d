// The base of every component. A visual component owns one window and reads its state from it, so
// what a caller reads is what the user sees. Each window carries the component's name as the
// window property "KrevName" (a global atom; GlobalGetAtomNameA gives the name), so a driver in
// another process finds `chkICW` with FindNamedWindow below or by walking the windows itself.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Graphics.h"

class TForm;
class TWinControl;

// The sender of an event.
class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
  // The component's class name ("TPanel", "TCheckBox", ...).
  virtual const char* ClassName() const { return "TObject"; }
};

using TNotifyEvent = std::function<void(TObject* sender)>;

enum TAlign { alNone, alTop, alBottom, alLeft, alClient };

enum : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;

enum TAlignment { taLeftJustify, taCenter };

struct TBounds {
  int Left = 0, Top = 0, Width = 0, Height = 0;
};

class TControl : public TObject {
 public:
  TControl() = default;
  ~TControl() override;

  // Creates the window inside `parent` (a form or container) at the given place, with the
  // caption. Font and colour come from the parent unless set on this control afterwards.
  virtual void Build(TWinControl* parent, const TBounds& bounds, const std::string& caption = "");

  HWND Handle() const { return handle_; }
  TWinControl* Parent() const { return parent_; }

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);  // also stored on the window

  // Place in the parent's client area, read from the window (a scrolled child moves).
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  int ClientWidth() const;
  int ClientHeight() const;

  // Visible means the window's own visible style, whatever its parents show.
  bool Visible() const;
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const;
  void SetEnabled(bool enabled);

  // The window text: a button's or label's caption, an edit's text.
  std::string Caption() const;
  virtual void SetCaption(const std::string& text);
  std::string Text() const { return Caption(); }
  void SetText(const std::string& text) { SetCaption(text); }

  const TFont& Font() const { return font_; }
  virtual void SetFont(const TFont& font);  // this control stops following its parent's font
  // clDefault: the kind's default, which for labels, buttons and group boxes is the parent's colour.
  TColor Color() const { return color_; }
  virtual void SetColor(TColor color);

  // Alignment in the parent (alTop bars, alClient pages) and anchors to the parent's edges; both
  // take effect whenever the parent's client area changes size.
  void SetAlign(TAlign align);
  void SetAnchors(TAnchors anchors);

  void BringToFront();  // to the top of the parent's stack
  bool IsFront() const;  // topmost among its siblings

  int Tag = 0;
  TNotifyEvent OnClick;

 protected:
  // Makes the window: `cls` a system or toolkit class; the toolkit subclasses system ones.
  void CreateHandle(TWinControl* parent, const char* cls, DWORD style, DWORD exStyle,
                    const TBounds& bounds, const std::string& caption);
  // The kind's default colour when Color() is clDefault; clDefault here means the parent's.
  virtual TColor DefaultColor() const { return clDefault; }
  // The cursor over the control, nullptr for the class cursor.
  virtual HCURSOR Cursor() const { return nullptr; }
  // The colour actually painted (clDefault resolved through the parents).
  TColor EffectiveColor() const;
  void Invalidate();
  // Runs OnClick, when bound.
  void Click();

  // Messages of this window; the default forwards to the window class.
  virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);
  // Notifications reflected from the parent: WM_COMMAND code, WM_NOTIFY, colours.
  virtual bool HandleCommand(WORD code) { (void)code; return false; }
  virtual bool HandleNotify(NMHDR* hdr, LRESULT& result) { (void)hdr; (void)result; return false; }
  virtual HBRUSH HandleCtlColor(HDC dc);

  // Scrolls every scroll box holding the control by the least amount that brings it wholly into
  // view; focus does it, however it comes (Tab, a click, the program).
  void ShowInScrollBoxes();

  // Hands the font to the window; labels also fit their size to it.
  virtual void ApplyFont();
  void InheritFrom(TWinControl* parent);  // parent's font when this one follows it

  friend class TWinControl;
  friend LRESULT CALLBACK ToolkitWndProc(HWND, UINT, WPARAM, LPARAM);

  HWND handle_ = nullptr;
  TWinControl* parent_ = nullptr;
  std::string name_;
  TFont font_;
  bool parentFont_ = true;
  TColor color_ = clDefault;
  TAlign align_ = alNone;
  TAnchors anchors_ = akLeft | akTop;
  // Distances to the parent's right and bottom edges, kept for the anchors.
  int anchorRight_ = 0, anchorBottom_ = 0;
  WNDPROC classProc_ = nullptr;
  ATOM nameAtom_ = 0;

 private:
  friend class TApplication;  // finds the form of a message
  friend class TForm;         // presses its buttons
  friend std::string WindowComponentName(HWND hwnd);

  void SetVisible(bool visible);
  // The component of a window made by the toolkit, or nullptr.
  static TControl* FromHandle(HWND hwnd);
  // Whether the focus is on this control or inside it; the form it lies on.
  bool HoldsFocus() const;
  TForm* OwnerForm() const;
  // Runs `change` (hiding or disabling this control); a focus it held moves on to a control the
  // user can reach.
  void LeaveReach(const std::function<void()>& change);
};

// A component that holds others: forms, panels, group boxes, scroll boxes, pages.
class TWinControl : public TControl {
 public:
  ~TWinControl() override;
  const std::vector<TControl*>& Controls() const { return children_; }
  // This control or the first descendant with that name, depth first; nullptr when none.
  TControl* FindControl(const std::string& name);
  void SetFont(const TFont& font) override;  // children that follow their parent's font follow

  // How far the content is scrolled up: children are placed in content coordinates and made this
  // much higher. 0 for a container that does not scroll.
  virtual int ScrollOffset() const { return 0; }
  // Scrolls `control` (a descendant) wholly into view; nothing for a container that does not scroll.
  virtual void BringIntoView(TControl* control) { (void)control; }

 protected:
  // Puts aligned children in place and moves anchored ones after a change of the client area.
  virtual void Realign();
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  // The rectangle in which aligned children are laid out.
  virtual RECT AlignRect() const;
  void EraseWith(HDC dc, TColor color);
  void PassFont(const TFont& font);  // to the children that follow this one's font

  friend class TControl;
  std::vector<TControl*> children_;
  // While set, a change of the client area re-measures the anchored children instead of moving
  // them (a scroll bar that appears or goes is no resize of the content).
  bool recordAnchors_ = false;
};

// Registers a toolkit window class (once) whose procedure dispatches to the components.
void RegisterToolkitClass(const char* name, UINT style = CS_DBLCLKS);

// The first window at or below `root` (nullptr: every top-level window) whose "KrevName" property
// names `name`, without regard to letter case (compname.h); works for windows of other processes
// too.
HWND FindNamedWindow(HWND root, const std::string& name);
// The name of a component: as given for one of this process, as the atom reads (its letter case
// possibly another program's) for a window of another process; empty when none.
std::string WindowComponentName(HWND hwnd);

