// The main window: its class, its seven controls and the change of tab page.
#pragma once
#include <windows.h>

extern const char MainWindowClass[];
extern const char MainWindowTitle[];

// Creates the window hidden and centred, with its controls; NULL (and nothing left behind)
// when the window or any control cannot be created.
HWND LoadMainWindow(HINSTANCE instance);

// Shows the controls of the selected page, hides the others' and moves the focus.
void ShowTabPage(int page);

// Where a window of the given outer size is centred on the primary screen.
POINT CentredPlace(int screenWidth, int screenHeight, int width, int height);
