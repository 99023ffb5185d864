// The host window of the embedded web browser, and the browser inside it.
#pragma once
#include <windows.h>

extern const char BrowserHostClass[];

bool RegisterBrowserHostClass(HINSTANCE instance);

// Creates the WebBrowser control in the host and starts loading the catalogue page.
// False when the component cannot be had; the host then stays an empty white window.
bool EmbedBrowser(HWND host);
