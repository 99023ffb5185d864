// The embedded browser in a real host window, and the right-click guard as real thread hooks.
#include <gtest/gtest.h>
#include <windows.h>
#include <ole2.h>
#include <vector>
#include "app/process_values.h"
#include "e2e/driver.h"
#include "support/test_support.h"
#include "web/browser_host.h"
#include "web/mouse_guard.h"
#include "web/web_addresses.h"

TEST(EmbeddedBrowser, IsCreatedOfflineSilentAndOnTheCataloguePage)
{
    OleInitialize(NULL);
    ASSERT_TRUE(RegisterBrowserHostClass(GetModuleHandleA(NULL)));
    HWND host = CreateWindowExA(0, BrowserHostClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, NULL, NULL,
                                GetModuleHandleA(NULL), NULL);
    ASSERT_NE(nullptr, host);
    ASSERT_TRUE(EmbedBrowser(host));
    EXPECT_FALSE(EmbedBrowser(host)) << "one browser per host";
    IWebBrowser2* browser = BrowserOfHost(host);
    ASSERT_NE(nullptr, browser);
    VARIANT_BOOL offline = VARIANT_FALSE, silent = VARIANT_FALSE;
    browser->get_Offline(&offline);
    browser->get_Silent(&silent);
    EXPECT_EQ(VARIANT_TRUE, offline);
    EXPECT_EQ(VARIANT_TRUE, silent);
    WaitUntil([] { return false; }, 1500);  // let the navigation begin
    BSTR location = nullptr;
    browser->get_LocationURL(&location);
    ASSERT_NE(nullptr, location);
    EXPECT_EQ(std::wstring(L"" CATALOGUE_PAGE_URL), std::wstring(location));
    SysFreeString(location);
    // The control sits in the host as a child window.
    EXPECT_NE(nullptr, GetWindow(host, GW_CHILD));
    DestroyWindow(host);
    EXPECT_EQ(nullptr, BrowserOfHost(host));
    OleUninitialize();
}

namespace {

struct Received {
    std::vector<UINT> messages;
    int Count(UINT m) const
    {
        int n = 0;
        for (UINT x : messages) n += x == m;
        return n;
    }
};
Received g_document, g_other, g_olderHook;
HHOOK g_older = NULL;

LRESULT CALLBACK RecordingProc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    char cls[64] = "";
    GetClassNameA(w, cls, sizeof(cls));
    if (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST)
        (lstrcmpA(cls, BrowserDocumentClass) == 0 ? g_document : g_other).messages.push_back(m);
    return DefWindowProcA(w, m, wp, lp);
}

LRESULT CALLBACK OlderHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) g_olderHook.messages.push_back(static_cast<UINT>(wParam));
    return CallNextHookEx(g_older, code, wParam, lParam);
}

void RightClick(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    SendInput(2, in, sizeof(INPUT));
}

class GuardWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        HINSTANCE instance = GetModuleHandleA(NULL);
        for (const char* cls : {BrowserDocumentClass, "QelvanOtherWindow"}) {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = RecordingProc;
            wc.hInstance = instance;
            wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
            wc.lpszClassName = cls;
            RegisterClassA(&wc);
        }
        top = CreateWindowExA(0, "QelvanOtherWindow", "guard", WS_POPUP | WS_VISIBLE, 100, 100, 400, 200, NULL, NULL,
                              instance, NULL);
        document = CreateWindowExA(0, BrowserDocumentClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, top, NULL,
                                   instance, NULL);
        other = CreateWindowExA(0, "QelvanOtherWindow", "", WS_CHILD | WS_VISIBLE, 200, 0, 200, 200, top, NULL,
                                instance, NULL);
        BringToFront(top);
        g_document = g_other = g_olderHook = Received();
    }
    void TearDown() override { DestroyWindow(top); }
    HWND top = NULL, document = NULL, other = NULL;
};

}  // namespace

TEST_F(GuardWindows, DecisionDependsOnTheFocusAndTheMessageOnly)
{
    MOUSEHOOKSTRUCT info = {};
    MouseHookHandle = NULL;
    SetFocus(document);
    for (int code : {HC_ACTION, HC_NOREMOVE, -1}) {
        EXPECT_EQ(1, BrowserMouseHook(code, WM_RBUTTONUP, reinterpret_cast<LPARAM>(&info))) << code;
        for (UINT m : {WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_NCRBUTTONUP, WM_LBUTTONUP, WM_MOUSEMOVE})
            EXPECT_EQ(0, BrowserMouseHook(code, m, reinterpret_cast<LPARAM>(&info))) << code << " " << m;
    }
    SetFocus(other);
    EXPECT_EQ(0, BrowserMouseHook(HC_ACTION, WM_RBUTTONUP, reinterpret_cast<LPARAM>(&info)));
    SetFocus(NULL);
    EXPECT_EQ(0, BrowserMouseHook(HC_ACTION, WM_RBUTTONUP, reinterpret_cast<LPARAM>(&info)));
}

TEST_F(GuardWindows, ThreeHooksSwallowTheReleaseOnceAndForwardEverythingElseOnce)
{
    g_older = SetWindowsHookExA(WH_MOUSE, OlderHook, NULL, GetCurrentThreadId());
    ASSERT_NE(nullptr, g_older);
    for (int i = 0; i < 3; ++i) {
        MouseHookHandle = InstallBrowserMouseHook(GetCurrentThreadId());
        ASSERT_NE(nullptr, MouseHookHandle);
    }
    // The document has the focus: the release reaches neither it nor the older hook.
    SetFocus(document);
    RightClick(document);
    ASSERT_TRUE(WaitUntil([] { return g_document.Count(WM_RBUTTONDOWN) == 1; }, 10000));
    WaitUntil([] { return false; }, 500);
    EXPECT_EQ(0, g_document.Count(WM_RBUTTONUP));
    EXPECT_EQ(1, g_olderHook.Count(WM_RBUTTONDOWN));
    EXPECT_EQ(0, g_olderHook.Count(WM_RBUTTONUP));

    // Over another window, the document still focused: swallowed too.
    RightClick(other);
    ASSERT_TRUE(WaitUntil([] { return g_other.Count(WM_RBUTTONDOWN) == 1; }, 10000));
    WaitUntil([] { return false; }, 500);
    EXPECT_EQ(0, g_other.Count(WM_RBUTTONUP));

    // The focus elsewhere: the release passes every hook and arrives once, over the document too.
    SetFocus(other);
    RightClick(document);
    ASSERT_TRUE(WaitUntil([] { return g_document.Count(WM_RBUTTONUP) == 1; }, 10000));
    WaitUntil([] { return false; }, 500);
    EXPECT_EQ(1, g_document.Count(WM_RBUTTONUP));
    EXPECT_EQ(1, g_olderHook.Count(WM_RBUTTONUP));
    UnhookWindowsHookEx(g_older);
}
