#include "engine/control_paint.h"
#include "engine/draw.h"
#include "engine/skin_state.h"
#include <string>

namespace {

std::string WindowText(HWND window)
{
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    int got = GetWindowTextA(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

COLORREF C(SkinColour which) { return SkinColourOf(which); }

}  // namespace

void PaintPushButton(HWND button, HDC dc, const SkinnedWindow& state)
{
    RECT client;
    GetClientRect(button, &client);
    LONG style = GetWindowLongA(button, GWL_STYLE);
    LRESULT buttonState = SendMessageA(button, BM_GETSTATE, 0, 0);
    bool enabled = IsWindowEnabled(button) != FALSE;
    bool pressed = enabled && (buttonState & BST_PUSHED);
    bool hot = enabled && state.pointerInside;
    bool focused = GetFocus() == button;
    bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;

    FillSkinBackground(dc, button, client);
    COLORREF top = C(SkinButtonFrom), bottom = C(SkinButtonTo);
    if (pressed) {
        top = C(SkinButtonPressFrom);
        bottom = C(SkinButtonPressTo);
    } else if (hot) {
        top = C(SkinButtonHotFrom);
        bottom = C(SkinButtonHotTo);
    }
    RECT face = client;
    face.right -= 1;
    face.bottom -= 1;
    int radius = SkinMetricOf(SkinButtonRadius);
    if (radius * 2 > face.bottom - face.top) radius = (face.bottom - face.top) / 2;
    COLORREF border = (focused || isDefault) && enabled ? C(SkinAccent) : C(SkinButtonBorder);
    DrawFace(dc, face, radius, top, bottom, pressed ? 0 : SkinMetricOf(SkinGloss), border);
    if (focused && enabled) {
        // A second, inner outline marks the focus without a dotted rectangle.
        RECT inner = face;
        InflateRect(&inner, -1, -1);
        HRGN ring = radius > 1 ? CreateRoundRectRgn(inner.left, inner.top, inner.right + 1, inner.bottom + 1,
                                                     (radius - 1) * 2, (radius - 1) * 2)
                               : CreateRectRgn(inner.left, inner.top, inner.right, inner.bottom);
        HBRUSH brush = CreateSolidBrush(MixColour(C(SkinAccent), top, 110));
        FrameRgn(dc, ring, brush, 1, 1);
        DeleteObject(brush);
        DeleteObject(ring);
    }

    std::string text = WindowText(button);
    HGDIOBJ oldFont = SelectObject(dc, ControlFont(button));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, enabled ? C(SkinButtonText) : C(SkinDisabledText));
    RECT area = client;
    InflateRect(&area, -4, -2);
    if (pressed) OffsetRect(&area, 1, 1);
    UINT format = DT_CENTER | DT_NOCLIP;
    if (SendMessageA(button, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) format |= DT_HIDEPREFIX;
    if (style & BS_MULTILINE) {
        RECT measure = area;
        DrawTextA(dc, text.c_str(), -1, &measure, format | DT_WORDBREAK | DT_CALCRECT);
        int shift = ((area.bottom - area.top) - (measure.bottom - measure.top)) / 2;
        if (shift > 0) area.top += shift;
        DrawTextA(dc, text.c_str(), -1, &area, format | DT_WORDBREAK);
    } else {
        DrawTextA(dc, text.c_str(), -1, &area, format | DT_VCENTER | DT_SINGLELINE);
    }
    SelectObject(dc, oldFont);
}

void PaintTab(HWND tab, HDC dc)
{
    RECT client;
    GetClientRect(tab, &client);
    FillSkinBackground(dc, tab, client);

    // The page: the display area plus the frame the control keeps around it.
    RECT page = client;
    SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    InflateRect(&page, 2, 2);
    if (page.left < client.left) page.left = client.left;
    if (page.right > client.right) page.right = client.right;
    if (page.bottom > client.bottom) page.bottom = client.bottom;
    HBRUSH border = CreateSolidBrush(C(SkinPageBorder));
    FrameRect(dc, &page, border);

    int count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
    int selected = static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0));
    int radius = SkinMetricOf(SkinTabRadius);
    HGDIOBJ oldFont = SelectObject(dc, ControlFont(tab));
    SetBkMode(dc, TRANSPARENT);
    for (int pass = 0; pass < 2; ++pass) {  // the selected tab last, over its neighbours
        for (int i = 0; i < count; ++i) {
            bool isSelected = i == selected;
            if (isSelected != (pass == 1)) continue;
            RECT item;
            if (!SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) continue;
            if (isSelected) {
                InflateRect(&item, 2, 0);
                item.top -= 2;
            }
            item.bottom = page.top + 1;  // joins the page's top line
            RECT face = item;
            face.bottom += radius;       // only the upper corners stay round
            int saved = SaveDC(dc);
            IntersectClipRect(dc, item.left, item.top, item.right, item.bottom);
            DrawFace(dc, face, radius, C(isSelected ? SkinTabSelFrom : SkinTabFrom),
                     C(isSelected ? SkinTabSelTo : SkinTabTo), isSelected ? 0 : SkinMetricOf(SkinGloss) / 2,
                     C(SkinPageBorder));
            RestoreDC(dc, saved);
            if (isSelected) {
                // Open the page's line below the selected tab, and mark it with the accent.
                RECT gap = {item.left + 1, page.top, item.right - 1, page.top + 1};
                HBRUSH fill = CreateSolidBrush(C(SkinTabSelTo));
                FillRect(dc, &gap, fill);
                DeleteObject(fill);
                RECT mark = {item.left + radius / 2 + 1, item.top, item.right - radius / 2 - 1, item.top + 2};
                HBRUSH accent = CreateSolidBrush(C(SkinAccent));
                FillRect(dc, &mark, accent);
                DeleteObject(accent);
            }
            char text[256] = "";
            TCITEMA info = {};
            info.mask = TCIF_TEXT;
            info.pszText = text;
            info.cchTextMax = sizeof(text);
            SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
            SetTextColor(dc, C(isSelected ? SkinTabSelText : SkinTabText));
            RECT label = item;
            if (isSelected) label.top -= 1;
            DrawTextA(dc, text, -1, &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }
    SelectObject(dc, oldFont);
    DeleteObject(border);
}

void PaintHeader(HWND header, HDC dc)
{
    RECT client;
    GetClientRect(header, &client);
    FillGradient(dc, client, C(SkinHeaderFrom), C(SkinHeaderTo), SkinMetricOf(SkinGloss) / 2);
    HBRUSH line = CreateSolidBrush(MixColour(C(SkinHeaderTo), C(SkinPageBorder), 200));
    RECT bottom = {client.left, client.bottom - 1, client.right, client.bottom};
    FillRect(dc, &bottom, line);

    HGDIOBJ oldFont = SelectObject(dc, ControlFont(header));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, C(SkinHeaderText));
    int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT item;
        if (!SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) continue;
        char text[256] = "";
        HDITEMA info = {};
        info.mask = HDI_TEXT | HDI_FORMAT;
        info.pszText = text;
        info.cchTextMax = sizeof(text);
        SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
        RECT separator = {item.right - 1, item.top + 4, item.right, item.bottom - 4};
        FillRect(dc, &separator, line);
        RECT label = item;
        InflateRect(&label, -6, 0);
        UINT align = (info.fmt & HDF_JUSTIFYMASK) == HDF_CENTER ? DT_CENTER
                     : (info.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT ? DT_RIGHT : DT_LEFT;
        DrawTextA(dc, text, -1, &label, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    SelectObject(dc, oldFont);
    DeleteObject(line);
}

LRESULT ListCustomDraw(NMLVCUSTOMDRAW* draw)
{
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        int item = static_cast<int>(draw->nmcd.dwItemSpec);
        bool selected = (SendMessageA(draw->nmcd.hdr.hwndFrom, LVM_GETITEMSTATE, static_cast<WPARAM>(item),
                                      LVIS_SELECTED) & LVIS_SELECTED) != 0;
        if (selected) {
            draw->clrText = C(SkinSelectionText);
            draw->clrTextBk = C(SkinSelectionBg);
            draw->nmcd.uItemState &= ~(CDIS_SELECTED | CDIS_FOCUS);  // our colours, not the system's
        } else {
            draw->clrText = C(SkinListText);
            draw->clrTextBk = (item % 2) ? C(SkinListAltRow) : C(SkinListBg);
        }
        return CDRF_NEWFONT;
    }
    }
    return CDRF_DODEFAULT;
}

void ColourList(HWND list, SkinnedWindow& state)
{
    if (!state.savedListColours) {
        state.listText = static_cast<COLORREF>(SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0));
        state.listBack = static_cast<COLORREF>(SendMessageA(list, LVM_GETBKCOLOR, 0, 0));
        state.listTextBack = static_cast<COLORREF>(SendMessageA(list, LVM_GETTEXTBKCOLOR, 0, 0));
        state.savedListColours = true;
    }
    state.colouringList = true;
    SendMessageA(list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(C(SkinListBg)));
    SendMessageA(list, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(C(SkinListText)));
    SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(C(SkinListBg)));
    state.colouringList = false;
}

bool KeepListColour(SkinnedWindow& state, UINT message, COLORREF colour)
{
    if (state.colouringList || !state.savedListColours) return false;
    if (message == LVM_SETBKCOLOR) state.listBack = colour;
    else if (message == LVM_SETTEXTCOLOR) state.listText = colour;
    else if (message == LVM_SETTEXTBKCOLOR) state.listTextBack = colour;
    else return false;
    return true;
}

void RestoreListColours(HWND list, const SkinnedWindow& state)
{
    if (!state.savedListColours) return;
    SendMessageA(list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(state.listBack));
    SendMessageA(list, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(state.listText));
    SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(state.listTextBack));
}
