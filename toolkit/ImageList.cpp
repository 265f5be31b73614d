#include "ImageList.h"

TImageList::TImageList(int width, int height) : width_(width), height_(height) {
  list_ = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 4, 4);
}

TImageList::~TImageList() {
  if (list_) ImageList_Destroy(list_);
}

int TImageList::AddBitmapResource(HINSTANCE module, const char* resourceName, TColor mask) {
  auto bmp = static_cast<HBITMAP>(LoadImageA(module, resourceName, IMAGE_BITMAP, 0, 0, 0));
  if (!bmp) return 0;
  int before = Count();
  ImageList_AddMasked(list_, bmp, ColorToRGB(mask));
  DeleteObject(bmp);
  return Count() - before;
}

int TImageList::AddIconResource(HINSTANCE module, const char* resourceName) {
  auto icon = static_cast<HICON>(LoadImageA(module, resourceName, IMAGE_ICON, width_, height_, 0));
  if (!icon) return 0;
  int r = ImageList_AddIcon(list_, icon) >= 0 ? 1 : 0;
  DestroyIcon(icon);
  return r;
}

int TImageList::Count() const { return list_ ? ImageList_GetImageCount(list_) : 0; }
