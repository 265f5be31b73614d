// The screen: installed font families and the program-wide cursor.
#pragma once

#include <string>
#include <vector>

enum TCursor { crDefault, crHourGlass, crArrow };

class TScreen {
 public:
  // The installed font families, each once, and "Default", sorted without regard to case.
  std::vector<std::string> Fonts() const;

  // crHourGlass shows the wait cursor over every window of the program until set back.
  void SetCursor(TCursor cursor);

 private:
  friend class TControl;  // shows the cursor over its window
  TCursor Cursor() const { return cursor_; }
  TCursor cursor_ = crDefault;
};

extern TScreen Screen;
