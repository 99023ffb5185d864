#include "web/hyperlink.h"
#include <shellapi.h>

const char HyperlinkClass[] = "QelvanHyperLink";

namespace {

struct LinkState {
    std::string target;
    bool pointerOver = false;
    bool visited = false;
};

LinkState* StateOf(HWND link) { return reinterpret_cast<LinkState*>(GetWindowLongPtrA(link, 0)); }

// Reads a key's default value into the fixed 260-byte buffer; false when it does not fit or is absent.
bool ReadClassesRootDefault(const std::string& keyPath, std::string& value)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    char buffer[260] = "";
    LONG size = sizeof(buffer);
    LONG result = RegQueryValueA(key, NULL, buffer, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return false;
    buffer[sizeof(buffer) - 1] = '\0';
    value = buffer;
    return true;
}

void Paint(HWND link, LinkState* state)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(link, &ps);
    // The background is the parent's, as for a static text, so that a skinned window shows through.
    HBRUSH background = reinterpret_cast<HBRUSH>(
        SendMessageA(GetParent(link), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link)));
    FillRect(dc, &ps.rcPaint, background ? background : GetSysColorBrush(COLOR_BTNFACE));
    RECT client;
    GetClientRect(link, &client);
    int length = GetWindowTextLengthA(link);
    std::string caption(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(link, &caption[0], length + 1);
    caption.resize(static_cast<std::size_t>(length));
    SetTextColor(dc, HyperlinkTextColour(state && state->pointerOver, state && state->visited));
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    DrawTextA(dc, caption.c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    EndPaint(link, &ps);
}

void OnMouseMove(HWND link, LinkState* state, LPARAM lParam)
{
    if (!state->pointerOver) {
        state->pointerOver = true;
        InvalidateRect(link, NULL, TRUE);
        // Keep receiving moves after the pointer leaves, to notice that it left.
        SetCapture(link);
        return;
    }
    RECT client;
    GetClientRect(link, &client);
    POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (!PtInRect(&client, at)) {
        state->pointerOver = false;
        ReleaseCapture();
        InvalidateRect(link, NULL, TRUE);
    } else if (GetCapture() != link) {
        SetCapture(link);
    }
}

void OnPress(HWND link, LinkState* state)
{
    if (state->target.empty()) return;
    state->visited = OpenLinkTarget(state->target);
    if (state->visited) InvalidateRect(link, NULL, TRUE);
}

LRESULT CALLBACK HyperlinkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam)
{
    LinkState* state = StateOf(link);
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrA(link, 0, reinterpret_cast<LONG_PTR>(new LinkState));
        break;
    case WM_NCDESTROY:
        delete state;
        SetWindowLongPtrA(link, 0, 0);
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint(link, state);
        return 0;
    case WM_MOUSEMOVE:
        if (state) OnMouseMove(link, state, lParam);
        return 0;
    case WM_LBUTTONDOWN:  // a press opens; the second press of a double click arrives as WM_LBUTTONDBLCLK
        if (state) OnPress(link, state);
        return 0;
    case WM_SETTEXT: {
        LRESULT r = DefWindowProcA(link, message, wParam, lParam);
        InvalidateRect(link, NULL, TRUE);
        return r;
    }
    }
    return DefWindowProcA(link, message, wParam, lParam);
}

}  // namespace

bool RegisterHyperlinkClass(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = HyperlinkProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(NULL, IDC_HAND);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = HyperlinkClass;
    return RegisterClassA(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void SetHyperlinkTarget(HWND link, const std::string& target)
{
    if (LinkState* state = StateOf(link)) state->target = target;
}

COLORREF HyperlinkTextColour(bool pointerOver, bool visited)
{
    if (pointerOver) return LinkHoverColour;
    return visited ? LinkVisitedColour : LinkNormalColour;
}

std::string CutHtmCommand(const std::string& command)
{
    // A quoted placeholder is looked for character by character: a GBK second byte never starts it.
    for (std::size_t i = 0; i < command.size(); ++i) {
        if (command.compare(i, 4, "\"%1\"") == 0) return command.substr(0, i);
        if (static_cast<unsigned char>(command[i]) & 0x80) ++i;
    }
    std::size_t bare = command.find("%1");
    return bare == std::string::npos ? command : command.substr(0, bare);
}

bool OpenWithHtmHandler(const std::string& target)
{
    std::string className, command;
    if (!ReadClassesRootDefault(".htm", className)) return false;
    if (!ReadClassesRootDefault(className + "\\shell\\open\\command", command)) return false;
    std::string line = CutHtmCommand(command) + " " + target;
    return WinExec(line.c_str(), SW_SHOW) > 32;
}

bool OpenLinkTarget(const std::string& target)
{
    HINSTANCE shell = ShellExecuteA(NULL, "open", target.c_str(), NULL, NULL, SW_SHOW);
    if (reinterpret_cast<INT_PTR>(shell) > 32) return true;
    return OpenWithHtmHandler(target);
}
