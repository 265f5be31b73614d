// A picture drawn unscaled at the control's top-left corner and clipped to it: a bitmap, an icon or
// a JPEG. A transparent bitmap lets the parent show through where it has the colour of its
// bottom-left pixel.
#pragma once

#include <string>

#include "Painted.h"

class TImage : public TPaintedControl<TControl> {
 public:
  ~TImage() override;
  const char* ClassName() const override { return "TImage"; }
  void Build(TWinControl* parent, const TBounds& bounds, const std::string& caption = "") override;

  // Each replaces the picture; false when the resource is missing.
  bool LoadBitmap(HINSTANCE module, const char* resourceName);
  bool LoadIcon(HINSTANCE module, const char* resourceName, int size);
  // A JPEG stored as an RCDATA resource; false when the resource is missing. Raises EToolkitError
  // when the data is no JPEG.
  bool LoadJpegResource(HINSTANCE module, const char* resourceName);

  void SetTransparent(bool transparent);
  bool Transparent() const { return transparent_; }
  bool HasPicture() const { return bitmap_ != nullptr || icon_ != nullptr; }
  int PictureWidth() const;
  int PictureHeight() const;
  HBITMAP Bitmap() const { return bitmap_; }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void Paint(HDC dc) override;

 private:
  void SetBitmap(HBITMAP bitmap);  // takes ownership
  void FreePicture();
  HBITMAP bitmap_ = nullptr;
  HICON icon_ = nullptr;
  int iconSize_ = 0;
  bool transparent_ = false;
};
