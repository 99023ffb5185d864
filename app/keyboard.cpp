#include "app/keyboard.h"

bool IsCloseKey(WPARAM virtualKey, bool ctrl, bool shift, bool alt)
{
    return virtualKey == VK_ESCAPE && !ctrl && !shift && !alt;
}

static bool KeyHeld(int key) { return (GetKeyState(key) & 0x8000) != 0; }

bool PreTranslateKey(const MSG& message, HWND mainWindow)
{
    if (message.message != WM_KEYDOWN || !mainWindow) return false;
    // No control of ours takes Esc, so only the main window answers the offer.
    for (HWND w = message.hwnd; w; w = GetAncestor(w, GA_PARENT)) {
        if (w == mainWindow) {
            if (!IsCloseKey(message.wParam, KeyHeld(VK_CONTROL), KeyHeld(VK_SHIFT), KeyHeld(VK_MENU))) return false;
            SendMessageA(mainWindow, WM_CLOSE, 0, 0);
            return true;
        }
    }
    return false;
}
