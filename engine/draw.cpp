#include "engine/draw.h"
#include "engine/skin_state.h"

COLORREF MixColour(COLORREF a, COLORREF b, int w)
{
    auto part = [w](int x, int y) { return x + (y - x) * w / 255; };
    return RGB(part(GetRValue(a), GetRValue(b)), part(GetGValue(a), GetGValue(b)), part(GetBValue(a), GetBValue(b)));
}

void FillGradient(HDC dc, const RECT& area, COLORREF top, COLORREF bottom, int gloss)
{
    int height = area.bottom - area.top;
    if (height <= 0 || area.right <= area.left) return;
    int half = height / 2;
    for (int y = 0; y < height; ++y) {
        COLORREF colour = MixColour(top, bottom, height > 1 ? y * 255 / (height - 1) : 0);
        if (gloss > 0 && y < half) colour = MixColour(colour, RGB(255, 255, 255), gloss * (half - y) / half / 3);
        HBRUSH brush = CreateSolidBrush(colour);
        RECT line = {area.left, area.top + y, area.right, area.top + y + 1};
        FillRect(dc, &line, brush);
        DeleteObject(brush);
    }
}

void DrawFace(HDC dc, const RECT& area, int radius, COLORREF top, COLORREF bottom, int gloss, COLORREF border)
{
    HRGN shape = radius > 0
        ? CreateRoundRectRgn(area.left, area.top, area.right + 1, area.bottom + 1, radius * 2, radius * 2)
        : CreateRectRgn(area.left, area.top, area.right, area.bottom);
    int saved = SaveDC(dc);
    ExtSelectClipRgn(dc, shape, RGN_AND);
    FillGradient(dc, area, top, bottom, gloss);
    RestoreDC(dc, saved);
    HBRUSH line = CreateSolidBrush(border);
    FrameRgn(dc, shape, line, 1, 1);
    DeleteObject(line);
    DeleteObject(shape);
}

void AlignBackgroundBrush(HDC dc, HWND window)
{
    POINT origin = {0, 0};
    HWND root = GetAncestor(window, GA_ROOT);
    if (root && root != window) MapWindowPoints(window, root, &origin, 1);
    const SkinPicture& pattern = CurrentLook().pictures[SkinBitmapBackground];
    int w = pattern.width > 0 ? pattern.width : 1, h = pattern.height > 0 ? pattern.height : 1;
    SetBrushOrgEx(dc, ((-origin.x) % w + w) % w, ((-origin.y) % h + h) % h, NULL);
}

void FillSkinBackground(HDC dc, HWND window, const RECT& area)
{
    POINT old;
    GetBrushOrgEx(dc, &old);
    AlignBackgroundBrush(dc, window);
    FillRect(dc, &area, BackgroundBrush());
    SetBrushOrgEx(dc, old.x, old.y, NULL);
}

HFONT ControlFont(HWND window)
{
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}
