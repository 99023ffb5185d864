#include "web/browser_host.h"

const char BrowserHostClass[] = "QelvanHtmlHost";

static LRESULT CALLBACK BrowserHostProc(HWND host, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(host, message, wParam, lParam);
}

bool RegisterBrowserHostClass(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = BrowserHostProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = BrowserHostClass;
    return RegisterClassA(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool EmbedBrowser(HWND)
{
    return false;
}
