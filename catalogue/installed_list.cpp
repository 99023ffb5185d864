#include "catalogue/installed_list.h"
#include "catalogue/registry_path.h"
#include <vector>

const char UninstallPathPrefix[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char OwnUninstallNote[] = "可能软件本身有卸载功能!";

namespace {

// Key names reach 255 characters, up to 510 bytes in GBK, and the NUL.
const DWORD NameBufferSize = 512;

// Row i of the list belongs to the entry g_rowSubkeys[i].
std::vector<std::string> g_rowSubkeys;

}  // namespace

std::string UninstallCommandColumn(const std::string& uninstallString)
{
    if (uninstallString.empty()) return OwnUninstallNote;
    if (uninstallString[0] != '"') return uninstallString;
    if (uninstallString.size() <= 2) return std::string();
    // Only a value that is one quoted token loses its quotes; a quoted path followed by
    // arguments runs as registered.
    const std::size_t closing = uninstallString.find('"', 1);
    if (closing == uninstallString.size() - 1) return uninstallString.substr(1, uninstallString.size() - 2);
    return uninstallString;
}

void FillInstalledList(ListView list, HKEY uninstallKey)
{
    // One repaint for the whole fill, not one per row.
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    list.RemoveAllRows();
    g_rowSubkeys.clear();
    std::vector<char> name(NameBufferSize);
    for (DWORD index = 0;; ++index) {
        std::fill(name.begin(), name.end() - 1, ' ');
        name.back() = '\0';
        LONG result = RegEnumKeyA(uninstallKey, index, name.data(), NameBufferSize);
        if (result == ERROR_MORE_DATA) continue;  // a name that cannot be read must not hide the rest
        if (result != ERROR_SUCCESS) break;
        const std::string subkey(name.data());
        const std::string displayName = ReadRegistryText(RootLocalMachine, UninstallPathPrefix + subkey + "\\DisplayName");
        const std::string uninstallString =
            ReadRegistryText(RootLocalMachine, UninstallPathPrefix + subkey + "\\UninstallString");
        if (displayName.empty()) continue;
        const int row = list.AppendRow();
        if (row < 0) continue;
        list.SetCellText(row, 0, displayName);
        list.SetCellText(row, 1, UninstallCommandColumn(uninstallString));
        if (g_rowSubkeys.size() <= static_cast<std::size_t>(row)) g_rowSubkeys.resize(static_cast<std::size_t>(row) + 1);
        g_rowSubkeys[static_cast<std::size_t>(row)] = subkey;
    }
    RegCloseKey(uninstallKey);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, NULL, TRUE);
}

std::string SubkeyNameOfRow(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= g_rowSubkeys.size()) return std::string();
    return g_rowSubkeys[static_cast<std::size_t>(row)];
}
