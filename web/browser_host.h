// The host window of the embedded web browser, and the browser inside it.
#pragma once
#include <windows.h>
#include <exdisp.h>

extern const char BrowserHostClass[];

bool RegisterBrowserHostClass(HINSTANCE instance);

// Creates the WebBrowser control in the host (offline, silent, text size 2) and starts loading
// the catalogue page. False when the component cannot be had: the host then stays empty and white.
bool EmbedBrowser(HWND host);

// The browser of a host, or NULL; not add-referenced.
IWebBrowser2* BrowserOfHost(HWND host);
