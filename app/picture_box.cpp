#include "app/picture_box.h"

const char PictureBoxClass[] = "QelvanPicBox";

static void PaintPicture(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    // Around the picture the parent's background shows, as around a static picture.
    HBRUSH background = reinterpret_cast<HBRUSH>(
        SendMessageA(GetParent(window), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
    FillRect(dc, &client, background ? background : GetSysColorBrush(COLOR_BTNFACE));
    HBITMAP picture = reinterpret_cast<HBITMAP>(GetWindowLongPtrA(window, 0));
    if (picture) {
        BITMAP info;
        GetObjectA(picture, sizeof(info), &info);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, picture);
        BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    EndPaint(window, &ps);
}

static LRESULT CALLBACK PictureBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case PBM_SETPICTURE: {
        HBITMAP old = reinterpret_cast<HBITMAP>(SetWindowLongPtrA(window, 0, static_cast<LONG_PTR>(wParam)));
        if (old) DeleteObject(old);
        InvalidateRect(window, NULL, TRUE);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;  // painted whole in WM_PAINT
    case WM_PAINT:
        PaintPicture(window);
        return 0;
    case WM_LBUTTONDOWN:
        SendMessageA(GetParent(window), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(window), PBN_LEFTBUTTONDOWN), reinterpret_cast<LPARAM>(window));
        break;  // the default handling of the press stays
    case WM_DESTROY: {
        HBITMAP old = reinterpret_cast<HBITMAP>(SetWindowLongPtrA(window, 0, 0));
        if (old) DeleteObject(old);
        break;
    }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterPictureBoxClass(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PictureBoxProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = PictureBoxClass;
    return RegisterClassA(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
