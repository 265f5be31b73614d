// The common open and save dialogs. What a caller does not set stays from the previous use: the
// initial directory and the full path chosen last, which is offered again as the file name.
#pragma once

#include <windows.h>

#include <string>

#include "Control.h"

enum : unsigned {
  ofHideReadOnly = 1,     // no read-only check box
  ofEnableSizing = 2,     // the dialog can be resized
  ofOverwritePrompt = 4,  // asks before an existing file is replaced
};

class TOpenDialog : public TObject {
 public:
  const char* ClassName() const override { return "TOpenDialog"; }
  // "description|pattern|description|pattern".
  std::string Filter;
  std::string DefaultExt;  // appended to a name typed without extension ("bmp", no dot)
  std::string Title;
  std::string InitialDir;
  std::string FileName;    // pre-filled name; the full path chosen after a confirmed Execute
  unsigned Options = ofHideReadOnly | ofEnableSizing;
  std::string Name;

  // Shows the dialog modally over the program's active form; true when the user confirmed.
  virtual bool Execute();

 protected:
  bool Run(bool save);
};

class TSaveDialog : public TOpenDialog {
 public:
  const char* ClassName() const override { return "TSaveDialog"; }
  bool Execute() override;
};

// "a|b|c|d" as the dialog's double-NUL list.
std::string DialogFilter(const std::string& filter);
