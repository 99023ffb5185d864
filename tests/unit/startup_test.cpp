// The fatal path of start-up, through the program's own start-up code: a window that cannot be
// created (vetoed by a CBT hook of the test) ends it with the error box and -1.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <thread>
#include "app/controls.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "support/test_support.h"

namespace {

// 0 vetoes the main window, any other number the child with that control ID.
INT_PTR g_vetoed = 0;

LRESULT CALLBACK VetoCreation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        const char* cls = cs->lpszClass;
        const bool isMain = cs->hwndParent == NULL && HIWORD(reinterpret_cast<ULONG_PTR>(cls)) != 0 &&
                            lstrcmpA(cls, MainWindowClass) == 0;
        const bool isControl = (cs->style & WS_CHILD) && reinterpret_cast<INT_PTR>(cs->hMenu) == g_vetoed &&
                               cs->hwndParent != NULL && GetParent(cs->hwndParent) == NULL;
        if ((g_vetoed == 0 && isMain) || (g_vetoed != 0 && isControl)) return 1;
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

}  // namespace

TEST(StartUp, AWindowThatCannotBeCreatedEndsWithTheFatalBox)
{
    // The main window, then each of the seven controls by its ID.
    for (INT_PTR cls : {0, 101, 102, 103, 104, 105, 106, 107}) {
        g_vetoed = cls;
        HHOOK hook = SetWindowsHookExA(WH_CBT, VetoCreation, NULL, GetCurrentThreadId());
        ASSERT_NE(nullptr, hook);
        SeenBox seen;
        bool answered = false;
        std::thread answer([&] { answered = AnswerMessageBox(GetCurrentProcessId(), IDOK, &seen); });
        int code = RunApplication(GetModuleHandleA(NULL));
        answer.join();
        UnhookWindowsHookEx(hook);
        EXPECT_EQ(-1, code) << cls;
        ASSERT_TRUE(answered) << cls;
        EXPECT_EQ("错误", seen.caption) << cls;
        EXPECT_EQ("运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n", seen.text) << cls;
        EXPECT_TRUE(seen.hasIcon);
        EXPECT_FALSE(seen.hasCancel);
        // Nothing of the window is left.
        EXPECT_EQ(nullptr, FindWindowA(MainWindowClass, NULL)) << cls;
    }
}
