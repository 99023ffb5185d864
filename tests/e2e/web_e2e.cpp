// The hyperlink worked with the real mouse: one launch per press, hover and visited colours,
// and the ".htm" handler when the shell cannot open web addresses.
#include <gtest/gtest.h>
#include <windows.h>
#include "e2e/driver.h"
#include "e2e/launch_log.h"
#include "support/test_support.h"

namespace {

HWND LinkOf(const AppUnderTest& app) { return FindWindowExA(app.Main(), NULL, "QelvanHyperLink", NULL); }

bool ShowsColour(HWND link, COLORREF colour)
{
    RECT r;
    GetClientRect(link, &r);
    for (int y = 4; y < r.bottom - 4; ++y)
        for (int x = 20; x < r.right - 20; x += 1)
            if (PixelAt(link, x, y) == colour) return true;
    return false;
}

void MovePointer(int x, int y)
{
    SetCursorPos(x, y);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof(in));
}

void DoubleClickAt(HWND window, int x, int y)
{
    POINT p = {x, y};
    ClientToScreen(window, &p);
    SetCursorPos(p.x, p.y);
    INPUT in[4] = {};
    for (int i = 0; i < 4; ++i) {
        in[i].type = INPUT_MOUSE;
        in[i].mi.dwFlags = (i % 2) ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    }
    SendInput(4, in, sizeof(INPUT));
}

}  // namespace

TEST(Hyperlink, OpensOncePerPressAndThenShowsTheVisitedColour)
{
    RegisterUrlRecorder();
    LaunchLog launches;
    AppUnderTest app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(launches.WaitForCount(1));
    HWND link = LinkOf(app);
    ASSERT_NE(nullptr, link);
    BringToFront(app.Main());
    EXPECT_TRUE(ShowsColour(link, RGB(0, 0, 255)));

    ClickAt(link, 164, 12);
    ASSERT_TRUE(launches.WaitForCount(2));
    EXPECT_EQ(2, launches.Count());
    EXPECT_NE(std::string::npos, launches.Lines()[1].find("http://www.qelvan.example/"));
    // While the pointer is over it, the hover colour; once it has left, the visited one.
    WaitUntil([&] { return ShowsColour(link, RGB(51, 153, 255)); }, 10000);
    EXPECT_TRUE(ShowsColour(link, RGB(51, 153, 255)));
    MovePointer(5, 5);
    WaitUntil([&] { return ShowsColour(link, RGB(128, 0, 0)); }, 10000);
    EXPECT_TRUE(ShowsColour(link, RGB(128, 0, 0)));
    EXPECT_FALSE(ShowsColour(link, RGB(0, 0, 255)));
    SaveScreenshot(app.Main(), "hyperlink-visited");

    DoubleClickAt(link, 164, 12);
    ASSERT_TRUE(launches.WaitForCount(3));
    EXPECT_EQ(3, launches.Count()) << "a double click is one press";
}

TEST(Hyperlink, FallsBackToTheHtmHandlerWhenTheShellCannotOpenTheAddress)
{
    // No handler for web addresses; ".htm" files open with the recorder.
    for (const char* cls : {"http", "https"}) DeleteTree(HKEY_LOCAL_MACHINE, std::string("Software\\Classes\\") + cls);
    RegistryFixture htmClass(HKEY_LOCAL_MACHINE, "Software\\Classes\\QelvanTestHtmFile");
    htmClass.SetText("shell\\open\\command", "", "\"" + UrlRecorderPath() + "\" -new \"%1\"");
    HKEY htm;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\Classes\\.htm", &htm));
    char old[260] = "";
    LONG oldSize = sizeof(old);
    RegQueryValueA(htm, NULL, old, &oldSize);
    RegSetValueA(htm, NULL, REG_SZ, "QelvanTestHtmFile", 17);

    LaunchLog launches;
    {
        AppUnderTest app;
        ASSERT_TRUE(app.Start());
        BringToFront(app.Main());
        ClickAt(LinkOf(app), 164, 12);
        ASSERT_TRUE(launches.WaitForCount(1));
        ASSERT_EQ(1, launches.Count());
        // The command up to its quoted placeholder, one blank, the address.
        EXPECT_NE(std::string::npos, launches.Lines()[0].find("-new  http://www.qelvan.example/"))
            << launches.Lines()[0];
    }
    RegSetValueA(htm, NULL, REG_SZ, old, lstrlenA(old));
    RegCloseKey(htm);
    RegisterUrlRecorder();
}
