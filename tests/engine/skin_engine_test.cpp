// The built SkinH_EL.dll on real windows of the test's own: what a skin changes on the screen,
// windows created later, message boxes, repeats, refusals and the way back to the platform's look.
#include <gtest/gtest.h>
#include "e2e/driver.h"
#include "engine/gdi_count.h"
#include "engine/skin_bytes.h"
#include "engine/skin_parser.h"
#include <windows.h>
#include <commctrl.h>
#include <malloc.h>
#include <thread>

namespace {

typedef int(WINAPI* Attach)(const void*, DWORD, const char*, DWORD, DWORD, DWORD);

HMODULE Engine()
{
    static HMODULE engine = LoadLibraryA(SKIN_ENGINE_DLL);
    return engine;
}

Attach AttachEntry() { return reinterpret_cast<Attach>(reinterpret_cast<void*>(GetProcAddress(Engine(), "SkinH_AttachRes"))); }

// Hands over a copy and wipes it right after, as the program releases its buffer.
int AttachCopy(const std::string& bytes)
{
    char* copy = new char[bytes.size() + 1];
    memcpy(copy, bytes.data(), bytes.size());
    int result = AttachEntry()(copy, static_cast<DWORD>(bytes.size()), "", 0, 0, 0);
    memset(copy, 0xDD, bytes.size());
    delete[] copy;
    return result;
}

SkinLook LookOf(int number)
{
    SkinLook look;
    std::string bytes = ShippedSkin(number);
    ParseSkin(bytes.data(), bytes.size(), look);
    return look;
}

void Pump(DWORD ms = 150)
{
    DWORD until = GetTickCount() + ms;
    do {
        MSG m;
        while (PeekMessageA(&m, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        Sleep(10);
    } while (GetTickCount() < until);
}

void Redraw(HWND window)
{
    RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
}

COLORREF ScreenPixel(HWND window, int x, int y)  // window coordinates, frame included
{
    RECT r;
    GetWindowRect(window, &r);
    HDC screen = GetDC(NULL);
    COLORREF c = GetPixel(screen, r.left + x, r.top + y);
    ReleaseDC(NULL, screen);
    return c;
}

// Whether c lies on the way from a to b, channel by channel.
bool Between(COLORREF c, COLORREF a, COLORREF b, int slack = 3)
{
    auto in = [slack](int v, int x, int y) { return v >= (x < y ? x : y) - slack && v <= (x < y ? y : x) + slack; };
    return in(GetRValue(c), GetRValue(a), GetRValue(b)) && in(GetGValue(c), GetGValue(a), GetGValue(b)) &&
           in(GetBValue(c), GetBValue(a), GetBValue(b));
}

LRESULT CALLBACK SampleProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

// A window with the controls the program uses.
struct SampleWindow {
    HWND window, tab, button, list, header, text;

    SampleWindow()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = SampleProc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.hCursor = LoadCursor(NULL, IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = "SkinSample";
        RegisterClassA(&wc);
        window = CreateWindowExA(0, "SkinSample", "皮肤示例", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                                 40, 40, 520, 360, NULL, NULL, wc.hInstance, NULL);
        HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        auto child = [&](DWORD ex, const char* cls, const char* title, DWORD style, int x, int y, int w, int h) {
            HWND c = CreateWindowExA(ex, cls, title, WS_CHILD | WS_VISIBLE | style, x, y, w, h, window, NULL, wc.hInstance, NULL);
            SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            return c;
        };
        tab = child(0, WC_TABCONTROLA, "", WS_CLIPSIBLINGS, 8, 8, 240, 200);
        const char* pages[2] = {"软件大全", "软件卸载"};
        for (int i = 0; i < 2; ++i) {
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(pages[i]);
            SendMessageA(tab, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
        list = child(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", LVS_REPORT | LVS_SHOWSELALWAYS, 260, 8, 240, 200);
        SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        SendMessageA(list, LVM_SETBKCOLOR, 0, RGB(255, 255, 255));
        SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, RGB(255, 255, 255));
        SendMessageA(list, LVM_SETTEXTCOLOR, 0, RGB(1, 2, 3));
        const char* columns[2] = {"已安装软件名称", "安装信息"};
        for (int i = 0; i < 2; ++i) {
            LVCOLUMNA c = {};
            c.mask = LVCF_TEXT | LVCF_WIDTH;
            c.cx = 110;
            c.pszText = const_cast<char*>(columns[i]);
            SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&c));
        }
        for (int row = 0; row < 6; ++row) {
            char name[32];
            wsprintfA(name, "示例软件 %d", row + 1);
            LVITEMA item = {};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.pszText = name;
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            item.iSubItem = 1;
            item.pszText = const_cast<char*>("C:\\Program Files\\uninst.exe");
            SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        }
        ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
        header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
        text = child(0, "Static", "说明文字", 0, 8, 220, 240, 20);
        button = child(0, "Button", "卸载选中软件", BS_PUSHBUTTON, 400, 280, 100, 26);
        SetCursorPos(1200, 1000);  // no control is under the pointer
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        Redraw(window);
    }
    ~SampleWindow() { DestroyWindow(window); }

    COLORREF Background() const { return PixelAt(window, 150, 280); }
    COLORREF Frame() const { return ScreenPixel(window, 0, 0); }
    COLORREF ButtonFace() const { return PixelAt(button, 6, 20); }
    COLORREF TextBack() const { return PixelAt(text, 230, 10); }
    COLORREF HeaderFace() const { return PixelAt(header, 230, 16); }
    COLORREF ListBack() const { return static_cast<COLORREF>(SendMessageA(list, LVM_GETBKCOLOR, 0, 0)); }
};

class SkinEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, Engine()) << SKIN_ENGINE_DLL;
        ASSERT_NE(nullptr, AttachEntry());
    }
    void TearDown() override { AttachEntry()(nullptr, 0, "", 0, 0, 0); }

    // Pixels of a skinned sample show skin `n`.
    static void ExpectSkin(const SampleWindow& s, int n)
    {
        SkinLook look = LookOf(n);
        EXPECT_EQ(look.colours[SkinWindowBg], s.Background()) << n;
        EXPECT_EQ(look.colours[SkinWindowBg], s.TextBack()) << n;
        EXPECT_EQ(look.colours[SkinFrameOuter], s.Frame()) << n;
        EXPECT_TRUE(Between(s.ButtonFace(), look.colours[SkinButtonFrom], look.colours[SkinButtonTo])) << n;
        EXPECT_TRUE(Between(s.HeaderFace(), look.colours[SkinHeaderFrom], look.colours[SkinHeaderTo])) << n;
        EXPECT_EQ(look.colours[SkinListBg], s.ListBack()) << n;
    }
};

}  // namespace

TEST_F(SkinEngine, ASkinChangesTheWindowsOfTheThreadAndThoseCreatedLater)
{
    SampleWindow sample;
    const COLORREF plainBackground = sample.Background(), plainFrame = sample.Frame(), plainButton = sample.ButtonFace();
    ASSERT_EQ(GetSysColor(COLOR_BTNFACE), plainBackground);

    ASSERT_EQ(1, AttachCopy(ShippedSkin(1)));  // the data is wiped and freed right after
    Redraw(sample.window);
    ExpectSkin(sample, 1);
    SaveScreenshot(sample.window, "skin-sample-01");

    // A window and a button made after the attach are skinned as they appear.
    SampleWindow later;
    ExpectSkin(later, 1);

    // Another skin replaces it at once, on the windows already skinned.
    ASSERT_EQ(1, AttachCopy(ShippedSkin(4)));
    Redraw(sample.window);
    ExpectSkin(sample, 4);

    // Back to the platform's look, the list's own colours included.
    ASSERT_EQ(1, AttachEntry()(nullptr, 0, "", 0, 0, 0));
    Redraw(sample.window);
    EXPECT_EQ(plainBackground, sample.Background());
    EXPECT_EQ(plainBackground, sample.TextBack());
    EXPECT_EQ(plainFrame, sample.Frame());
    EXPECT_EQ(plainButton, sample.ButtonFace());
    EXPECT_EQ(RGB(255, 255, 255), sample.ListBack());
    EXPECT_EQ(RGB(1, 2, 3), static_cast<COLORREF>(SendMessageA(sample.list, LVM_GETTEXTCOLOR, 0, 0)));

    // And skinned again after that.
    ASSERT_EQ(1, AttachCopy(ShippedSkin(1)));
    Redraw(sample.window);
    ExpectSkin(sample, 1);
}

TEST_F(SkinEngine, InvalidDataIsRefusedAndTheLookStays)
{
    SampleWindow sample;
    ASSERT_EQ(1, AttachCopy(ShippedSkin(28)));
    std::string bad = ShippedSkin(1);
    bad[0] = 'X';
    std::string cut = ShippedSkin(1).substr(0, 100);
    EXPECT_EQ(0, AttachCopy(bad));
    EXPECT_EQ(0, AttachCopy(cut));
    EXPECT_EQ(0, AttachCopy(std::string(40, '\0')));
    EXPECT_EQ(0, AttachEntry()(nullptr, 100, "", 0, 0, 0));
    EXPECT_EQ(0, AttachEntry()("x", 0, "", 0, 0, 0));
    Redraw(sample.window);
    ExpectSkin(sample, 28);

    // A call from another thread is refused while this thread is skinned.
    int fromOther = -1;
    std::string skin = ShippedSkin(2);
    std::thread other([&] { fromOther = AttachCopy(skin); });
    other.join();
    EXPECT_EQ(0, fromOther);
    Redraw(sample.window);
    ExpectSkin(sample, 28);
}

namespace {

int UsedHeapBlocks()
{
    _HEAPINFO info = {};
    int used = 0;
    while (_heapwalk(&info) == _HEAPOK)
        if (info._useflag == _USEDENTRY) ++used;
    return used;
}

}  // namespace

TEST_F(SkinEngine, RepeatedAttachesLeakNothing)
{
    SampleWindow sample;
    const std::string one = ShippedSkin(1), other = ShippedSkin(17);
    GdiObjectCount gdi(Engine());
    ASSERT_TRUE(gdi.Hooked());
    ASSERT_EQ(1, AttachCopy(one));
    ASSERT_EQ(1, AttachCopy(other));
    ASSERT_EQ(1, AttachCopy(one));
    Redraw(sample.window);
    const std::size_t objects = gdi.Live();
    EXPECT_GT(objects, 0u) << "the skin's brush and caption font";
    const int blocks = UsedHeapBlocks();
    for (int i = 0; i < 200; ++i) ASSERT_EQ(1, AttachEntry()(one.data(), static_cast<DWORD>(one.size()), "", 0, 0, 0));
    EXPECT_EQ(blocks, UsedHeapBlocks()) << "the same skin again";
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(1, AttachEntry()(other.data(), static_cast<DWORD>(other.size()), "", 0, 0, 0));
        Redraw(sample.window);
        ASSERT_EQ(1, AttachEntry()(one.data(), static_cast<DWORD>(one.size()), "", 0, 0, 0));
    }
    Redraw(sample.window);
    EXPECT_EQ(blocks, UsedHeapBlocks()) << "skins changed back and forth";
    EXPECT_EQ(objects, gdi.Live()) << "GDI objects after 100 changes of skin and 50 repaints";
    ExpectSkin(sample, 1);
    ASSERT_EQ(1, AttachEntry()(nullptr, 0, "", 0, 0, 0));
    EXPECT_EQ(0u, gdi.Live()) << "nothing is left once the skin is off";
}

TEST_F(SkinEngine, UnloadingTheEngineGivesTheWindowsBack)
{
    // A copy of its own, so that this load is the only one and FreeLibrary really unloads it.
    TempDirectory dir("engine-copy");
    const std::string copy = dir.file("SkinH_copy.dll");
    ASSERT_TRUE(CopyFileA(SKIN_ENGINE_DLL, copy.c_str(), FALSE));
    SampleWindow sample;
    const COLORREF plain = sample.Background();
    HMODULE module = LoadLibraryA(copy.c_str());
    ASSERT_NE(nullptr, module);
    Attach attach = reinterpret_cast<Attach>(reinterpret_cast<void*>(GetProcAddress(module, "SkinH_AttachRes")));
    std::string skin = ShippedSkin(8);
    ASSERT_EQ(1, attach(skin.data(), static_cast<DWORD>(skin.size()), "", 0, 0, 0));
    Redraw(sample.window);
    ASSERT_EQ(LookOf(8).colours[SkinWindowBg], sample.Background());
    ASSERT_TRUE(FreeLibrary(module));
    ASSERT_EQ(nullptr, GetModuleHandleA("SkinH_copy.dll"));
    // Every message now goes to the windows' own procedures; none may reach the unloaded code.
    Redraw(sample.window);
    EXPECT_EQ(plain, sample.Background());
    SendMessageA(sample.button, BM_SETSTATE, TRUE, 0);
    SendMessageA(sample.list, LVM_SETBKCOLOR, 0, RGB(9, 9, 9));
    SampleWindow later;  // no hook is left either
    EXPECT_EQ(plain, later.Background());
}

namespace {

struct BoxCheck {
    bool seen = false;
    COLORREF background = CLR_INVALID, frame = CLR_INVALID, button = CLR_INVALID;
};
BoxCheck g_box;

BOOL CALLBACK FindBox(HWND window, LPARAM found)
{
    char cls[16] = "";
    GetClassNameA(window, cls, sizeof(cls));
    if (lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK ReadBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND box = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    KillTimer(NULL, timer);
    RedrawWindow(box, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SaveScreenshot(box, "skin-message-box");
    RECT client;
    GetClientRect(box, &client);
    g_box.seen = true;
    g_box.background = PixelAt(box, 2, client.bottom - 2);
    g_box.frame = ScreenPixel(box, 0, 0);
    HWND ok = GetDlgItem(box, IDOK);
    RECT r;
    GetClientRect(ok, &r);
    g_box.button = PixelAt(ok, 4, r.bottom * 3 / 4);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

}  // namespace

TEST_F(SkinEngine, MessageBoxesOfTheThreadAreSkinned)
{
    ASSERT_EQ(1, AttachCopy(ShippedSkin(10)));
    SkinLook look = LookOf(10);
    UINT_PTR timer = SetTimer(NULL, 0, 300, ReadBox);
    MessageBoxA(NULL, "确实要删除选中的软件信息吗？", "提示", MB_OKCANCEL | MB_ICONQUESTION);
    KillTimer(NULL, timer);
    ASSERT_TRUE(g_box.seen);
    EXPECT_EQ(look.colours[SkinWindowBg], g_box.background);
    EXPECT_EQ(look.colours[SkinFrameOuter], g_box.frame);
    EXPECT_TRUE(Between(g_box.button, look.colours[SkinButtonFrom], look.colours[SkinButtonTo]));
}

#include "app/controls.h"
#include "app/main_window.h"
#include <ole2.h>

// The program's own main window, built by its own code, in several skins.
TEST_F(SkinEngine, TheMainWindowInOtherSkins)
{
    OleInitialize(NULL);
    HWND window = LoadMainWindow(GetModuleHandleA(NULL));
    ASSERT_NE(nullptr, window);
    HWND list = Controls().list;
    const char* names[][2] = {{"Qelvan 拼音输入法", "C:\\Program Files\\Qelvan\\uninst.exe"},
                              {"示例播放器 3.2", "C:\\Program Files\\Player\\uninstall.exe /S"},
                              {"压缩工具", "可能软件本身有卸载功能!"},
                              {"办公套件 2026", "MsiExec.exe /X{01234567-89AB-CDEF-0123-456789ABCDEF}"},
                              {"图片查看器", "C:\\Tools\\Viewer\\unins000.exe"}};
    for (int row = 0; row < 5; ++row) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>(names[row][0]);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<char*>(names[row][1]);
        SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    }
    ListView_SetItemState(list, 2, LVIS_SELECTED, LVIS_SELECTED);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SendMessageA(Controls().tab, TCM_SETCURSEL, 1, 0);
    ShowTabPage(1);
    for (int n : {3, 14, 22, 31}) {
        ASSERT_EQ(1, AttachCopy(ShippedSkin(n)));
        Redraw(window);
        EXPECT_EQ(LookOf(n).colours[SkinFrameOuter], ScreenPixel(window, 0, 0)) << n;
        EXPECT_EQ(LookOf(n).colours[SkinListBg], static_cast<COLORREF>(SendMessageA(list, LVM_GETBKCOLOR, 0, 0))) << n;
        char name[32];
        wsprintfA(name, "skin-%02d-main-window", n);
        SaveScreenshot(window, name);
    }
    DestroyWindow(window);
    Controls() = MainControls{};
    OleUninitialize();
}
