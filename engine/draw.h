// Drawing primitives shared by the painters.
#pragma once
#include <windows.h>

COLORREF MixColour(COLORREF a, COLORREF b, int weightOfB /* 0..255 */);

// A vertical gradient; `gloss` (0..255) lightens the upper half like a glass band.
void FillGradient(HDC dc, const RECT& area, COLORREF top, COLORREF bottom, int gloss);

// A face with rounded corners (radius 0: square), filled with a gradient and outlined.
void DrawFace(HDC dc, const RECT& area, int radius, COLORREF top, COLORREF bottom, int gloss, COLORREF border);

// The skin's background over `area` of `window`'s client, its pattern lined up with the top-level
// window so that neighbouring controls join without a seam.
void FillSkinBackground(HDC dc, HWND window, const RECT& area);
void AlignBackgroundBrush(HDC dc, HWND window);

// The control's own font, or the default GUI font.
HFONT ControlFont(HWND window);
