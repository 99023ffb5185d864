// Painting of the controls the engine draws itself.
#pragma once
#include "engine/skinned_window.h"
#include <commctrl.h>

void PaintPushButton(HWND button, HDC dc, const SkinnedWindow& state);
void PaintTab(HWND tab, HDC dc);
void PaintHeader(HWND header, HDC dc);

// Row colours of a list, answered to its NM_CUSTOMDRAW.
LRESULT ListCustomDraw(NMLVCUSTOMDRAW* draw);

// The skin's colours on a list, keeping its own in `state` the first time.
void ColourList(HWND list, SkinnedWindow& state);
void RestoreListColours(HWND list, const SkinnedWindow& state);

// A colour the program sets on a skinned list is kept for the way back, and the skin's stays.
bool KeepListColour(SkinnedWindow& state, UINT message, COLORREF colour);
