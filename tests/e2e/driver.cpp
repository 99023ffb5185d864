#include "e2e/driver.h"
#include "app/main_window.h"
#include "support/test_support.h"
#include <windows.h>
#include <commctrl.h>
#include <winternl.h>
#include <cstdio>

namespace {

// Memory in the program's process, for messages that carry pointers.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, SIZE_T size) : process_(process), size_(size)
    {
        address_ = VirtualAllocEx(process, NULL, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteMemory() { if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
    char* at(SIZE_T offset = 0) const { return static_cast<char*>(address_) + offset; }
    void Write(SIZE_T offset, const void* data, SIZE_T size) const { WriteProcessMemory(process_, at(offset), data, size, NULL); }
    void Read(SIZE_T offset, void* data, SIZE_T size) const { ReadProcessMemory(process_, at(offset), data, size, NULL); }

private:
    HANDLE process_;
    SIZE_T size_;
    void* address_;
};

struct MainSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindMain(HWND window, LPARAM param)
{
    MainSearch* s = reinterpret_cast<MainSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char title[256] = "";
    GetWindowTextA(window, title, sizeof(title));
    if (pid == s->pid && lstrcmpA(title, MainWindowTitle) == 0 && IsWindowVisible(window)) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

AppUnderTest::AppUnderTest() : runDir_("e2e-run"), otherDir_("e2e-cwd")
{
    CopyFileA(QELVAN_EXE, ExePath().c_str(), FALSE);
}

AppUnderTest::AppUnderTest(const std::string& exePath) : exe_(exePath), runDir_("e2e-run"), otherDir_("e2e-cwd") {}

AppUnderTest::~AppUnderTest()
{
    if (info_.hProcess) {
        if (Running()) {
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, 10000);
        }
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

bool AppUnderTest::Launch(const std::string& arguments)
{
    std::string line = "\"" + ExePath() + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    return CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, otherDir_.path().c_str(), &startup, &info_) != 0;
}

bool AppUnderTest::Start(const std::string& arguments)
{
    if (!Launch(arguments)) return false;
    MainSearch search = {info_.dwProcessId, NULL};
    bool shown = WaitUntil([&] {
        EnumWindows(FindMain, reinterpret_cast<LPARAM>(&search));
        return search.found != NULL || !Running();
    }, 60000);
    main_ = search.found;
    return shown && main_ != NULL && Settle();
}

bool AppUnderTest::Running() const
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool AppUnderTest::WaitForExit(DWORD limitMs, DWORD* exitCode)
{
    if (WaitForSingleObject(info_.hProcess, limitMs) != WAIT_OBJECT_0) return false;
    if (exitCode) GetExitCodeProcess(info_.hProcess, exitCode);
    return true;
}

bool AppUnderTest::Settle() const
{
    DWORD_PTR result;
    // WM_NULL passes behind whatever the program's thread has in hand.
    return SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result) != 0;
}

HWND AppUnderTest::Tab() const { return FindWindowExA(main_, NULL, WC_TABCONTROLA, NULL); }
HWND AppUnderTest::List() const { return FindWindowExA(Tab(), NULL, WC_LISTVIEWA, NULL); }
HWND AppUnderTest::BrowserHost() const { return FindWindowExA(Tab(), NULL, "QelvanHtmlHost", NULL); }
HWND AppUnderTest::DeleteButton() const { return FindWindowExA(Tab(), NULL, WC_BUTTONA, "删除选中"); }
HWND AppUnderTest::UninstallButton() const { return FindWindowExA(Tab(), NULL, WC_BUTTONA, "卸载选中软件"); }

void AppUnderTest::SelectTab(int index) const
{
    // TCM_SETCURFOCUS notifies the parent as a click on the tab does.
    SendMessageA(Tab(), TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
    Settle();
}

HWND AppUnderTest::Focus() const
{
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof(gui);
    GetGUIThreadInfo(info_.dwThreadId, &gui);
    return gui.hwndFocus;
}

std::string AppUnderTest::CurrentDirectory() const
{
    // PEB -> ProcessParameters -> CurrentDirectory.DosPath (32-bit layouts).
    PROCESS_BASIC_INFORMATION basic = {};
    ULONG got = 0;
    if (NtQueryInformationProcess(info_.hProcess, ProcessBasicInformation, &basic, sizeof(basic), &got) != 0)
        return std::string();
    DWORD parameters = 0;
    ReadProcessMemory(info_.hProcess, reinterpret_cast<char*>(basic.PebBaseAddress) + 0x10, &parameters, 4, NULL);
    struct {
        USHORT length, maximum;
        DWORD buffer;
    } dosPath = {};
    ReadProcessMemory(info_.hProcess, reinterpret_cast<char*>(static_cast<ULONG_PTR>(parameters)) + 0x24, &dosPath,
                      sizeof(dosPath), NULL);
    std::wstring wide(dosPath.length / 2, L'\0');
    ReadProcessMemory(info_.hProcess, reinterpret_cast<void*>(static_cast<ULONG_PTR>(dosPath.buffer)), &wide[0],
                      dosPath.length, NULL);
    char narrow[MAX_PATH * 2] = "";
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, narrow, sizeof(narrow), NULL, NULL);
    std::string dir = narrow;
    if (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
    return dir;
}

std::vector<std::vector<std::string>> AppUnderTest::Rows() const
{
    std::vector<std::vector<std::string>> rows;
    HWND list = List();
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    const SIZE_T textSize = 1 << 20;
    RemoteMemory remote(info_.hProcess, sizeof(LVITEMA) + textSize);
    std::vector<char> text(textSize);
    for (int row = 0; row < count; ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < 2; ++column) {
            LVITEMA item = {};
            item.iSubItem = column;
            item.pszText = remote.at(sizeof(LVITEMA));
            item.cchTextMax = static_cast<int>(textSize);
            remote.Write(0, &item, sizeof(item));
            LRESULT n = SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote.at()));
            remote.Read(sizeof(LVITEMA), text.data(), static_cast<SIZE_T>(n) + 1);
            cells.push_back(std::string(text.data(), static_cast<std::size_t>(n)));
        }
        rows.push_back(cells);
    }
    return rows;
}

std::string AppUnderTest::ColumnHeader(int column) const
{
    RemoteMemory remote(info_.hProcess, sizeof(LVCOLUMNA) + 256);
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT;
    info.pszText = remote.at(sizeof(LVCOLUMNA));
    info.cchTextMax = 256;
    remote.Write(0, &info, sizeof(info));
    if (!SendMessageA(List(), LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(remote.at()))) return "<none>";
    char text[256] = "";
    remote.Read(sizeof(LVCOLUMNA), text, sizeof(text));
    text[255] = '\0';
    return text;
}

void AppUnderTest::SelectRow(int row) const
{
    RemoteMemory remote(info_.hProcess, sizeof(LVITEMA));
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    remote.Write(0, &item, sizeof(item));
    SendMessageA(List(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(remote.at()));
}

int AppUnderTest::SelectedRow() const
{
    return static_cast<int>(SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void AppUnderTest::Press(HWND button) const
{
    // Posted: the click runs inside the program's own loop, as a user's would.
    PostMessageA(button, BM_CLICK, 0, 0);
}

RECT RectInParent(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(NULL, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void BringToFront(HWND window)
{
    SetForegroundWindow(window);
    WaitUntil([&] { return GetForegroundWindow() == window; }, 5000);
}

void SendKey(WORD key, bool shift)
{
    INPUT inputs[4] = {};
    int n = 0;
    auto add = [&](WORD vk, bool up) {
        inputs[n].type = INPUT_KEYBOARD;
        inputs[n].ki.wVk = vk;
        inputs[n].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        ++n;
    };
    if (shift) add(VK_SHIFT, false);
    add(key, false);
    add(key, true);
    if (shift) add(VK_SHIFT, true);
    SendInput(static_cast<UINT>(n), inputs, sizeof(INPUT));
}

void ClickAt(HWND window, int x, int y)
{
    POINT p = {x, y};
    ClientToScreen(window, &p);
    SetCursorPos(p.x, p.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

void SaveScreenshot(HWND window, const char* name)
{
    char dir[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("QELVAN_ARTIFACTS", dir, MAX_PATH)) return;
    // Let the program finish painting what it has just shown.
    DWORD_PTR ignored;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    Sleep(1000);
    RECT r;
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = w;
    bmi.bmiHeader.biHeight = h;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = ((w * 3) + 3) & ~3;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(bmi.bmiHeader);
    file.bfSize = file.bfOffBits + stride * h;
    std::string path = std::string(dir) + "\\" + name + ".bmp";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(&file, sizeof(file), 1, f);
        std::fwrite(&bmi.bmiHeader, sizeof(bmi.bmiHeader), 1, f);
        std::fwrite(bits, 1, stride * h, f);
        std::fclose(f);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
}

COLORREF PixelAt(HWND window, int x, int y)
{
    POINT p = {x, y};
    ClientToScreen(window, &p);
    HDC screen = GetDC(NULL);
    COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(NULL, screen);
    return c;
}
