// Writing, binding and attaching the skin engine, seen from outside: the file the program leaves
// beside itself, which library it loads, what it hands over, and the fatal box when it cannot.
#include <gtest/gtest.h>
#include <windows.h>
#include "app/fatal_error.h"
#include "e2e/driver.h"
#include "e2e/launch_log.h"
#include "engine/skin_parser.h"
#include "skin/skin_binding.h"
#include "skin/skin_table.h"
#include "support/test_support.h"
#include <cstdio>

namespace {

const std::string Root = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

std::string Bytes(ByteBlock block) { return std::string(reinterpret_cast<const char*>(block.data), block.size); }

std::string EngineIn(const std::string& directory) { return directory + "\\SkinH_EL.dll"; }

// The calls a recording engine saw, one line each.
class AttachLog {
public:
    AttachLog() : dir_("skin-log")
    {
        path_ = dir_.file("attach.log");
        SetEnvironmentVariableA("QELVAN_SKIN_LOG", path_.c_str());
    }
    ~AttachLog() { SetEnvironmentVariableA("QELVAN_SKIN_LOG", NULL); }
    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        std::string text = ReadFileText(path_);
        for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines.push_back(text.substr(start, end - start));
        return lines;
    }

private:
    TempDirectory dir_;
    std::string path_;
};

// A directory in front of the search path of the programs started from now on.
class SearchPathFront {
public:
    explicit SearchPathFront(const std::string& directory)
    {
        char old[32768] = "";
        GetEnvironmentVariableA("PATH", old, sizeof(old));
        old_ = old;
        SetEnvironmentVariableA("PATH", (directory + ";" + old_).c_str());
    }
    ~SearchPathFront() { SetEnvironmentVariableA("PATH", old_.c_str()); }

private:
    std::string old_;
};

// What one call of skin 1 looks like when it is done right, from the recorder in `module`.
std::string ExpectedAttach(const std::string& module)
{
    ByteBlock skin = SkinTable(1);
    char line[600];
    std::snprintf(line, sizeof(line), "data=set size=%lu crc=%08lx text=empty args=0,0,0 image=0 module=%s",
                  static_cast<unsigned long>(skin.size),
                  static_cast<unsigned long>(SkinCrc32(skin.data, skin.size)), module.c_str());
    return line;
}

void ExpectBindingFailure(AppUnderTest& app)
{
    SeenBox box;
    ASSERT_TRUE(AnswerMessageBox(app.ProcessId(), IDOK, &box));
    EXPECT_EQ("错误", box.caption);
    EXPECT_EQ(FatalErrorText("无法找到指定DLL库文件“SkinH_EL.dll”中的输出命令“SkinH_AttachRes”"), box.text);
    DWORD code = 0;
    ASSERT_TRUE(app.WaitForExit(30000, &code));
    EXPECT_EQ(static_cast<DWORD>(-1), code);
}

class SkinLoading : public ::testing::Test {
protected:
    void SetUp() override { RegisterUrlRecorder(); }
    LaunchLog launches;
    AttachLog attaches;
};

}  // namespace

TEST_F(SkinLoading, FirstStartWritesTheEngineHiddenAndShowsSkinOne)
{
    AppUnderTest app;
    ASSERT_TRUE(app.Start());
    const std::string engine = EngineIn(app.RunDirectory());
    EXPECT_TRUE(Bytes(SkinEngineImage()) == ReadFileText(engine)) << "exactly the image's bytes";
    // Wine reports every regular file as archived, so only the other attributes can be seen.
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN), GetFileAttributesA(engine.c_str()) & ~FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ((std::vector<std::string>{"Qelvan.exe", "SkinH_EL.dll"}), DirectoryEntries(app.RunDirectory()))
        << "no temporary file is left behind";

    // Skin 1 is on: the window's background is the skin's.
    SkinLook look;
    ASSERT_TRUE(ParseSkin(SkinTable(1).data, SkinTable(1).size, look));
    EXPECT_TRUE(WaitUntil([&] { return PixelAt(app.Main(), 232, 400) == look.colours[SkinWindowBg]; }, 10000));
    app.SelectTab(1);
    SaveScreenshot(app.Main(), "skin-01-main-window");
}

TEST_F(SkinLoading, AnExistingFileIsKeptAsItIsAndIsTheOneLoaded)
{
    AppUnderTest app;
    const std::string engine = EngineIn(app.RunDirectory());
    // The recorder with a few bytes more, read-only and archived: none of that may change.
    const std::string content = ReadFileText(RecordingEnginePath()) + "kept";
    WriteFileBytes(engine, content);
    const DWORD attributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE;
    SetFileAttributesA(engine.c_str(), attributes);

    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(WaitUntil([&] { return attaches.Lines().size() >= 1; }));
    EXPECT_EQ(std::vector<std::string>{ExpectedAttach(engine)}, attaches.Lines());
    EXPECT_TRUE(content == ReadFileText(engine));
    EXPECT_EQ(attributes, GetFileAttributesA(engine.c_str()));
    SetFileAttributesA(engine.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(SkinLoading, EveryRefreshAttachesSkinOneAgainFromAFreshCopy)
{
    const std::string name = "QSKIN" + std::to_string(GetCurrentProcessId());
    CreateKey(HKEY_LOCAL_MACHINE, Root + "\\" + name);
    AppUnderTest app;
    const std::string engine = EngineIn(app.RunDirectory());
    CopyFileA(RecordingEnginePath().c_str(), engine.c_str(), FALSE);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(WaitUntil([&] { return attaches.Lines().size() >= 1; }));

    // Two refreshes: a deletion confirmed, and one with no row selected.
    app.SelectTab(1);
    for (int refresh = 0; refresh < 2; ++refresh) {
        app.Press(app.DeleteButton());
        ASSERT_TRUE(AnswerMessageBox(app.ProcessId(), IDOK, nullptr));
        ASSERT_TRUE(launches.WaitForCount(2 + refresh));
    }
    app.Settle();
    // The recorder wipes what it is given: each line is whole only if each call had its own copy,
    // and image=0 says it was a copy, not the executable's own data.
    EXPECT_EQ(std::vector<std::string>(3, ExpectedAttach(engine)), attaches.Lines());
    DeleteTree(HKEY_LOCAL_MACHINE, Root + "\\" + name);
}

TEST_F(SkinLoading, WhatCannotBeBoundEndsWithTheFatalBox)
{
    struct Case {
        const char* what;
        std::function<void(const std::string&)> place;
    };
    const Case cases[] = {
        {"a file that is no library", [](const std::string& p) { WriteFileBytes(p, "not a library"); }},
        {"a library without the export", [](const std::string& p) { CopyFileA(NoExportLibraryPath().c_str(), p.c_str(), FALSE); }},
        {"a directory", [](const std::string& p) { CreateDirectoryA(p.c_str(), NULL); }},
    };
    for (const Case& c : cases) {
        AppUnderTest app;
        const std::string engine = EngineIn(app.RunDirectory());
        c.place(engine);
        const std::string before = ReadFileText(engine);
        const DWORD attributes = GetFileAttributesA(engine.c_str());
        const int opened = launches.Count();
        ASSERT_TRUE(app.Launch()) << c.what;
        ExpectBindingFailure(app);
        EXPECT_TRUE(before == ReadFileText(engine)) << c.what;
        EXPECT_EQ(attributes, GetFileAttributesA(engine.c_str())) << c.what;
        ASSERT_TRUE(launches.WaitForCount(opened + 1));
        EXPECT_EQ(opened + 1, launches.Count()) << c.what << ": the home page was opened before the binding";
        EXPECT_EQ(0u, attaches.Lines().size());
        RemoveDirectoryA(engine.c_str());
    }
}

// A run directory that cannot be written is prepared by scripts/test (a read-only bind mount).
// It is also the one place where the bare name can be seen at work: with a file of that name in
// the run directory, the search by name finds that same file first.
TEST_F(SkinLoading, AReadOnlyRunDirectoryGetsNoFileAndTheBareNameFindsACopyOnThePath)
{
    char exe[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("QELVAN_READONLY_RUN", exe, MAX_PATH)) GTEST_SKIP() << "no read-only run directory";
    const std::string dir = std::string(exe).substr(0, std::string(exe).find_last_of('\\'));
    HANDLE probe = CreateFileA((dir + "\\probe").c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        DeleteFileA((dir + "\\probe").c_str());
        FAIL() << dir << " can be written";
    }
    {
        AppUnderTest app(exe);
        ASSERT_TRUE(app.Launch());
        ExpectBindingFailure(app);
        EXPECT_EQ(std::vector<std::string>{"Qelvan.exe"}, DirectoryEntries(app.RunDirectory()));
    }
    TempDirectory elsewhere("skin-path");
    const std::string copy = EngineIn(elsewhere.path());
    CopyFileA(RecordingEnginePath().c_str(), copy.c_str(), FALSE);
    SearchPathFront front(elsewhere.path());
    AppUnderTest app(exe);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(WaitUntil([&] { return attaches.Lines().size() >= 1; }));
    EXPECT_EQ(std::vector<std::string>{ExpectedAttach(copy)}, attaches.Lines());
    EXPECT_EQ(std::vector<std::string>{"Qelvan.exe"}, DirectoryEntries(app.RunDirectory()));
}
