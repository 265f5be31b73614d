// JPEG decoding from memory through libjpeg.
#pragma once

#include <windows.h>

#include <cstddef>

// A 24-bit top-down DIB section of the picture; raises EToolkitError for data that is no JPEG.
HBITMAP DecodeJpeg(const void* data, size_t size);
