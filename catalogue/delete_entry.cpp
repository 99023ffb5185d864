#include "catalogue/delete_entry.h"
#include "catalogue/installed_list.h"
#include "catalogue/uninstall.h"
#include <windows.h>

const char DeleteConfirmationText[] = "您真的要删除该注册信息吗?";

bool DeleteUninstallEntry(const std::string& subkeyName)
{
    // An empty name would name the uninstall root key itself.
    if (subkeyName.empty()) return false;
    return RegDeleteKeyA(HKEY_LOCAL_MACHINE, (UninstallPathPrefix + subkeyName).c_str()) == ERROR_SUCCESS;
}

void DeleteSelectedEntry(ListView list, void (*refresh)())
{
    if (ShowMessage(DeleteConfirmationText, MB_OKCANCEL) != 0) return;
    // The row's own entry, by its subkey name: display names need not match key names.
    DeleteUninstallEntry(SubkeyNameOfRow(list.CurrentSelection()));
    refresh();
}
