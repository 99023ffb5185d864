#include "app/main_window.h"
#include "app/controls.h"
#include "app/creation_handler.h"
#include "app/jpeg_picture.h"
#include "app/picture_box.h"
#include "catalogue/delete_entry.h"
#include "catalogue/uninstall.h"
#include "resource_data.h"
#include "web/browser_host.h"
#include "web/home_page.h"
#include "web/hyperlink.h"
#include "web/web_addresses.h"
#include <commctrl.h>

const char MainWindowClass[] = "QelvanMainWindow";
const char MainWindowTitle[] = "Qelvan软件管家";

namespace {

const int WindowWidth = 720;
const int WindowHeight = 434;
const int ListColumnWidth = 339;

struct WindowIcons {
    HICON big, small;
};
WindowIcons g_icons = {};

HWND& HandleSlot(ControlId id)
{
    MainControls& c = Controls();
    switch (id) {
    case IdBanner: return c.banner;
    case IdHyperlink: return c.hyperlink;
    case IdDeleteButton: return c.deleteButton;
    case IdUninstallButton: return c.uninstallButton;
    case IdBrowserHost: return c.browserHost;
    case IdTab: return c.tab;
    case IdInstalledList: break;
    }
    return c.list;
}

HWND CreateControl(const ControlLayout& layout, HWND parent, HINSTANCE instance)
{
    const char* cls = "";
    const char* text = "";
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (layout.tabStop ? WS_TABSTOP : 0);
    DWORD exStyle = 0;
    std::string caption;
    switch (layout.id) {
    case IdBanner:
        cls = PictureBoxClass;
        break;
    case IdHyperlink:
        cls = HyperlinkClass;
        caption = std::string("Qelvan网-农贸信息电子商务平台") + HOME_PAGE_HOST;
        text = caption.c_str();
        break;
    case IdDeleteButton:
        cls = WC_BUTTONA;
        text = "删除选中";
        style |= BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
        break;
    case IdUninstallButton:
        cls = WC_BUTTONA;
        text = "卸载选中软件";
        style |= BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
        break;
    case IdBrowserHost:
        cls = BrowserHostClass;
        style |= WS_CLIPCHILDREN;
        break;
    case IdTab:
        cls = WC_TABCONTROLA;
        style |= WS_CLIPCHILDREN;
        break;
    case IdInstalledList:
        cls = WC_LISTVIEWA;
        style |= LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    }
    HWND control = CreateWindowExA(exStyle, cls, text, style, layout.left, layout.top, layout.width,
                                   layout.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)),
                                   instance, NULL);
    if (control) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

// Buttons and the list sit on the tab control; their notifications belong to the main window.
LRESULT CALLBACK TabForwardProc(HWND tab, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        return SendMessageA(GetParent(tab), message, wParam, lParam);
    }
    return DefSubclassProc(tab, message, wParam, lParam);
}

void SetUpTab(HWND tab)
{
    const char* titles[2] = {"软件大全", "软件卸载"};
    for (int i = 0; i < 2; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(titles[i]);
        SendMessageA(tab, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    SetWindowSubclass(tab, TabForwardProc, 1, 0);
}

void SetUpList(HWND list)
{
    const DWORD ex = LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, ex, ex);
    SendMessageA(list, LVM_SETTEXTCOLOR, 0, RGB(0, 0, 0));
    SendMessageA(list, LVM_SETBKCOLOR, 0, RGB(255, 255, 255));
    SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, RGB(255, 255, 255));
    const char* headers[2] = {"已安装软件名称", "安装信息"};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = ListColumnWidth;
        column.pszText = const_cast<char*>(headers[i]);
        column.iSubItem = i;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
}

void SetUpBanner(HWND banner)
{
    ByteBlock jpeg = BannerJpeg();
    if (HBITMAP picture = DecodeJpeg(jpeg.data, jpeg.size, NULL, NULL))
        SendMessageA(banner, PBM_SETPICTURE, reinterpret_cast<WPARAM>(picture), 0);
}

void SetIcons(HWND window, HINSTANCE instance)
{
    g_icons.big = static_cast<HICON>(LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, 32, 32, 0));
    g_icons.small = static_cast<HICON>(LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, 16, 16, 0));
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(g_icons.big));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(g_icons.small));
}

void ReleaseIcons()
{
    if (g_icons.big) DestroyIcon(g_icons.big);
    if (g_icons.small) DestroyIcon(g_icons.small);
    g_icons = WindowIcons{};
}

void OnCommand(WORD id, WORD code)
{
    if (id == IdBanner && code == PBN_LEFTBUTTONDOWN) {
        OpenHomePage();
    } else if (id == IdDeleteButton && code == BN_CLICKED) {
        DeleteSelectedEntry(InstalledList(), OnMainWindowCreated);
    } else if (id == IdUninstallButton && code == BN_CLICKED) {
        UninstallSelected(InstalledList(), OnMainWindowCreated);
    }
}

void OnNotify(const NMHDR* header)
{
    if (header->idFrom == IdTab && header->code == TCN_SELCHANGE) {
        ShowTabPage(static_cast<int>(SendMessageA(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
    }
    // LVN_ITEMCHANGED of the list: nothing to do.
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        OnNotify(reinterpret_cast<const NMHDR*>(lParam));
        return 0;
    case WM_DESTROY:
        // A window torn down while loading must not end the loop of the error box that follows.
        if (Controls().window == window) {
            Controls() = MainControls{};
            PostQuitMessage(0);
        }
        return 0;
    case WM_NCDESTROY:
        ReleaseIcons();
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterClasses(HINSTANCE instance)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = MainWindowClass;
    bool main = RegisterClassA(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return main && RegisterPictureBoxClass(instance) && RegisterHyperlinkClass(instance) &&
           RegisterBrowserHostClass(instance);
}

}  // namespace

POINT CentredPlace(int screenWidth, int screenHeight, int width, int height)
{
    POINT p = {(screenWidth - width) / 2, (screenHeight - height) / 2};
    return p;
}

void ShowTabPage(int page)
{
    for (const ControlLayout& layout : MainControlLayout) {
        HWND control = HandleSlot(layout.id);
        if (layout.page != NoPage && layout.page != page && IsWindowVisible(control)) ShowWindow(control, SW_HIDE);
    }
    HWND firstFocusable = NULL;
    for (const ControlLayout& layout : MainControlLayout) {
        if (layout.page != page) continue;
        HWND control = HandleSlot(layout.id);
        ShowWindow(control, SW_SHOWNA);
        // Every control has the same focus order value, so the page's first one takes the focus.
        if (!firstFocusable && layout.tabStop && IsWindowEnabled(control)) firstFocusable = control;
    }
    if (firstFocusable) SetFocus(firstFocusable);
}

HWND LoadMainWindow(HINSTANCE instance)
{
    if (!RegisterClasses(instance)) return NULL;
    POINT at = CentredPlace(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), WindowWidth, WindowHeight);
    HWND window = CreateWindowExA(0, MainWindowClass, MainWindowTitle,
                                  WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, at.x, at.y,
                                  WindowWidth, WindowHeight, NULL, NULL, instance, NULL);
    if (!window) return NULL;
    MainControls& c = Controls();
    c.window = window;
    for (const ControlLayout& layout : MainControlLayout) {
        HWND control = CreateControl(layout, window, instance);
        if (!control) {
            Controls() = MainControls{};
            DestroyWindow(window);
            return NULL;
        }
        HandleSlot(layout.id) = control;
    }
    SetIcons(window, instance);
    SetUpBanner(c.banner);
    SetHyperlinkTarget(c.hyperlink, HOME_PAGE_URL);
    SetUpTab(c.tab);
    SetUpList(c.list);
    EmbedBrowser(c.browserHost);
    // The page controls move onto the tab control; their coordinates stay as given.
    for (const ControlLayout& layout : MainControlLayout) {
        if (layout.page != NoPage) SetParent(HandleSlot(layout.id), c.tab);
    }
    for (const ControlLayout& layout : MainControlLayout) {
        if (layout.page == NoPage || layout.page == PageCatalogue) ShowWindow(HandleSlot(layout.id), SW_SHOWNA);
    }
    return window;
}
