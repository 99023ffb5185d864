// The main window's keys: Esc closes it from wherever the focus is inside it.
#pragma once
#include <windows.h>

// Esc without Ctrl, Shift or Alt.
bool IsCloseKey(WPARAM virtualKey, bool ctrl, bool shift, bool alt);

// Offers a key-down to its window and each parent in turn; true when the main window took it
// (it then has been sent WM_CLOSE and the message must not be delivered).
bool PreTranslateKey(const MSG& message, HWND mainWindow);
