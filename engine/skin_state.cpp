#include "engine/skin_state.h"
#include <cstddef>

namespace {

bool g_have = false;
SkinLook g_look;
HBRUSH g_background = NULL;
HBITMAP g_caption = NULL;
HFONT g_captionFont = NULL;

HBITMAP MakeBitmap(const SkinPicture& picture)
{
    if (picture.empty()) return NULL;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // top-down, as stored
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    if (bitmap && bits) CopyMemory(bits, picture.pixels.data(), picture.pixels.size() * 4);
    return bitmap;
}

void DeleteObjects()
{
    if (g_background) DeleteObject(g_background);
    if (g_caption) DeleteObject(g_caption);
    if (g_captionFont) DeleteObject(g_captionFont);
    g_background = NULL;
    g_caption = NULL;
    g_captionFont = NULL;
}

}  // namespace

bool HaveSkin() { return g_have; }
const SkinLook& CurrentLook() { return g_look; }
COLORREF SkinColourOf(SkinColour which) { return g_look.colours[which]; }
int SkinMetricOf(SkinMetric which) { return g_look.metrics[which]; }

void SetCurrentSkin(SkinLook&& look)
{
    DeleteObjects();
    g_look = std::move(look);
    g_have = true;

    if (HBITMAP pattern = MakeBitmap(g_look.pictures[SkinBitmapBackground])) {
        g_background = CreatePatternBrush(pattern);
        DeleteObject(pattern);  // the brush keeps its own copy
    }
    if (!g_background) g_background = CreateSolidBrush(g_look.colours[SkinWindowBg]);
    g_caption = MakeBitmap(g_look.pictures[SkinBitmapCaption]);

    NONCLIENTMETRICSA metrics = {};
    // The size without the last field, so that older systems accept it too.
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    LOGFONTA font = {};
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        font = metrics.lfCaptionFont;
    } else {
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    }
    font.lfWeight = g_look.metrics[SkinCaptionBold] ? FW_BOLD : FW_NORMAL;
    g_captionFont = CreateFontIndirectA(&font);
}

void ClearCurrentSkin()
{
    DeleteObjects();
    g_look = SkinLook();
    g_have = false;
}

HBRUSH BackgroundBrush() { return g_background; }

HBITMAP CaptionPicture(int* width, int* height)
{
    *width = g_look.pictures[SkinBitmapCaption].width;
    *height = g_look.pictures[SkinBitmapCaption].height;
    return g_caption;
}

HFONT CaptionFont() { return g_captionFont; }
