// The skin in use and the drawing objects made from it.
#pragma once
#include "engine/skin_look.h"
#include <windows.h>

bool HaveSkin();
const SkinLook& CurrentLook();
COLORREF SkinColourOf(SkinColour which);
int SkinMetricOf(SkinMetric which);

// Takes the new look and rebuilds the drawing objects; the old ones are deleted.
void SetCurrentSkin(SkinLook&& look);
void ClearCurrentSkin();

// Background brush (the skin's pattern, or its plain colour) and the caption picture (may be NULL).
HBRUSH BackgroundBrush();
HBITMAP CaptionPicture(int* width, int* height);
HFONT CaptionFont();
