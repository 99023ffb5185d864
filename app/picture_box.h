// A picture box: shows a bitmap unscaled at its top left on the button-face colour.
#pragma once
#include <windows.h>

extern const char PictureBoxClass[];

// wParam: an HBITMAP that the control then owns and deletes.
const UINT PBM_SETPICTURE = WM_APP + 1;
// Sent to the parent in WM_COMMAND when the left button is pressed over the control.
const WORD PBN_LEFTBUTTONDOWN = 1;

bool RegisterPictureBoxClass(HINSTANCE instance);
