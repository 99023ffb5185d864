// The program's side of the engine: what AttachSkin hands over and when it releases it, and how
// the engine file is written.
#include <gtest/gtest.h>
#include "skin/engine_file.h"
#include "skin/skin_binding.h"
#include "skin/skin_table.h"
#include "support/test_support.h"
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

// Array allocations are counted while a test watches; the buffer of a skin is one of them.
namespace {
bool g_watching = false;
std::vector<std::pair<void*, std::size_t>> g_live;
int g_allocated = 0;
}  // namespace

void* operator new[](std::size_t size)
{
    void* p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    if (g_watching) {
        g_watching = false;  // the bookkeeping itself allocates
        g_live.push_back({p, size});
        ++g_allocated;
        g_watching = true;
    }
    return p;
}

void operator delete[](void* p) noexcept
{
    if (g_watching)
        for (auto it = g_live.begin(); it != g_live.end(); ++it)
            if (it->first == p) {
                g_live.erase(it);
                break;
            }
    std::free(p);
}

void operator delete[](void* p, std::size_t) noexcept { operator delete[](p); }

namespace {

struct Call {
    const void* data;
    DWORD size;
    std::string bytes;
    bool textEmpty;
    DWORD zeros[3];
    bool dataIsLive;  // the buffer is an allocation that still stands during the call
};
std::vector<Call> g_calls;

int WINAPI RecordAttach(const void* data, DWORD size, const char* text, DWORD a, DWORD b, DWORD c)
{
    bool live = false;
    for (auto& block : g_live) live = live || (block.first == data && block.second == size);
    g_watching = false;
    g_calls.push_back({data, size, data ? std::string(static_cast<const char*>(data), size) : std::string(),
                       text && !*text, {a, b, c}, live});
    g_watching = true;
    return 1;
}

}  // namespace

TEST(SkinBinding, EachAttachGetsAFreshCopyReleasedRightAfter)
{
    for (int number : {1, 17, 33, 1}) {
        ByteBlock skin = SkinTable(number);
        ASSERT_NE(nullptr, skin.data);
        g_calls.clear();
        g_live.clear();
        g_allocated = 0;
        g_watching = true;
        AttachSkin(RecordAttach, number);
        g_watching = false;
        ASSERT_EQ(1u, g_calls.size()) << number;
        const Call& call = g_calls[0];
        EXPECT_EQ(skin.size, call.size) << number;
        EXPECT_TRUE(std::string(reinterpret_cast<const char*>(skin.data), skin.size) == call.bytes) << number;
        EXPECT_NE(static_cast<const void*>(skin.data), call.data) << "a copy, not the executable's data";
        EXPECT_TRUE(call.dataIsLive) << number;
        EXPECT_TRUE(call.textEmpty);
        EXPECT_EQ(0u, call.zeros[0] | call.zeros[1] | call.zeros[2]);
        EXPECT_EQ(1, g_allocated) << "one buffer per call";
        EXPECT_TRUE(g_live.empty()) << "released as soon as the call returned";
    }
}

TEST(SkinBinding, ANumberOutsideTheTablePassesNoData)
{
    for (int number : {0, 34, -1, INT_MIN, INT_MAX}) {
        g_calls.clear();
        g_allocated = 0;
        g_watching = true;
        AttachSkin(RecordAttach, number);
        g_watching = false;
        ASSERT_EQ(1u, g_calls.size()) << number;
        EXPECT_EQ(nullptr, g_calls[0].data) << number;
        EXPECT_EQ(0u, g_calls[0].size) << number;
        EXPECT_TRUE(g_calls[0].textEmpty);
        EXPECT_EQ(0, g_allocated) << number;
    }
}

TEST(SkinBinding, TheEngineFileAppearsWholeOrNotAtAll)
{
    TempDirectory dir("engine-file");
    const std::string path = dir.file("SkinH_EL.dll");
    const std::string image = "MZ" + std::string(70000, '\x5A');
    ByteBlock block = {reinterpret_cast<const unsigned char*>(image.data()), image.size()};

    ASSERT_TRUE(WriteWholeFile(path, block));
    EXPECT_TRUE(image == ReadFileText(path));

    // Something stands there already (another start was quicker): it stays, and the temporary
    // file goes.
    WriteFileBytes(path, "theirs");
    EXPECT_FALSE(WriteWholeFile(path, block));
    EXPECT_EQ("theirs", ReadFileText(path));

    // A directory that is not there: nothing at all.
    EXPECT_FALSE(WriteWholeFile(dir.file("missing\\SkinH_EL.dll"), block));

    EXPECT_EQ(std::vector<std::string>{"SkinH_EL.dll"}, DirectoryEntries(dir.path()));
}

TEST(SkinBinding, TheFatalTextNamesTheLibraryAndTheEntry)
{
    EXPECT_EQ("无法找到指定DLL库文件“SkinH_EL.dll”中的输出命令“SkinH_AttachRes”", SkinBindingFailedText());
}
