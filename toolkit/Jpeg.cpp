#include "Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>

// Built for this platform, the library takes the platform's own boolean (unsigned char).
#include <jpeglib.h>

#include "Error.h"

namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

// The library's error exit must not return; an exception cannot cross its C frames, so it jumps
// back to DecodeJpeg, which raises there.
void ErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

void SilentMessage(j_common_ptr) {}

}  // namespace

HBITMAP DecodeJpeg(const void* data, size_t size) {
  if (!data || size == 0) throw EToolkitError("JPEG error: empty picture");
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  std::memset(&cinfo, 0, sizeof cinfo);
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = ErrorExit;
  err.pub.output_message = SilentMessage;
  err.message[0] = '\0';
  HBITMAP volatile bitmap = nullptr;  // read again after a jump
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    if (bitmap) DeleteObject(bitmap);
    throw EToolkitError(std::string("JPEG error: ") + err.message);
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, static_cast<const unsigned char*>(data), static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_EXT_BGR;  // the byte order of a 24-bit DIB
  jpeg_start_decompress(&cinfo);
  const int w = static_cast<int>(cinfo.output_width);
  const int h = static_cast<int>(cinfo.output_height);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) {
    jpeg_destroy_decompress(&cinfo);
    if (bitmap) DeleteObject(bitmap);
    throw EToolkitError("JPEG error: out of memory");
  }
  const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~static_cast<size_t>(3);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = static_cast<JSAMPROW>(bits) + stride * cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  GdiFlush();
  return bitmap;
}
