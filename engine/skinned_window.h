// What the engine keeps for each window it draws.
#pragma once
#include <windows.h>

enum SkinKind {
    KindNone,       // left as it is; its parent's colours still reach it
    KindFrame,      // a top-level window with a caption: frame, caption, background
    KindContainer,  // a child dialog: background and the colours of its controls
    KindButton,     // push button
    KindTab,
    KindHeader,
    KindList,
};

// How a window of this class and style is drawn; decided once, when the window is first seen.
SkinKind SkinKindOf(const char* className, DWORD style);

struct SkinnedWindow {
    SkinKind kind = KindNone;
    bool active = true;        // frame: caption drawn as active
    int hotButton = 0;         // frame: caption button under the pointer (HTCLOSE, ...)
    int pressedButton = 0;     // frame: caption button held down
    bool pointerInside = false;  // push button: under the pointer
    bool savedListColours = false;
    bool colouringList = false;  // our own colour messages pass through
    COLORREF listText = 0, listBack = 0, listTextBack = 0;  // the list's own colours, put back on detach
};
