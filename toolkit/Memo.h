// A multi-line text box: GBK text whose lines are separated by CR LF, a modified flag kept by the
// control (set when the user types), an integer Tag, and loading and saving of whole files.
#pragma once

#include <string>

#include "Control.h"

class TMemo : public TControl {
 public:
  const char* ClassName() const override { return "TMemo"; }
  // Options are read at Build: a vertical scroll bar (unless turned off), lines wrapped at the box's width,
  // Enter inserts a line break, Tab is left to the dialog navigation.
  void Build(TWinControl* parent, const TBounds& bounds, const std::string& caption = "") override;
  // Set before Build; without it the box has no scroll bar at all.
  void SetVerticalScrollBar(bool shown) { vscroll_ = shown; }
  void SetReadOnly(bool readOnly);
  bool ReadOnly() const;

  // Setting the text from the program clears the modified flag.
  void SetCaption(const std::string& text) override;
  bool Modified() const;
  void SetModified(bool modified);

  // Reads the whole file (shared for reading only), every line break (CR LF, CR, LF) made CR LF;
  // the text is replaced only when it differs. The modified flag is left as it was.
  // Errors: "Cannot open file <path>"; "Text exceeds memo capacity".
  void LoadFromFile(const std::string& path);
  // Creates or replaces the file with the text exactly (no line break added at the end). The text
  // is written to a new file beside it, which replaces the old one only once it is complete, so a
  // failure leaves the old content; a read-only file or a directory at the path is refused first.
  // Errors: "Cannot create file <path>" (cannot be created or replaced); "Stream write error" (a
  // write that fails part way).
  void SaveToFile(const std::string& path) const;

 protected:
  TColor DefaultColor() const override { return clWindow; }
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // Line breaks of `text` made CR LF.
  static std::string NormalizeLineBreaks(const std::string& text);
  bool vscroll_ = true;
};
