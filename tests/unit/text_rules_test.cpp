// The pure text and table rules, as tables of cases.
#include <gtest/gtest.h>
#include "app/fatal_error.h"
#include "app/keyboard.h"
#include "app/main_window.h"
#include "app/run_directory.h"
#include "catalogue/installed_list.h"
#include "catalogue/registry_path.h"
#include "catalogue/uninstall.h"
#include "web/hyperlink.h"
#include "web/mouse_guard.h"

TEST(SplitFullPath, SplitsAtTheLastSeparatorThatIsNotASecondByte)
{
    struct Case {
        std::string full, key, item;
    } cases[] = {
        {"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Foo\\DisplayName",
         "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Foo", "DisplayName"},
        {"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Foo",
         "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", "Foo"},
        {"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\",
         "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", ""},
        {"Foo", "", "Foo"},
        {"", "", ""},
        // "软件\表" in GBK: 表 is B1 ED, but 0x5C second bytes: 癨 = 0xB0 0x5C stays whole.
        {"Key\\\xB0\x5C" "name", "Key", "\xB0\x5C" "name"},
        {"\xB0\x5C", "", "\xB0\x5C"},
        // A lead byte at the very end: its "second byte" is the NUL, and the scan ends.
        {"Key\\Item\xB0", "Key", "Item\xB0"},
        {"A\\B\\", "A\\B", ""},
    };
    for (const Case& c : cases) {
        SplitPath split = SplitFullPath(c.full);
        EXPECT_EQ(c.key, split.keyPath) << c.full;
        EXPECT_EQ(c.item, split.itemName) << c.full;
    }
}

TEST(RootKeyOf, MapsTheFourNumbersAndEverythingElseToCurrentUser)
{
    EXPECT_EQ(HKEY_CLASSES_ROOT, RootKeyOf(1));
    EXPECT_EQ(HKEY_CURRENT_CONFIG, RootKeyOf(2));
    EXPECT_EQ(HKEY_LOCAL_MACHINE, RootKeyOf(4));
    EXPECT_EQ(HKEY_USERS, RootKeyOf(5));
    for (int n : {0, 3, 6, -1, 1000}) EXPECT_EQ(HKEY_CURRENT_USER, RootKeyOf(n)) << n;
}

TEST(UninstallCommandColumn, DerivesColumnOneFromTheStoredString)
{
    struct Case {
        std::string stored, shown;
    } cases[] = {
        {"", "可能软件本身有卸载功能!"},
        {"C:\\App\\uninst.exe /S", "C:\\App\\uninst.exe /S"},
        {"\"C:\\Program Files\\App\\uninst.exe\"", "C:\\Program Files\\App\\uninst.exe"},
        // A quoted path with arguments runs as registered.
        {"\"C:\\Program Files\\App\\setup.exe\" --uninstall", "\"C:\\Program Files\\App\\setup.exe\" --uninstall"},
        {"\"C:\\a b\\x.exe\" \"arg\"", "\"C:\\a b\\x.exe\" \"arg\""},
        {"\"", ""},
        {"\"x", ""},
        {"\"\"", ""},
        {"\"\"\"", "\"\"\""},  // a quote between: runs as registered
        {"MsiExec.exe /X{1234}", "MsiExec.exe /X{1234}"},
        {"\xC8\xED\xBC\xFE \"x\"", "\xC8\xED\xBC\xFE \"x\""},
        {"   ", "   "},
    };
    for (const Case& c : cases) EXPECT_EQ(c.shown, UninstallCommandColumn(c.stored)) << c.stored;
}

TEST(ShowWindowValue, MapsAndClampsShowModes)
{
    struct Case {
        int mode;
        WORD value;
    } cases[] = {{1, SW_HIDE}, {2, SW_SHOWNORMAL}, {3, SW_SHOWMINIMIZED}, {4, SW_SHOWMAXIMIZED},
                 {5, SW_SHOWNOACTIVATE}, {6, SW_MINIMIZE}, {7, SW_MINIMIZE}, {100, SW_MINIMIZE},
                 {0, SW_HIDE}, {-5, SW_HIDE}};
    for (const Case& c : cases) EXPECT_EQ(c.value, ShowWindowValue(c.mode)) << c.mode;
    EXPECT_EQ(SW_SHOWNORMAL, ShowWindowValue(ShowModeAbsent));
}

TEST(ShowMessageRules, ResultCodesAndStyle)
{
    struct Case {
        int answer, code;
    } cases[] = {{IDOK, 0}, {IDCANCEL, 1}, {IDABORT, 2}, {IDRETRY, 3}, {IDIGNORE, 4},
                 {IDYES, 5}, {IDNO, 6}, {0, 0}, {IDCLOSE, 0}, {IDHELP, 0}};
    for (const Case& c : cases) EXPECT_EQ(c.code, MessageResultCode(c.answer)) << c.answer;
    EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION | MB_TASKMODAL), MessageBoxStyle(MB_ICONINFORMATION));
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_TASKMODAL), MessageBoxStyle(MB_OKCANCEL));
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_SYSTEMMODAL), MessageBoxStyle(MB_OK | MB_SYSTEMMODAL));
}

TEST(CutHtmCommand, CutsAtTheQuotedPlaceholderFirst)
{
    struct Case {
        std::string command, cut;
    } cases[] = {
        {"\"C:\\Browser\\b.exe\" -nohome \"%1\"", "\"C:\\Browser\\b.exe\" -nohome "},
        {"C:\\b.exe %1", "C:\\b.exe "},
        {"C:\\b.exe %1 \"%1\"", "C:\\b.exe %1 "},
        {"C:\\b.exe", "C:\\b.exe"},
        {"", ""},
        // 0xA2 0x22 is no GBK pair, but a lead byte swallows the next byte: the quote after it
        // cannot open the placeholder, so the bare one is used.
        {"x\xA2\"%1\"", "x\xA2\""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.cut, CutHtmCommand(c.command)) << c.command;
}

TEST(SmallRules, DirectoryKeysFatalTextAndColours)
{
    EXPECT_EQ("C:\\Tools", DirectoryOfModulePath("C:\\Tools\\app.exe"));
    EXPECT_EQ("C:", DirectoryOfModulePath("C:\\app.exe"));
    EXPECT_EQ("C:\\\xB0\x5C", DirectoryOfModulePath("C:\\\xB0\x5C\\app.exe"));
    EXPECT_EQ("C:\\d", DirectoryOfModulePath("C:\\d\\\xB0\x5C.exe"));

    EXPECT_TRUE(IsCloseKey(VK_ESCAPE, false, false, false));
    EXPECT_FALSE(IsCloseKey(VK_ESCAPE, false, true, false));
    EXPECT_FALSE(IsCloseKey(VK_ESCAPE, true, false, false));
    EXPECT_FALSE(IsCloseKey(VK_ESCAPE, false, false, true));
    EXPECT_FALSE(IsCloseKey(VK_RETURN, false, false, false));

    EXPECT_EQ("运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n", FatalErrorText(LoadMainWindowFailed));

    EXPECT_EQ(RGB(0, 0, 255), HyperlinkTextColour(false, false));
    EXPECT_EQ(RGB(128, 0, 0), HyperlinkTextColour(false, true));
    EXPECT_EQ(RGB(51, 153, 255), HyperlinkTextColour(true, true));
    EXPECT_EQ(RGB(51, 153, 255), HyperlinkTextColour(true, false));

    POINT p = CentredPlace(1280, 1024, 720, 434);
    EXPECT_EQ(280, p.x);
    EXPECT_EQ(295, p.y);
    p = CentredPlace(1281, 1023, 720, 434);  // truncated towards zero
    EXPECT_EQ(280, p.x);
    EXPECT_EQ(294, p.y);
}

TEST(SwallowsMouseMessage, OnlyARightReleaseWithTheDocumentFocused)
{
    const WPARAM others[] = {WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_NCRBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP,
                             WM_MBUTTONUP, WM_MOUSEMOVE, WM_MOUSEWHEEL};
    EXPECT_TRUE(SwallowsMouseMessage("Internet Explorer_Server", WM_RBUTTONUP));
    for (WPARAM m : others) EXPECT_FALSE(SwallowsMouseMessage("Internet Explorer_Server", m)) << m;
    for (const char* cls : {"", "internet explorer_server", "Internet Explorer_Server ", "Shell Embedding",
                            "SysListView32", "Internet Explorer_Serve"})
        EXPECT_FALSE(SwallowsMouseMessage(cls, WM_RBUTTONUP)) << cls;
}
