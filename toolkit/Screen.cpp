#include "Screen.h"

#include <windows.h>

#include <algorithm>

TScreen Screen;

namespace {

int CALLBACK AddFamily(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM lp) {
  auto* names = reinterpret_cast<std::vector<std::string>*>(lp);
  std::string name = lf->lfFaceName;
  // Each family is listed once per character set; keep it once.
  if (std::find(names->begin(), names->end(), name) == names->end()) names->push_back(name);
  return 1;
}

}  // namespace

std::vector<std::string> TScreen::Fonts() const {
  std::vector<std::string> names;
  HDC dc = GetDC(nullptr);
  LOGFONTA lf = {};
  lf.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExA(dc, &lf, AddFamily, reinterpret_cast<LPARAM>(&names), 0);
  ReleaseDC(nullptr, dc);
  if (std::find(names.begin(), names.end(), "Default") == names.end()) names.push_back("Default");
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
           CSTR_LESS_THAN;
  });
  return names;
}

void TScreen::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  LPCSTR id = cursor == crHourGlass ? reinterpret_cast<LPCSTR>(IDC_WAIT)
                                    : reinterpret_cast<LPCSTR>(IDC_ARROW);
  ::SetCursor(LoadCursorA(nullptr, id));
}
