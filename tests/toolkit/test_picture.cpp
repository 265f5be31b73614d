// JPEG pictures decoded through libjpeg from memory, and the image component holding them.
#include <gtest/gtest.h>

#include <string>

#include "Toolkit.h"

namespace {

std::string TinyJpeg() {
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC res = FindResourceA(self, "TINY_JPEG", reinterpret_cast<LPCSTR>(RT_RCDATA));
  if (!res) return std::string();
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(self, res)));
  return std::string(bytes, SizeofResource(self, res));
}

COLORREF PixelOf(HBITMAP bmp, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bmp);
  COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return c;
}

bool Near(COLORREF c, int r, int g, int b) {
  return std::abs(GetRValue(c) - r) <= 8 && std::abs(GetGValue(c) - g) <= 8 &&
         std::abs(GetBValue(c) - b) <= 8;
}

std::string ErrorOf(const std::string& data) {
  try {
    HBITMAP b = DecodeJpeg(data.data(), data.size());
    DeleteObject(b);
  } catch (const EToolkitError& e) {
    return e.what();
  }
  return "(no error)";
}

}  // namespace

TEST(ToolkitPicture, DecodesSizeAndColours) {
  std::string jpeg = TinyJpeg();
  ASSERT_FALSE(jpeg.empty());
  HBITMAP bmp = DecodeJpeg(jpeg.data(), jpeg.size());
  ASSERT_NE(bmp, nullptr);
  BITMAP bm = {};
  ASSERT_TRUE(GetObjectA(bmp, sizeof bm, &bm));
  EXPECT_EQ(bm.bmWidth, 16);
  EXPECT_EQ(bm.bmHeight, 8);
  // Top-down rows and blue-green-red bytes: a mix-up shows as swapped colours or a flipped picture.
  EXPECT_TRUE(Near(PixelOf(bmp, 2, 1), 255, 0, 0)) << std::hex << PixelOf(bmp, 2, 1);
  EXPECT_TRUE(Near(PixelOf(bmp, 13, 6), 0, 0, 255)) << std::hex << PixelOf(bmp, 13, 6);
  DeleteObject(bmp);
}

TEST(ToolkitPicture, DataThatIsNoJpegRaises) {
  std::string jpeg = TinyJpeg();
  ASSERT_GT(jpeg.size(), 20u);
  EXPECT_NE(ErrorOf("not a picture at all"), "(no error)");
  EXPECT_NE(ErrorOf(jpeg.substr(0, 20)), "(no error)");
  EXPECT_NE(ErrorOf(""), "(no error)");
}

TEST(ToolkitPicture, ImageHoldsTheResourcePicture) {
  TForm f("TPictureForm");
  TImage img;
  img.Build(&f, {10, 10, 241, 49});
  EXPECT_FALSE(img.HasPicture());
  EXPECT_FALSE(img.LoadJpegResource(GetModuleHandleA(nullptr), "NO_SUCH_PICTURE"));
  ASSERT_TRUE(img.LoadJpegResource(GetModuleHandleA(nullptr), "TINY_JPEG"));
  EXPECT_TRUE(img.HasPicture());
  EXPECT_EQ(img.PictureWidth(), 16);
  EXPECT_EQ(img.PictureHeight(), 8);
  // The control keeps its own size; the picture is drawn unscaled inside it.
  EXPECT_EQ(img.Width(), 241);
  EXPECT_EQ(img.Height(), 49);
}
