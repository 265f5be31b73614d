#include "ImageList.h"

TImageList::TImageList(int width, int height)
    : list_(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 4, 4)) {}

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

int TImageList::Count() const { return list_ ? ImageList_GetImageCount(list_) : 0; }
