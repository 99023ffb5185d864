#include "app/jpeg_picture.h"
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

void OnJpegError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1);
}

void IgnoreJpegMessage(j_common_ptr) {}

}  // namespace

HBITMAP DecodeJpeg(const unsigned char* data, std::size_t size, int* width, int* height)
{
    if (!data || size == 0) return NULL;
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnJpegError;
    errors.base.output_message = IgnoreJpegMessage;
    // Volatile: these change between setjmp and a longjmp back to it.
    HBITMAP volatile bitmap = NULL;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        if (bitmap) DeleteObject(bitmap);
        return NULL;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);

    const int w = static_cast<int>(info.output_width);
    const int h = static_cast<int>(info.output_height);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = w;
    bmi.bmiHeader.biHeight = -h;  // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap = CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
    if (!bitmap) {
        jpeg_destroy_decompress(&info);
        return NULL;
    }
    const int stride = (w * 3 + 3) & ~3;
    unsigned char* pixels = static_cast<unsigned char*>(bits);
    while (info.output_scanline < info.output_height) {
        unsigned char* row = pixels + static_cast<std::size_t>(info.output_scanline) * stride;
        JSAMPROW rows[1] = {row};
        jpeg_read_scanlines(&info, rows, 1);
        for (int x = 0; x < w; ++x) {  // RGB to the DIB's BGR
            unsigned char t = row[x * 3];
            row[x * 3] = row[x * 3 + 2];
            row[x * 3 + 2] = t;
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    if (width) *width = w;
    if (height) *height = h;
    return bitmap;
}
