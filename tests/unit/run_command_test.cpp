// Starting uninstallers for real, the message boxes of the actions, and the two action handlers.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <thread>
#include "catalogue/delete_entry.h"
#include "catalogue/installed_list.h"
#include "catalogue/uninstall.h"
#include "support/test_support.h"

namespace {

std::string Child(const std::string& args) { return "\"" + TestChildPath() + "\" " + args; }

int g_refreshes = 0;
std::string g_doneFileAtRefresh;
bool g_doneBeforeRefresh = false;
void CountRefresh()
{
    ++g_refreshes;
    g_doneBeforeRefresh = g_doneFileAtRefresh.empty() || FileExists(g_doneFileAtRefresh);
}

// A list window whose rows the code under test fills.
class ListWindow : public TestListWindow {
public:
    ListView list() const { return ListView(handle()); }
};

// Answers the next message box of this process from another thread.
class BoxAnswerer {
public:
    explicit BoxAnswerer(int button)
        : thread_([this, button] { answered_ = AnswerMessageBox(GetCurrentProcessId(), button, &seen_); }) {}
    ~BoxAnswerer() { if (thread_.joinable()) thread_.join(); }
    const SeenBox& Seen() { if (thread_.joinable()) thread_.join(); return seen_; }
    bool Answered() { Seen(); return answered_; }

private:
    SeenBox seen_;
    bool answered_ = false;
    std::thread thread_;
};

}  // namespace

TEST(RunCommandLine, StartsWaitsAndReportsWhetherAProcessRan)
{
    TempDirectory dir("run");
    const std::string done = dir.file("done.txt");
    const std::string cwd = dir.file("cwd.txt");
    // The exit code does not count: a failing uninstaller still ran.
    EXPECT_TRUE(RunCommandLine(Child("sleep=300 cwd=" + cwd + " done=" + done + " exit=3"), true));
    EXPECT_EQ("done\n", ReadFileText(done));  // it had ended before the call returned
    char here[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, here);
    EXPECT_EQ(here, ReadFileText(cwd));

    const std::string cases[] = {"", "可能软件本身有卸载功能!", dir.path(), dir.file("missing.exe"),
                                 "\"" + dir.file("missing.exe") + "\" /S"};
    for (const std::string& command : cases) EXPECT_FALSE(RunCommandLine(command, true)) << command;
}

TEST(RunCommandLine, AnswersBroadcastsWhileWaitingAndKeepsPostedMessages)
{
    // A top-level window of this thread: a child that broadcasts with SendMessage waits for it.
    HWND own = CreateWindowExA(0, "STATIC", "broadcast target", WS_OVERLAPPED, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, own);
    const UINT marker = WM_APP + 77;
    PostMessageA(own, marker, 1, 2);
    // A deadlock would hang the run: end the process instead, unless the call came back.
    HANDLE returned = CreateEventA(NULL, TRUE, FALSE, NULL);
    std::thread watchdog([returned] {
        if (WaitForSingleObject(returned, 120000) == WAIT_OBJECT_0) return;
        std::fprintf(stderr, "deadlock: the wait did not answer the broadcast\n");
        ExitProcess(3);
    });
    EXPECT_TRUE(RunCommandLine(Child("broadcast"), true));
    SetEvent(returned);
    watchdog.join();
    CloseHandle(returned);
    MSG m;
    EXPECT_TRUE(PeekMessageA(&m, own, marker, marker, PM_REMOVE));
    DestroyWindow(own);
}

TEST(ShowMessage, InformationBoxWithTheDefaultCaption)
{
    BoxAnswerer answer(IDOK);
    EXPECT_EQ(0, ShowMessage("text", MB_ICONINFORMATION));
    EXPECT_EQ("信息：", answer.Seen().caption);
    EXPECT_EQ("text", answer.Seen().text);
    EXPECT_FALSE(answer.Seen().hasCancel);
    EXPECT_TRUE(answer.Seen().hasIcon);

    BoxAnswerer cancel(IDCANCEL);
    EXPECT_EQ(1, ShowMessage("q", MB_OKCANCEL, "own caption"));
    EXPECT_EQ("own caption", cancel.Seen().caption);
}

TEST(UninstallSelected, RunsTheSelectedCommandAndRefreshesAfterItEnded)
{
    TempDirectory dir("uninst");
    ListWindow window;
    g_doneFileAtRefresh = dir.file("done.txt");
    window.AddRow("App", Child("sleep=500 done=" + g_doneFileAtRefresh));
    window.Select(0);
    g_refreshes = 0;
    UninstallSelected(window.list(), CountRefresh);
    EXPECT_EQ(1, g_refreshes);
    EXPECT_TRUE(g_doneBeforeRefresh);
    g_doneFileAtRefresh.clear();
}

TEST(UninstallSelected, TellsWhenNothingCanBeStarted)
{
    ListWindow window;
    window.AddRow("Note", "可能软件本身有卸载功能!");
    window.AddRow("Gone", "C:\\no\\such\\uninstaller.exe");
    for (int row : {-1, 0, 1}) {
        if (row >= 0) window.Select(row);
        g_refreshes = 0;
        BoxAnswerer answer(IDOK);
        UninstallSelected(window.list(), CountRefresh);
        ASSERT_TRUE(answer.Answered()) << row;
        EXPECT_EQ("对应的卸载程序不存在,可能软件已经卸载过了,该信息已经无用,可以执行删除!", answer.Seen().text);
        EXPECT_EQ("信息：", answer.Seen().caption);
        EXPECT_EQ(0, g_refreshes) << row;
        EXPECT_EQ(row, window.list().CurrentSelection());
    }
}

TEST(DeleteSelectedEntry, AsksAndDeletesOnlyAfterOk)
{
    const std::string root = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    const std::string subkey = "QelvanDeleteTest" + std::to_string(GetCurrentProcessId());
    RegistryFixture entry(HKEY_LOCAL_MACHINE, root + "\\" + subkey);
    entry.SetText("", "DisplayName", "Shown Name");
    HKEY key;
    RegOpenKeyA(HKEY_LOCAL_MACHINE, root.c_str(), &key);
    ListWindow window;
    window.AddRow("stale", "");
    FillInstalledList(window.list(), key);
    int row = -1;
    for (int i = 0; i < window.list().RowCount(); ++i)
        if (window.list().GetCellText(i, 0) == "Shown Name") row = i;
    ASSERT_GE(row, 0);
    window.Select(row);

    g_refreshes = 0;
    {
        BoxAnswerer cancel(IDCANCEL);
        DeleteSelectedEntry(window.list(), CountRefresh);
        EXPECT_EQ("您真的要删除该注册信息吗?", cancel.Seen().text);
        EXPECT_EQ("信息：", cancel.Seen().caption);
        EXPECT_TRUE(cancel.Seen().hasCancel);
    }
    EXPECT_EQ(0, g_refreshes);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, root + "\\" + subkey));
    {
        BoxAnswerer ok(IDOK);
        DeleteSelectedEntry(window.list(), CountRefresh);
        EXPECT_TRUE(ok.Answered());
    }
    EXPECT_EQ(1, g_refreshes);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, root + "\\" + subkey));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, root));
}
