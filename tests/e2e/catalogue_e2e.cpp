// The uninstall tab worked from outside: rows from the real registry, deletion, uninstallers,
// the boxes, and the home page handed to the shell at start and at every refresh.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include "e2e/driver.h"
#include "e2e/launch_log.h"
#include "support/test_support.h"

namespace {

const std::string Root = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Entries of the test's own under the real uninstall key, removed afterwards.
class Entries {
public:
    ~Entries()
    {
        for (const std::string& name : names_) DeleteTree(HKEY_LOCAL_MACHINE, Root + "\\" + name);
    }
    void Add(const std::string& name, const std::string& display, const std::string* uninstall)
    {
        names_.push_back(name);
        HKEY root = NULL, key = NULL;
        RegOpenKeyA(HKEY_LOCAL_MACHINE, Root.c_str(), &root);
        RegCreateKeyExA(root, name.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
        RegSetValueExA(key, "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(display.c_str()),
                       static_cast<DWORD>(display.size() + 1));
        if (uninstall)
            RegSetValueExA(key, "UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(uninstall->c_str()),
                           static_cast<DWORD>(uninstall->size() + 1));
        RegCloseKey(key);
        RegCloseKey(root);
    }
    bool Exists(const std::string& name) const { return KeyExists(HKEY_LOCAL_MACHINE, Root + "\\" + name); }

private:
    std::vector<std::string> names_;
};

std::string Tag() { return "QE2E" + std::to_string(GetCurrentProcessId()); }

// Our rows only, as "name|command".
std::vector<std::string> OwnRows(const AppUnderTest& app)
{
    std::vector<std::string> own;
    for (const auto& row : app.Rows())
        if (row[0].compare(0, Tag().size(), Tag()) == 0) own.push_back(row[0] + "|" + row[1]);
    return own;
}

int RowOf(const AppUnderTest& app, const std::string& display)
{
    auto rows = app.Rows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i][0] == display) return static_cast<int>(i);
    return -1;
}

class Catalogue : public ::testing::Test {
protected:
    void SetUp() override { RegisterUrlRecorder(); }
    LaunchLog launches;
    Entries entries;
};

}  // namespace

TEST_F(Catalogue, DeletesTheSelectedEntryOnlyAfterOk)
{
    const std::string t = Tag();
    const std::string quoted = "\"C:\\Program Files\\Alpha\\uninst.exe\"";
    entries.Add("{" + t + "-0001}", t + " Alpha", &quoted);  // keyed by an identifier, as installers do
    entries.Add(t + " Beta", t + " Beta", nullptr);
    AppUnderTest app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(launches.WaitForCount(1));
    EXPECT_EQ(1, launches.Count()) << "one launch of the home page at start";
    EXPECT_NE(std::string::npos, launches.Lines()[0].find("http://www.qelvan.example/"));

    app.SelectTab(1);
    // In the registry's enumeration order: "QE2E…" before "{QE2E…".
    std::vector<std::string> expected = {t + " Beta|可能软件本身有卸载功能!",
                                         t + " Alpha|C:\\Program Files\\Alpha\\uninst.exe"};
    EXPECT_EQ(expected, OwnRows(app));

    const int alpha = RowOf(app, t + " Alpha");
    app.SelectRow(alpha);
    app.Press(app.DeleteButton());
    SeenBox box;
    ASSERT_TRUE(AnswerMessageBox(app.ProcessId(), IDCANCEL, &box));
    EXPECT_EQ("您真的要删除该注册信息吗?", box.text);
    EXPECT_EQ("信息：", box.caption);
    EXPECT_TRUE(box.hasCancel);
    ASSERT_TRUE(WaitUntil([&] { return app.Settle(); }));
    EXPECT_TRUE(entries.Exists("{" + t + "-0001}"));
    EXPECT_EQ(expected, OwnRows(app));
    EXPECT_EQ(alpha, app.SelectedRow());

    app.Press(app.DeleteButton());
    ASSERT_TRUE(AnswerMessageBox(app.ProcessId(), IDOK, &box));
    ASSERT_TRUE(WaitUntil([&] { return !entries.Exists("{" + t + "-0001}"); }));
    app.Settle();
    EXPECT_EQ(std::vector<std::string>{t + " Beta|可能软件本身有卸载功能!"}, OwnRows(app));
    EXPECT_EQ(-1, app.SelectedRow());
    EXPECT_EQ(1, SendMessageA(app.Tab(), TCM_GETCURSEL, 0, 0));
    EXPECT_TRUE(entries.Exists(t + " Beta"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, Root));
    ASSERT_TRUE(launches.WaitForCount(2));
    EXPECT_EQ(2, launches.Count()) << "the refresh hands the home page over once more";
    SaveScreenshot(app.Main(), "uninstall-tab-after-delete");

    // With no row selected, OK deletes nothing and still refreshes.
    app.Press(app.DeleteButton());
    ASSERT_TRUE(AnswerMessageBox(app.ProcessId(), IDOK, &box));
    ASSERT_TRUE(launches.WaitForCount(3));
    EXPECT_TRUE(entries.Exists(t + " Beta"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, Root));
}

TEST_F(Catalogue, RunsTheUninstallerWaitsAndRefreshesAfterIt)
{
    const std::string t = Tag();
    TempDirectory dir("e2e-uninst");
    const std::string cwd = dir.file("cwd.txt");
    const std::string done = dir.file("done.txt");
    const std::string name = "{" + t + "-0002}";
    // A quoted program followed by arguments; it broadcasts a settings change before it ends
    // and removes its own entry, as a real uninstaller does.
    const std::string command = "\"" + TestChildPath() + "\" cwd=" + cwd + " sleep=1000 broadcast delkey=" + name +
                                " done=" + done;
    entries.Add(name, t + " Gamma", &command);
    AppUnderTest app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(launches.WaitForCount(1));
    app.SelectTab(1);
    ASSERT_EQ(std::vector<std::string>{t + " Gamma|" + command}, OwnRows(app));

    app.SelectRow(RowOf(app, t + " Gamma"));
    app.Press(app.UninstallButton());
    ASSERT_TRUE(WaitUntil([&] { return FileExists(done); }, 60000)) << "the uninstaller did not run";
    // The program answers again once the uninstaller has ended, and has refreshed.
    ASSERT_TRUE(WaitUntil([&] { return app.Settle() && OwnRows(app).empty(); }, 60000));
    EXPECT_EQ(app.RunDirectory(), ReadFileText(cwd));
    EXPECT_EQ(-1, app.SelectedRow());
    ASSERT_TRUE(launches.WaitForCount(2));
    EXPECT_EQ(2, launches.Count());
}

TEST_F(Catalogue, TellsWhenNoUninstallerCanBeStarted)
{
    const std::string t = Tag();
    const std::string missing = "C:\\no\\such\\dir\\uninst.exe /S";
    entries.Add(t + " Delta", t + " Delta", &missing);
    entries.Add(t + " Note", t + " Note", nullptr);
    AppUnderTest app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(launches.WaitForCount(1));
    app.SelectTab(1);
    for (const char* row : {"", " Delta", " Note"}) {
        const int index = *row ? RowOf(app, t + row) : -1;
        if (index >= 0) app.SelectRow(index);
        app.Press(app.UninstallButton());
        SeenBox box;
        ASSERT_TRUE(AnswerMessageBox(app.ProcessId(), IDOK, &box)) << row;
        EXPECT_EQ("对应的卸载程序不存在,可能软件已经卸载过了,该信息已经无用,可以执行删除!", box.text);
        EXPECT_EQ("信息：", box.caption);
        EXPECT_FALSE(box.hasCancel);
        EXPECT_TRUE(box.hasIcon);
        app.Settle();
        EXPECT_EQ(index, app.SelectedRow()) << row;
    }
    Sleep(1500);
    EXPECT_EQ(1, launches.Count()) << "no refresh without an uninstaller";
}

TEST_F(Catalogue, EachBannerPressHandsTheHomePageOver)
{
    AppUnderTest app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(launches.WaitForCount(1));
    HWND banner = FindWindowExA(app.Main(), NULL, "QelvanPicBox", NULL);
    BringToFront(app.Main());
    for (int press = 1; press <= 2; ++press) {
        ClickAt(banner, 50, 30);
        ASSERT_TRUE(launches.WaitForCount(1 + press));
        EXPECT_EQ(1 + press, launches.Count());
    }
}
