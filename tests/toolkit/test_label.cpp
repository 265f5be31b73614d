// Labels that show data show every "&" as it is; fixed captions keep "&" as an accelerator mark.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "Toolkit.h"

namespace {

// What a label paints: true where a pixel differs from the background (the most frequent colour).
std::vector<bool> Ink(int w, int h, const std::function<void(HDC)>& paint) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT all = {0, 0, w, h};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  paint(dc);
  GdiFlush();
  const auto* px = static_cast<const DWORD*>(bits);
  std::vector<DWORD> sorted(px, px + w * h);
  std::sort(sorted.begin(), sorted.end());
  DWORD background = sorted[0];
  size_t best = 0;
  for (size_t i = 0; i < sorted.size();) {
    size_t j = i;
    while (j < sorted.size() && sorted[j] == sorted[i]) ++j;
    if (j - i > best) best = j - i, background = sorted[i];
    i = j;
  }
  std::vector<bool> ink(px, px + w * h);
  for (int i = 0; i < w * h; ++i) ink[i] = px[i] != background;
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  return ink;
}

int TextWidth(const TLabel& label, const std::string& text, UINT extra) {
  HDC dc = GetDC(label.Handle());
  HGDIOBJ old = SelectObject(dc, label.Font().Handle());
  RECT r = {0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_EXPANDTABS | extra);
  SelectObject(dc, old);
  ReleaseDC(label.Handle(), dc);
  return r.right - r.left;
}

}  // namespace

// A label that shows data shows every "&" (a folder "R&D", "&&") as it is: in its window text, in
// what it paints and in the size it takes; a caption with an accelerator keeps it.
TEST(ToolkitLabel, DataLabelShowsEveryAmpersand) {
  TForm f("TLabelDataForm");
  f.SetClientSize(400, 100);
  const char* texts[] = {"C:\\R&D\\lex.dat", "C:\\R&&D\\lex.dat", "a & b", "&&&"};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    TLabel data, fixed;
    data.SetShowAccelChar(false);
    data.Build(&f, {8, 8, 0, 0}, text);
    fixed.Build(&f, {8, 40, 0, 0}, text);
    EXPECT_EQ(data.Caption(), text);
    EXPECT_NE(GetWindowLongA(data.Handle(), GWL_STYLE) & SS_NOPREFIX, 0);
    EXPECT_EQ(GetWindowLongA(fixed.Handle(), GWL_STYLE) & SS_NOPREFIX, 0);
    // Auto size measures the text as shown.
    EXPECT_EQ(data.Width(), TextWidth(data, text, DT_NOPREFIX));
    EXPECT_EQ(fixed.Width(), TextWidth(fixed, text, 0));
    ASSERT_NE(TextWidth(data, text, DT_NOPREFIX), TextWidth(data, text, 0));  // the case tells them apart

    const int w = data.Width(), h = data.Height();
    auto painted = [&](TLabel& label) {
      return Ink(w, h, [&](HDC dc) { SendMessageA(label.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT); });
    };
    auto drawn = Ink(w, h, [&](HDC dc) {
      HGDIOBJ old = SelectObject(dc, data.Font().Handle());
      SetBkMode(dc, TRANSPARENT);
      RECT r = {0, 0, data.Width(), h};
      DrawTextA(dc, text, -1, &r, DT_LEFT | DT_EXPANDTABS | DT_NOPREFIX);
      SelectObject(dc, old);
    });
    EXPECT_EQ(painted(data), drawn);
    EXPECT_NE(painted(fixed), drawn);
  }
  // The option set after building takes effect as well, in the style and in the size.
  TLabel late;
  late.Build(&f, {8, 70, 0, 0}, "C:\\R&D\\lex.dat");
  late.SetShowAccelChar(false);
  EXPECT_NE(GetWindowLongA(late.Handle(), GWL_STYLE) & SS_NOPREFIX, 0);
  EXPECT_EQ(late.Width(), TextWidth(late, "C:\\R&D\\lex.dat", DT_NOPREFIX));
}
