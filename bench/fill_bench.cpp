// Times the installed-software list fill against a plain loop that makes the same registry calls
// and fills no list, for 100, 1,000 and 10,000 uninstall entries. Run it through scripts/bench,
// which gives it a Wine prefix of its own.
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>
#include "app/creation_handler.h"
#include "catalogue/installed_list.h"
#include "catalogue/registry_path.h"

namespace {

const char Marker[] = "QelvanBench";

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f)
{
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

void MakeEntries(int count)
{
    HKEY root;
    RegOpenKeyA(HKEY_LOCAL_MACHINE, UninstallRootPath, &root);
    for (int i = 0; i < count; ++i) {
        char name[64];
        std::snprintf(name, sizeof(name), "%s%05d", Marker, i);
        HKEY key;
        RegCreateKeyA(root, name, &key);
        std::string display = std::string("Bench program ") + name;
        std::string command = std::string("\"C:\\Program Files\\") + name + "\\uninst.exe\"";
        RegSetValueExA(key, "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(display.c_str()),
                       static_cast<DWORD>(display.size() + 1));
        RegSetValueExA(key, "UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>(command.size() + 1));
        RegCloseKey(key);
    }
    RegCloseKey(root);
}

void RemoveEntries(int count)
{
    HKEY root;
    RegOpenKeyA(HKEY_LOCAL_MACHINE, UninstallRootPath, &root);
    for (int i = 0; i < count; ++i) {
        char name[64];
        std::snprintf(name, sizeof(name), "%s%05d", Marker, i);
        RegDeleteKeyA(root, name);
    }
    RegCloseKey(root);
}

// The same enumeration and reads, no list.
int PlainLoop(HKEY key)
{
    int found = 0;
    std::vector<char> name(512);
    for (DWORD index = 0;; ++index) {
        std::fill(name.begin(), name.end() - 1, ' ');
        name.back() = '\0';
        LONG result = RegEnumKeyA(key, index, name.data(), 512);
        if (result == ERROR_MORE_DATA) continue;
        if (result != ERROR_SUCCESS) break;
        const std::string subkey(name.data());
        std::string d = ReadRegistryText(RootLocalMachine, UninstallPathPrefix + subkey + "\\DisplayName");
        std::string u = ReadRegistryText(RootLocalMachine, UninstallPathPrefix + subkey + "\\UninstallString");
        if (!d.empty()) found += 1 + static_cast<int>(u.size() & 0);
    }
    RegCloseKey(key);
    return found;
}

}  // namespace

int main()
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT | LVS_SINGLESEL, 0, 0, 700, 250, NULL, NULL,
                                GetModuleHandleA(NULL), NULL);
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_WIDTH;
        column.cx = 339;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    std::printf("%8s %12s %12s %7s\n", "entries", "fill (s)", "plain (s)", "ratio");
    for (int count : {100, 1000, 10000}) {
        MakeEntries(count);
        double best[2] = {1e9, 1e9};
        for (int round = 0; round < 3; ++round) {
            HKEY key;
            LARGE_INTEGER a, b;
            RegOpenKeyA(HKEY_LOCAL_MACHINE, UninstallRootPath, &key);
            QueryPerformanceCounter(&a);
            FillInstalledList(ListView(list), key);
            QueryPerformanceCounter(&b);
            best[0] = std::min(best[0], Seconds(a, b, f));
            RegOpenKeyA(HKEY_LOCAL_MACHINE, UninstallRootPath, &key);
            QueryPerformanceCounter(&a);
            PlainLoop(key);
            QueryPerformanceCounter(&b);
            best[1] = std::min(best[1], Seconds(a, b, f));
        }
        std::printf("%8d %12.4f %12.4f %7.2f\n", count, best[0], best[1], best[0] / best[1]);
        std::fflush(stdout);
        RemoveEntries(count);
    }
    DestroyWindow(list);
    return 0;
}
