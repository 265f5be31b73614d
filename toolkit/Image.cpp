#include "Image.h"

#include <algorithm>

#include "Error.h"
#include "Jpeg.h"

TImage::~TImage() { FreePicture(); }

void TImage::Build(TWinControl* parent, const TBounds& bounds, const std::string& caption) {
  CreateHandle(parent, "TImage", WS_VISIBLE, 0, bounds, caption);
}

void TImage::FreePicture() {
  if (bitmap_) DeleteObject(bitmap_);
  if (icon_) DestroyIcon(icon_);
  bitmap_ = nullptr;
  icon_ = nullptr;
}

void TImage::SetBitmap(HBITMAP bitmap) {
  FreePicture();
  bitmap_ = bitmap;
  Invalidate();
}

bool TImage::LoadBitmap(HINSTANCE module, const char* resourceName) {
  auto bmp = static_cast<HBITMAP>(
      LoadImageA(module, resourceName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bmp) return false;
  SetBitmap(bmp);
  return true;
}

bool TImage::LoadIcon(HINSTANCE module, const char* resourceName, int size) {
  auto icon = static_cast<HICON>(LoadImageA(module, resourceName, IMAGE_ICON, size, size, 0));
  if (!icon) return false;
  FreePicture();
  icon_ = icon;
  iconSize_ = size;
  Invalidate();
  return true;
}

bool TImage::LoadJpegResource(HINSTANCE module, const char* resourceName) {
  HRSRC res = FindResourceA(module, resourceName, reinterpret_cast<LPCSTR>(RT_RCDATA));
  if (!res) return false;
  HGLOBAL data = LoadResource(module, res);
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) return false;
  SetBitmap(DecodeJpeg(bytes, SizeofResource(module, res)));
  return true;
}

void TImage::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Invalidate();
}

int TImage::PictureWidth() const {
  if (icon_) return iconSize_;
  BITMAP bm = {};
  return bitmap_ && GetObjectA(bitmap_, sizeof bm, &bm) ? bm.bmWidth : 0;
}

int TImage::PictureHeight() const {
  if (icon_) return iconSize_;
  BITMAP bm = {};
  return bitmap_ && GetObjectA(bitmap_, sizeof bm, &bm) ? bm.bmHeight : 0;
}

void TImage::Paint(HDC dc) {
  RECT r;
  GetClientRect(handle_, &r);
  FillRect(dc, &r, BrushOf(EffectiveColor()));
  if (icon_) {
    DrawIconEx(dc, 0, 0, icon_, iconSize_, iconSize_, 0, nullptr, DI_NORMAL);
    return;
  }
  if (!bitmap_) return;
  int w = std::min<int>(PictureWidth(), r.right);
  int h = std::min<int>(PictureHeight(), r.bottom);
  HDC src = CreateCompatibleDC(dc);
  HGDIOBJ oldSrc = SelectObject(src, bitmap_);
  if (!transparent_) {
    BitBlt(dc, 0, 0, w, h, src, 0, 0, SRCCOPY);
  } else {
    // The colour of the bottom-left pixel is the see-through one: a mask of it, then the usual
    // invert-and-mask blits leave the background where the mask is set.
    COLORREF key = GetPixel(src, 0, PictureHeight() - 1);
    HDC maskDc = CreateCompatibleDC(dc);
    HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(maskDc, mask);
    SetBkColor(src, key);
    BitBlt(maskDc, 0, 0, w, h, src, 0, 0, SRCCOPY);
    COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    BitBlt(dc, 0, 0, w, h, src, 0, 0, SRCINVERT);
    BitBlt(dc, 0, 0, w, h, maskDc, 0, 0, SRCAND);
    BitBlt(dc, 0, 0, w, h, src, 0, 0, SRCINVERT);
    SetBkColor(dc, oldBk);
    SetTextColor(dc, oldText);
    SelectObject(maskDc, oldMask);
    DeleteObject(mask);
    DeleteDC(maskDc);
  }
  SelectObject(src, oldSrc);
  DeleteDC(src);
}

LRESULT TImage::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  // The picture takes no mouse input: it goes to the window beneath.
  if (msg == WM_NCHITTEST) return HTTRANSPARENT;
  return TPaintedControl::WndProc(msg, wp, lp);
}
