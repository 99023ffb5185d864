#include "engine/frame_paint.h"
#include "engine/draw.h"
#include "engine/skin_state.h"
#include <string>

namespace {

struct FrameGeometry {
    int width = 0, height = 0;
    RECT client = {};   // in window coordinates
    RECT caption = {};
    RECT icon = {};
    RECT close = {}, maximize = {}, minimize = {};  // empty when the window has no such button
};

FrameGeometry GeometryOf(HWND window)
{
    FrameGeometry g;
    RECT outer;
    GetWindowRect(window, &outer);
    g.width = outer.right - outer.left;
    g.height = outer.bottom - outer.top;
    GetClientRect(window, &g.client);
    MapWindowPoints(window, NULL, reinterpret_cast<POINT*>(&g.client), 2);
    OffsetRect(&g.client, -outer.left, -outer.top);
    int border = g.client.left;
    g.caption = {border, border, g.width - border, g.client.top};
    if (g.caption.bottom <= g.caption.top) return g;

    LONG style = GetWindowLongA(window, GWL_STYLE);
    LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    int captionHeight = g.caption.bottom - g.caption.top;
    int size = captionHeight - 6;
    if (size < 10) size = captionHeight - 2;
    int top = g.caption.top + (captionHeight - size) / 2;
    int right = g.caption.right - 4;
    if (style & WS_SYSMENU) {
        int wide = size + size / 3;
        g.close = {right - wide, top, right, top + size};
        right = g.close.left - 2;
        if (style & WS_MAXIMIZEBOX) {
            g.maximize = {right - wide, top, right, top + size};
            right = g.maximize.left - 2;
        }
        if (style & WS_MINIMIZEBOX) {
            g.minimize = {right - wide, top, right, top + size};
            right = g.minimize.left - 2;
        }
        if (!(exStyle & (WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW))) {
            int iconSize = GetSystemMetrics(SM_CXSMICON);
            int iconTop = g.caption.top + (captionHeight - iconSize) / 2;
            g.icon = {g.caption.left + 4, iconTop, g.caption.left + 4 + iconSize, iconTop + iconSize};
        }
    }
    return g;
}

HICON SmallIconOf(HWND window)
{
    HICON icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON));
    return icon;
}

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, NULL);
    LineTo(dc, x2, y2);
}

void DrawCaptionButton(HDC dc, const RECT& r, int which, bool active, bool hot, bool pressed, bool maximized)
{
    if (IsRectEmpty(&r)) return;
    COLORREF face = SkinColourOf(SkinCaptionButton);
    if (which == HTCLOSE && (hot || pressed)) face = SkinColourOf(SkinCloseHot);
    else if (hot || pressed) face = SkinColourOf(SkinCaptionButtonHot);
    if (pressed) face = MixColour(face, RGB(0, 0, 0), 50);
    if (!active && !hot && !pressed) face = MixColour(face, SkinColourOf(SkinInactiveTo), 140);
    COLORREF glyph = (which == HTCLOSE && (hot || pressed)) ? RGB(255, 255, 255) : SkinColourOf(SkinGlyph);
    if (!active && !hot) glyph = SkinColourOf(SkinInactiveText);

    HBRUSH brush = CreateSolidBrush(face);
    HPEN edge = CreatePen(PS_SOLID, 1, MixColour(face, RGB(0, 0, 0), 40));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, edge);
    switch (SkinMetricOf(SkinCaptionButtonShape)) {
    case 0: Rectangle(dc, r.left, r.top, r.right, r.bottom); break;
    case 1: RoundRect(dc, r.left, r.top, r.right, r.bottom, 6, 6); break;
    default: {
        int d = r.bottom - r.top, cx = (r.left + r.right) / 2;
        Ellipse(dc, cx - d / 2, r.top, cx - d / 2 + d, r.bottom);
    }
    }
    HPEN pen = CreatePen(PS_SOLID, 2, glyph);
    SelectObject(dc, pen);
    int h = r.bottom - r.top, cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2, k = h / 4;
    if (which == HTCLOSE) {
        Line(dc, cx - k, cy - k, cx + k, cy + k);
        Line(dc, cx + k, cy - k, cx - k, cy + k);
    } else if (which == HTMINBUTTON) {
        Line(dc, cx - k, cy + k - 1, cx + k + 1, cy + k - 1);
    } else if (maximized) {
        SelectObject(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, cx - k, cy - k + 2, cx + k - 1, cy + k + 1);
        Line(dc, cx - k + 2, cy - k - 1, cx + k + 1, cy - k - 1);
        Line(dc, cx + k + 1, cy - k - 1, cx + k + 1, cy + k - 2);
    } else {
        SelectObject(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, cx - k, cy - k, cx + k + 1, cy + k + 1);
        Line(dc, cx - k, cy - k + 1, cx + k, cy - k + 1);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(edge);
    DeleteObject(brush);
}

void FillCaption(HDC dc, const RECT& caption, bool active)
{
    int tileWidth = 0, tileHeight = 0;
    HBITMAP picture = CaptionPicture(&tileWidth, &tileHeight);
    if (active && picture) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, picture);
        SetStretchBltMode(dc, COLORONCOLOR);
        for (int x = caption.left; x < caption.right; x += tileWidth) {
            int w = caption.right - x < tileWidth ? caption.right - x : tileWidth;
            StretchBlt(dc, x, caption.top, w, caption.bottom - caption.top, source, 0, 0, w, tileHeight, SRCCOPY);
        }
        SelectObject(source, old);
        DeleteDC(source);
        return;
    }
    FillGradient(dc, caption, SkinColourOf(active ? SkinCaptionFrom : SkinInactiveFrom),
                 SkinColourOf(active ? SkinCaptionTo : SkinInactiveTo), active ? SkinMetricOf(SkinGloss) / 2 : 0);
}

bool Inside(const RECT& r, POINT p) { return !IsRectEmpty(&r) && PtInRect(&r, p); }

}  // namespace

bool DrawsFrame(HWND window)
{
    if (!HaveSkin() || !IsWindowVisible(window) || IsIconic(window) || GetMenu(window)) return false;
    LONG style = GetWindowLongA(window, GWL_STYLE);
    if ((style & WS_CAPTION) != WS_CAPTION || (style & WS_CHILD)) return false;
    return true;
}

void PaintFrame(HWND window, const SkinnedWindow& state)
{
    if (!DrawsFrame(window)) return;
    FrameGeometry g = GeometryOf(window);
    if (g.width <= 0 || g.height <= 0 || IsRectEmpty(&g.caption)) return;
    HDC target = GetWindowDC(window);
    if (!target) return;
    HDC dc = CreateCompatibleDC(target);
    HBITMAP canvas = CreateCompatibleBitmap(target, g.width, g.height);
    HGDIOBJ oldCanvas = SelectObject(dc, canvas);

    // Frame: an outer line, the rest in the caption's closing colour.
    RECT all = {0, 0, g.width, g.height};
    HBRUSH inner = CreateSolidBrush(SkinColourOf(state.active ? SkinFrameInner : SkinInactiveTo));
    HBRUSH outer = CreateSolidBrush(SkinColourOf(SkinFrameOuter));
    FillRect(dc, &all, inner);
    FrameRect(dc, &all, outer);
    RECT caption = g.caption;
    int lines = SkinMetricOf(SkinFrameWidth);
    if (lines > 1 && g.client.left > 1) {
        // A fine line inside the frame, where it meets the client area.
        RECT edge = g.client;
        InflateRect(&edge, 1, 1);
        edge.top = caption.bottom - 1;
        HBRUSH line = CreateSolidBrush(MixColour(SkinColourOf(SkinFrameOuter), SkinColourOf(SkinFrameInner), 120));
        FrameRect(dc, &edge, line);
        DeleteObject(line);
    }
    FillCaption(dc, caption, state.active);

    int textLeft = caption.left + 6;
    if (!IsRectEmpty(&g.icon)) {
        if (HICON icon = SmallIconOf(window))
            DrawIconEx(dc, g.icon.left, g.icon.top, icon, g.icon.right - g.icon.left, g.icon.bottom - g.icon.top, 0,
                       NULL, DI_NORMAL);
        textLeft = g.icon.right + 5;
    }
    int textRight = caption.right - 4;
    if (!IsRectEmpty(&g.minimize)) textRight = g.minimize.left - 4;
    else if (!IsRectEmpty(&g.maximize)) textRight = g.maximize.left - 4;
    else if (!IsRectEmpty(&g.close)) textRight = g.close.left - 4;

    int length = GetWindowTextLengthA(window);
    std::string title(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    int got = GetWindowTextA(window, &title[0], length + 1);
    title.resize(static_cast<size_t>(got > 0 ? got : 0));
    HGDIOBJ oldFont = SelectObject(dc, CaptionFont());
    SetBkMode(dc, TRANSPARENT);
    RECT text = {textLeft, caption.top, textRight, caption.bottom};
    UINT align = SkinMetricOf(SkinCaptionAlign) == 1 ? DT_CENTER : DT_LEFT;
    UINT format = align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;
    if (state.active && SkinColourOf(SkinCaptionText) == RGB(255, 255, 255)) {
        // A soft shadow keeps light titles readable on light parts of the caption.
        RECT shadow = text;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(dc, MixColour(SkinColourOf(SkinCaptionTo), RGB(0, 0, 0), 90));
        DrawTextA(dc, title.c_str(), -1, &shadow, format);
    }
    SetTextColor(dc, SkinColourOf(state.active ? SkinCaptionText : SkinInactiveText));
    DrawTextA(dc, title.c_str(), -1, &text, format);
    SelectObject(dc, oldFont);

    bool maximized = IsZoomed(window) != FALSE;
    DrawCaptionButton(dc, g.minimize, HTMINBUTTON, state.active, state.hotButton == HTMINBUTTON,
                      state.pressedButton == HTMINBUTTON, maximized);
    DrawCaptionButton(dc, g.maximize, HTMAXBUTTON, state.active, state.hotButton == HTMAXBUTTON,
                      state.pressedButton == HTMAXBUTTON, maximized);
    DrawCaptionButton(dc, g.close, HTCLOSE, state.active, state.hotButton == HTCLOSE,
                      state.pressedButton == HTCLOSE, maximized);

    // Only the non-client part goes to the screen; the client area is the window's own.
    ExcludeClipRect(target, g.client.left, g.client.top, g.client.right, g.client.bottom);
    BitBlt(target, 0, 0, g.width, g.height, dc, 0, 0, SRCCOPY);

    SelectObject(dc, oldCanvas);
    DeleteObject(canvas);
    DeleteDC(dc);
    DeleteObject(inner);
    DeleteObject(outer);
    ReleaseDC(window, target);
}

LRESULT FrameHitTest(HWND window, POINT screen, LRESULT fallback)
{
    if (!DrawsFrame(window)) return fallback;
    FrameGeometry g = GeometryOf(window);
    RECT outer;
    GetWindowRect(window, &outer);
    POINT p = {screen.x - outer.left, screen.y - outer.top};
    if (!Inside(g.caption, p)) return fallback;
    if (Inside(g.close, p)) return HTCLOSE;
    if (Inside(g.maximize, p)) return HTMAXBUTTON;
    if (Inside(g.minimize, p)) return HTMINBUTTON;
    if (Inside(g.icon, p)) return HTSYSMENU;
    return HTCAPTION;
}

void TrackCaptionButton(HWND window, SkinnedWindow& state, int button)
{
    state.pressedButton = button;
    PaintFrame(window, state);
    SetCapture(window);
    bool inside = true;
    for (;;) {
        MSG message;
        if (!GetMessageA(&message, NULL, 0, 0)) {
            PostQuitMessage(static_cast<int>(message.wParam));
            inside = false;
            break;
        }
        if (message.message == WM_LBUTTONUP) break;
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
            inside = false;
            break;
        }
        if (message.message == WM_MOUSEMOVE && message.hwnd == window) {
            POINT p = {static_cast<short>(LOWORD(message.lParam)), static_cast<short>(HIWORD(message.lParam))};
            ClientToScreen(window, &p);
            bool now = FrameHitTest(window, p, HTNOWHERE) == button;
            if (now != inside) {
                inside = now;
                state.pressedButton = inside ? button : 0;
                PaintFrame(window, state);
            }
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
        if (!IsWindow(window) || GetCapture() != window) {
            inside = false;
            break;
        }
    }
    if (!IsWindow(window)) return;
    if (GetCapture() == window) ReleaseCapture();
    state.pressedButton = 0;
    PaintFrame(window, state);
    if (!inside) return;
    WPARAM command = button == HTCLOSE ? SC_CLOSE : button == HTMINBUTTON ? SC_MINIMIZE
                     : IsZoomed(window) ? SC_RESTORE : SC_MAXIMIZE;
    SendMessageA(window, WM_SYSCOMMAND, command, 0);
}
