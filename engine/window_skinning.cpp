#include "engine/window_skinning.h"
#include "engine/control_paint.h"
#include "engine/draw.h"
#include "engine/frame_paint.h"
#include "engine/skin_state.h"
#include <commctrl.h>

namespace {

const UINT_PTR SubclassId = 0x53484531;  // "SHE1"
HHOOK g_hook = NULL;
DWORD g_thread = 0;

LRESULT CALLBACK SkinProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

SkinnedWindow* StateOf(HWND window)
{
    DWORD_PTR data = 0;
    if (!GetWindowSubclass(window, SkinProc, SubclassId, &data)) return NULL;
    return reinterpret_cast<SkinnedWindow*>(data);
}

// DWM draws the frames of top-level windows itself unless told not to; older systems have no DWM.
HMODULE g_dwm = NULL;  // loaded while a thread is skinned

void SetDwmFramePainting(HWND window, bool ours)
{
    typedef HRESULT(WINAPI * SetAttribute)(HWND, DWORD, LPCVOID, DWORD);
    SetAttribute set = g_dwm ? reinterpret_cast<SetAttribute>(
                                   reinterpret_cast<void*>(GetProcAddress(g_dwm, "DwmSetWindowAttribute")))
                             : NULL;
    const DWORD NcRenderingPolicy = 2, UseWindowStyle = 0, Disabled = 1;
    DWORD policy = ours ? Disabled : UseWindowStyle;
    if (set) set(window, NcRenderingPolicy, &policy, sizeof(policy));
}

void SkinWindow(HWND window, SkinKind kind, bool created = true)
{
    if (kind == KindNone || StateOf(window)) return;  // each window once
    SkinnedWindow* state = new SkinnedWindow;
    state->kind = kind;
    state->active = GetForegroundWindow() == window || GetActiveWindow() == window;
    if (!SetWindowSubclass(window, SkinProc, SubclassId, reinterpret_cast<DWORD_PTR>(state))) {
        delete state;
        return;
    }
    if (kind == KindFrame) SetDwmFramePainting(window, true);
    if (kind == KindList && created) ColourList(window, *state);  // else once WM_CREATE is through
}

void UnskinWindow(HWND window)
{
    SkinnedWindow* state = StateOf(window);
    if (!state) return;
    RemoveWindowSubclass(window, SkinProc, SubclassId);
    if (state->kind == KindList) RestoreListColours(window, *state);
    if (state->kind == KindFrame) SetDwmFramePainting(window, false);
    delete state;
}

SkinKind KindOfWindow(HWND window, DWORD style)
{
    char name[64] = "";
    if (!GetClassNameA(window, name, sizeof(name))) return KindNone;
    return SkinKindOf(name, style);
}

BOOL CALLBACK SkinChild(HWND window, LPARAM)
{
    if (GetWindowThreadProcessId(window, NULL) == g_thread)
        SkinWindow(window, KindOfWindow(window, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE))));
    return TRUE;
}

BOOL CALLBACK SkinTopLevel(HWND window, LPARAM)
{
    SkinChild(window, 0);
    EnumChildWindows(window, SkinChild, 0);
    return TRUE;
}

BOOL CALLBACK UnskinChild(HWND window, LPARAM)
{
    UnskinWindow(window);
    return TRUE;
}

BOOL CALLBACK UnskinTopLevel(HWND window, LPARAM)
{
    EnumChildWindows(window, UnskinChild, 0);
    UnskinWindow(window);
    return TRUE;
}

BOOL CALLBACK RefreshChild(HWND window, LPARAM)
{
    if (SkinnedWindow* state = StateOf(window))
        if (state->kind == KindList) ColourList(window, *state);
    return TRUE;
}

BOOL CALLBACK RedrawTopLevel(HWND window, LPARAM recolour)
{
    if (recolour) {
        RefreshChild(window, 0);
        EnumChildWindows(window, RefreshChild, 0);
    }
    RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return TRUE;
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && HaveSkin()) {
        HWND window = reinterpret_cast<HWND>(wParam);
        const CBT_CREATEWNDA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        SkinWindow(window, KindOfWindow(window, static_cast<DWORD>(create->lpcs->style)), false);
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

bool IsColourMessage(UINT message)
{
    return message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN || message == WM_CTLCOLORDLG;
}

// Static texts, check boxes and custom controls ask their parent for these colours.
LRESULT AnswerColours(HDC dc, HWND control)
{
    SetTextColor(dc, SkinColourOf(SkinWindowText));
    SetBkColor(dc, SkinColourOf(SkinWindowBg));
    SetBkMode(dc, TRANSPARENT);
    AlignBackgroundBrush(dc, control);
    return reinterpret_cast<LRESULT>(BackgroundBrush());
}

bool IsSkinnedList(HWND window)
{
    SkinnedWindow* state = window ? StateOf(window) : NULL;
    return state && state->kind == KindList;
}

// Painting for WM_PAINT and WM_PRINTCLIENT, into the given DC or a BeginPaint one.
template <typename Painter>
LRESULT PaintWith(HWND window, WPARAM dcGiven, Painter paint)
{
    if (dcGiven) {
        paint(reinterpret_cast<HDC>(dcGiven));
        return 0;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    // Drawn off screen first: the controls repaint often and must not flicker.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP canvas = CreateCompatibleBitmap(dc, client.right > 0 ? client.right : 1, client.bottom > 0 ? client.bottom : 1);
    HGDIOBJ old = SelectObject(memory, canvas);
    paint(memory);
    BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left, ps.rcPaint.bottom - ps.rcPaint.top,
           memory, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(canvas);
    DeleteDC(memory);
    EndPaint(window, &ps);
    return 0;
}

LRESULT FrameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, SkinnedWindow& state, bool& handled)
{
    handled = true;
    switch (message) {
    case WM_NCPAINT:
        if (!DrawsFrame(window)) break;
        PaintFrame(window, state);
        return 0;
    case WM_NCACTIVATE: {
        state.active = wParam != FALSE;
        if (!DrawsFrame(window)) break;
        // -1: the default handling keeps the state change but draws nothing.
        DefSubclassProc(window, message, wParam, -1);
        PaintFrame(window, state);
        return TRUE;
    }
    case WM_NCHITTEST:
        return FrameHitTest(window, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))},
                            DefSubclassProc(window, message, wParam, lParam));
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (DrawsFrame(window) && (wParam == HTCLOSE || wParam == HTMINBUTTON || wParam == HTMAXBUTTON)) {
            if (message == WM_NCLBUTTONDOWN) TrackCaptionButton(window, state, static_cast<int>(wParam));
            return 0;
        }
        break;
    case WM_NCMOUSEMOVE: {
        int hot = (wParam == HTCLOSE || wParam == HTMINBUTTON || wParam == HTMAXBUTTON) ? static_cast<int>(wParam) : 0;
        if (hot != state.hotButton && DrawsFrame(window)) {
            state.hotButton = hot;
            PaintFrame(window, state);
            TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE | TME_NONCLIENT, window, 0};
            TrackMouseEvent(&track);
        }
        handled = false;
        return 0;
    }
    case WM_NCMOUSELEAVE:
        if (state.hotButton) {
            state.hotButton = 0;
            PaintFrame(window, state);
        }
        handled = false;
        return 0;
    case WM_SETTEXT:
    case WM_SETICON:
    case WM_SYSCOMMAND:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
    case WM_STYLECHANGED: {
        // The default handling draws the caption itself; ours goes over it again.
        LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        if (IsWindow(window)) PaintFrame(window, state);
        return result;
    }
    }
    handled = false;
    return 0;
}

LRESULT CALLBACK SkinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    SkinnedWindow& state = *reinterpret_cast<SkinnedWindow*>(data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, SkinProc, SubclassId);
        delete &state;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    if (!HaveSkin()) return DefSubclassProc(window, message, wParam, lParam);

    bool container = state.kind == KindFrame || state.kind == KindContainer || state.kind == KindTab;
    if (container) {
        if (IsColourMessage(message)) return AnswerColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        if (message == WM_NOTIFY) {
            NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
            if (header && header->code == NM_CUSTOMDRAW && IsSkinnedList(header->hwndFrom)) {
                LRESULT own = DefSubclassProc(window, message, wParam, lParam);
                if (own != CDRF_DODEFAULT) return own;  // the owner draws this list itself
                return ListCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
            }
        }
    }

    switch (state.kind) {
    case KindFrame: {
        bool handled = false;
        LRESULT result = FrameMessage(window, message, wParam, lParam, state, handled);
        if (handled) return result;
    }
        [[fallthrough]];  // the background is a container's
    case KindContainer:
        if (message == WM_ERASEBKGND) {
            RECT client;
            GetClientRect(window, &client);
            FillSkinBackground(reinterpret_cast<HDC>(wParam), window, client);
            return 1;
        }
        break;
    case KindButton:
        switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return PaintWith(window, wParam, [&](HDC dc) { PaintPushButton(window, dc, state); });
        case WM_MOUSEMOVE:
            if (!state.pointerInside) {
                state.pointerInside = true;
                TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, window, 0};
                TrackMouseEvent(&track);
                InvalidateRect(window, NULL, FALSE);
            }
            break;
        case WM_MOUSELEAVE:
            state.pointerInside = false;
            InvalidateRect(window, NULL, FALSE);
            break;
        case BM_SETSTATE:
        case BM_SETSTYLE:
        case BM_SETCHECK:
        case WM_ENABLE:
        case WM_SETTEXT:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CAPTURECHANGED:
        case WM_UPDATEUISTATE: {
            // The button draws its new state at once, outside WM_PAINT; ours follows straight away.
            LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            if (IsWindow(window)) RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOERASE);
            return result;
        }
        }
        break;
    case KindTab:
        if (message == WM_ERASEBKGND) return 1;
        if (message == WM_PAINT || message == WM_PRINTCLIENT)
            return PaintWith(window, wParam, [&](HDC dc) { PaintTab(window, dc); });
        break;
    case KindHeader:
        if (message == WM_ERASEBKGND) return 1;
        if (message == WM_PAINT || message == WM_PRINTCLIENT)
            return PaintWith(window, wParam, [&](HDC dc) { PaintHeader(window, dc); });
        if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_MOUSEMOVE || message == WM_MOUSELEAVE) {
            LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            if (IsWindow(window)) InvalidateRect(window, NULL, FALSE);
            return result;
        }
        break;
    case KindList:
        if ((message == LVM_SETBKCOLOR || message == LVM_SETTEXTCOLOR || message == LVM_SETTEXTBKCOLOR) &&
            KeepListColour(state, message, static_cast<COLORREF>(lParam)))
            return TRUE;
        if (message == WM_CREATE) {
            LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            ColourList(window, state);
            return result;
        }
        break;
    case KindNone:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

bool SkinThread(HMODULE engine)
{
    DWORD thread = GetCurrentThreadId();
    if (g_thread && g_thread != thread) return false;
    if (!g_hook) {
        g_hook = SetWindowsHookExA(WH_CBT, CreationHook, engine, thread);
        if (!g_hook) return false;
    }
    g_thread = thread;
    if (!g_dwm) g_dwm = LoadLibraryA("dwmapi.dll");
    EnumThreadWindows(thread, SkinTopLevel, 0);
    return true;
}

void RefreshSkinnedWindows()
{
    if (g_thread) EnumThreadWindows(g_thread, RedrawTopLevel, 1);
}

void UnskinThread(bool unloading)
{
    if (!g_thread) return;
    if (g_hook) UnhookWindowsHookEx(g_hook);
    g_hook = NULL;
    DWORD thread = g_thread;
    EnumThreadWindows(thread, UnskinTopLevel, 0);
    if (g_dwm && !unloading) FreeLibrary(g_dwm);  // no FreeLibrary under the loader's lock
    g_dwm = NULL;
    g_thread = 0;
    EnumThreadWindows(thread, RedrawTopLevel, 0);
}

DWORD SkinnedThread() { return g_thread; }
