// The main window as a person meets it: the real program, started from outside.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include "e2e/driver.h"
#include "support/test_support.h"

namespace {

struct Expected {
    HWND parentIsTab;  // unused marker
    const char* cls;
    const char* text;  // nullptr: not checked
    int left, top, width, height;
    bool tabStop;
    bool onTab;
};

HWND FindControl(HWND main, HWND tab, const Expected& e)
{
    return FindWindowExA(e.onTab ? tab : main, NULL, e.cls, e.text);
}

}  // namespace

TEST(MainWindow, StartsCentredWithItsControlsAndSwitchesPages)
{
    AppUnderTest app;
    // Arguments change nothing.
    ASSERT_TRUE(app.Start("/unknown --flag arg")) << "main window never shown";
    HWND main = app.Main();

    RECT outer;
    GetWindowRect(main, &outer);
    EXPECT_EQ(720, outer.right - outer.left);
    EXPECT_EQ(434, outer.bottom - outer.top);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - 720) / 2, outer.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - 434) / 2, outer.top);
    const LONG style = GetWindowLongA(main, GWL_STYLE);
    EXPECT_EQ(WS_CAPTION, style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_CLIPCHILDREN);
    EXPECT_EQ(0, GetWindowLongA(main, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE);

    HWND tab = app.Tab();
    ASSERT_NE(nullptr, tab);
    const Expected controls[] = {
        {NULL, "QelvanPicBox", nullptr, 8, 320, 216, 88, false, false},
        {NULL, "QelvanHyperLink", "Qelvan网-农贸信息电子商务平台www.qelvan.example", 248, 352, 328, 24, false, false},
        {NULL, WC_BUTTONA, "删除选中", 599, 275, 90, 24, true, true},
        {NULL, WC_BUTTONA, "卸载选中软件", 480, 275, 104, 24, true, true},
        {NULL, "QelvanHtmlHost", nullptr, -1, 19, 824, 329, true, true},
        {NULL, WC_TABCONTROLA, nullptr, 4, 1, 704, 313, false, false},
        {NULL, WC_LISTVIEWA, nullptr, 4, 23, 695, 248, true, true},
    };
    for (const Expected& e : controls) {
        HWND control = FindControl(main, tab, e);
        ASSERT_NE(nullptr, control) << e.cls;
        RECT r = RectInParent(control);
        EXPECT_EQ(e.left, r.left) << e.cls;
        EXPECT_EQ(e.top, r.top) << e.cls;
        EXPECT_EQ(e.width, r.right - r.left) << e.cls;
        EXPECT_EQ(e.height, r.bottom - r.top) << e.cls;
        EXPECT_EQ(e.tabStop, (GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP) != 0) << e.cls;
        EXPECT_TRUE(IsWindowEnabled(control)) << e.cls;
    }
    const LONG listStyle = GetWindowLongA(app.List(), GWL_STYLE);
    EXPECT_EQ(LVS_REPORT, listStyle & LVS_TYPEMASK);
    EXPECT_TRUE(listStyle & LVS_SINGLESEL);
    EXPECT_TRUE(listStyle & LVS_SHOWSELALWAYS);
    EXPECT_TRUE(GetWindowLongA(app.List(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    const DWORD ex = static_cast<DWORD>(SendMessageA(app.List(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES), ex);
    EXPECT_EQ("已安装软件名称", app.ColumnHeader(0));
    EXPECT_EQ("安装信息", app.ColumnHeader(1));
    EXPECT_EQ(339, SendMessageA(app.List(), LVM_GETCOLUMNWIDTH, 0, 0));
    EXPECT_EQ(339, SendMessageA(app.List(), LVM_GETCOLUMNWIDTH, 1, 0));
    EXPECT_EQ("<none>", app.ColumnHeader(2));
    EXPECT_EQ(-1, app.SelectedRow());

    // It works in its own directory, wherever it was started from.
    EXPECT_EQ(app.RunDirectory(), app.CurrentDirectory());

    // "软件大全" first: only the browser host is shown in the tab.
    EXPECT_EQ(0, SendMessageA(tab, TCM_GETCURSEL, 0, 0));
    EXPECT_EQ(2, SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
    EXPECT_TRUE(IsWindowVisible(app.BrowserHost()));
    EXPECT_FALSE(IsWindowVisible(app.List()));
    EXPECT_FALSE(IsWindowVisible(app.DeleteButton()));
    EXPECT_FALSE(IsWindowVisible(app.UninstallButton()));
    SaveScreenshot(main, "main-window-start");

    app.SelectTab(1);
    EXPECT_EQ(1, SendMessageA(tab, TCM_GETCURSEL, 0, 0));
    EXPECT_FALSE(IsWindowVisible(app.BrowserHost()));
    EXPECT_TRUE(IsWindowVisible(app.List()));
    EXPECT_TRUE(IsWindowVisible(app.DeleteButton()));
    EXPECT_TRUE(IsWindowVisible(app.UninstallButton()));
    EXPECT_EQ(app.DeleteButton(), app.Focus());
    SaveScreenshot(main, "main-window-uninstall-tab");

    app.SelectTab(0);
    EXPECT_TRUE(IsWindowVisible(app.BrowserHost()));
    EXPECT_FALSE(IsWindowVisible(app.List()));
    EXPECT_EQ(app.BrowserHost(), app.Focus());
}

TEST(MainWindow, BannerShowsThePictureUnscaledAtTheTopLeft)
{
    AppUnderTest app;
    ASSERT_TRUE(app.Start());
    HWND banner = FindWindowExA(app.Main(), NULL, "QelvanPicBox", NULL);
    ASSERT_NE(nullptr, banner);
    // The strip right of the 178 x 72 picture and the one below it show the window's background
    // (the skin's), as the free space beside the banner does.
    COLORREF face = CLR_INVALID;
    WaitUntil([&] { face = PixelAt(app.Main(), 232, 400); return PixelAt(banner, 200, 40) == face; }, 10000);
    EXPECT_EQ(face, PixelAt(banner, 200, 40));
    EXPECT_EQ(face, PixelAt(banner, 100, 80));
    EXPECT_EQ(face, PixelAt(banner, 178, 10));
    // Inside the picture: not the background (its green bottom bar, its light top).
    EXPECT_NE(face, PixelAt(banner, 100, 69));
    EXPECT_NE(face, PixelAt(banner, 177, 71));
}

TEST(MainWindow, EscClosesFromWhereverTheFocusIsAndShiftEscDoesNot)
{
    for (int page : {0, 1}) {
        AppUnderTest app;
        ASSERT_TRUE(app.Start());
        app.SelectTab(page);
        BringToFront(app.Main());
        SendKey(VK_ESCAPE, true);
        app.Settle();
        DWORD code = 12345;
        EXPECT_FALSE(app.WaitForExit(2000, &code)) << "Shift+Esc closed the window, page " << page;

        if (page == 1) {
            ClickAt(app.List(), 300, 200);  // the focus in the list itself
            app.Settle();
            WaitUntil([&] { return app.Focus() == app.List(); }, 10000);
            EXPECT_EQ(app.List(), app.Focus());
        } else {
            app.SelectTab(1);
            app.SelectTab(0);
            EXPECT_EQ(app.BrowserHost(), app.Focus());
        }
        SendKey(VK_ESCAPE);
        ASSERT_TRUE(app.WaitForExit(30000, &code)) << "Esc did not close, page " << page;
        EXPECT_EQ(0u, code);
    }
}

TEST(MainWindow, ClosingByTheSystemMenuEndsWithExitCodeZero)
{
    AppUnderTest app;
    ASSERT_TRUE(app.Start());
    PostMessageA(app.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    DWORD code = 12345;
    ASSERT_TRUE(app.WaitForExit(30000, &code));
    EXPECT_EQ(0u, code);
}
