// Keeps right-button releases away from the embedded page, so it shows no context menu.
#pragma once
#include <windows.h>

extern const char BrowserDocumentClass[];

// The decision of the hook: swallow a message for this focused window class.
bool SwallowsMouseMessage(const char* focusedClass, WPARAM message);

// A WH_MOUSE procedure; forwards with the newest hook's handle, MouseHookHandle.
LRESULT CALLBACK BrowserMouseHook(int nCode, WPARAM wParam, LPARAM lParam);

// Installs one more hook on the given thread; returns its handle (NULL on failure).
HHOOK InstallBrowserMouseHook(DWORD threadId);
