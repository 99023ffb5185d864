// The caption and frame of top-level windows.
#pragma once
#include "engine/skinned_window.h"

// Whether the engine draws this window's frame now: a plain caption, no menu, not minimised.
bool DrawsFrame(HWND window);

void PaintFrame(HWND window, const SkinnedWindow& state);

// The hit-test code of a screen point on the drawn caption, or `fallback` elsewhere.
LRESULT FrameHitTest(HWND window, POINT screen, LRESULT fallback);

// Runs a press of a caption button (HTCLOSE, HTMINBUTTON, HTMAXBUTTON) until the release.
void TrackCaptionButton(HWND window, SkinnedWindow& state, int button);
