#include "web/mouse_guard.h"
#include "app/process_values.h"
#include <cstring>

const char BrowserDocumentClass[] = "Internet Explorer_Server";

bool SwallowsMouseMessage(const char* focusedClass, WPARAM message)
{
    return message == WM_RBUTTONUP && std::strcmp(focusedClass, BrowserDocumentClass) == 0;
}

LRESULT CALLBACK BrowserMouseHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    // The focus decides, not the window under the pointer. nCode does not enter the decision.
    char focusedClass[256] = "";
    if (GetClassNameA(GetFocus(), focusedClass, sizeof(focusedClass)) == 0) focusedClass[0] = '\0';
    if (SwallowsMouseMessage(focusedClass, wParam)) return 1;
    return CallNextHookEx(MouseHookHandle, nCode, wParam, lParam);
}

HHOOK InstallBrowserMouseHook(DWORD threadId)
{
    return SetWindowsHookExA(WH_MOUSE, BrowserMouseHook, NULL, threadId);
}
