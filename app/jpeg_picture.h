// Decodes a JPEG held in memory into a 24-bit DIB section.
#pragma once
#include <windows.h>
#include <cstddef>

// NULL when the data is not a JPEG that libjpeg can decode. The caller owns the bitmap.
HBITMAP DecodeJpeg(const unsigned char* data, std::size_t size, int* width, int* height);
