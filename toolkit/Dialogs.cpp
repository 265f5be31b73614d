#include "Dialogs.h"

#include <commdlg.h>

#include <cstring>

#include "Application.h"

std::string DialogFilter(const std::string& filter) {
  std::string out = filter;
  for (char& c : out) {
    if (c == '|') c = '\0';
  }
  out.push_back('\0');
  out.push_back('\0');
  return out;
}

bool TOpenDialog::Execute() { return Run(false); }

bool TSaveDialog::Execute() { return Run(true); }

bool TOpenDialog::Run(bool save) {
  char file[MAX_PATH] = {0};  // 259 characters and the NUL
  std::strncpy(file, FileName.c_str(), MAX_PATH - 1);
  std::string filter = DialogFilter(Filter);
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = Application.ActiveWindow();
  ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
  ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
  // The process's current directory stays where it was.
  ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (Options & ofHideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
  if (Options & ofEnableSizing) ofn.Flags |= OFN_ENABLESIZING;
  if (Options & ofOverwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
  BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!ok) return false;
  FileName = file;
  // The open dialog drops the default extension again when no such file exists yet; a name typed
  // without one gets it all the same, as the save dialog does.
  if (!DefaultExt.empty()) {
    size_t slash = FileName.find_last_of("\\/");
    size_t dot = FileName.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
      FileName += "." + DefaultExt;
  }
  return true;
}
