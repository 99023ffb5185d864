#include "engine/skinned_window.h"
#include <commctrl.h>
#include <cstring>

SkinKind SkinKindOf(const char* className, DWORD style)
{
    bool child = (style & WS_CHILD) != 0;
    if (_stricmp(className, "Button") == 0) {
        DWORD type = style & BS_TYPEMASK;
        return child && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) ? KindButton : KindNone;
    }
    if (_stricmp(className, WC_TABCONTROLA) == 0)
        return child && !(style & (TCS_BUTTONS | TCS_VERTICAL | TCS_OWNERDRAWFIXED)) ? KindTab : KindNone;
    if (_stricmp(className, WC_HEADERA) == 0) return child && !(style & HDS_HIDDEN) ? KindHeader : KindNone;
    if (_stricmp(className, WC_LISTVIEWA) == 0) return child ? KindList : KindNone;
    if (_stricmp(className, "#32770") == 0) return child ? KindContainer : KindFrame;
    if (!child && (style & WS_CAPTION) == WS_CAPTION) return KindFrame;
    return KindNone;
}
