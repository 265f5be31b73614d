// A list of equally sized pictures for tree views.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "Graphics.h"

class TImageList {
 public:
  TImageList(int width, int height);
  ~TImageList();
  TImageList(const TImageList&) = delete;
  TImageList& operator=(const TImageList&) = delete;

  // Adds the pictures of a bitmap resource cut into widths of the list's; `mask` is the colour
  // drawn transparent. Returns the number of pictures added (0 when the resource is missing).
  int AddBitmapResource(HINSTANCE module, const char* resourceName, TColor mask);
  int Count() const;
  HIMAGELIST Handle() const { return list_; }

 private:
  HIMAGELIST list_ = nullptr;
};
