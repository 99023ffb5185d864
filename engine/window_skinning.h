// Subclassing the windows of the skinned thread, and the hook that catches new ones.
#pragma once
#include <windows.h>

// Draws every window of the calling thread, and those it creates from now on, in the current skin.
bool SkinThread(HMODULE engine);

// Repaints the skinned windows after the skin changed (lists take the new colours).
void RefreshSkinnedWindows();

// Puts every window back to its own look and removes the hook; `unloading` from DllMain.
void UnskinThread(bool unloading);

// The thread whose windows are skinned; 0 when none.
DWORD SkinnedThread();
