#include "app/creation_handler.h"
#include "app/controls.h"
#include "app/process_values.h"
#include "catalogue/installed_list.h"
#include "skin/skin_binding.h"
#include "web/home_page.h"
#include "web/mouse_guard.h"

HKEY UninstallKey = NULL;
DWORD BrowserThreadId = 0;
HHOOK MouseHookHandle = NULL;

const char UninstallRootPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

void OnMainWindowCreated()
{
    OpenHomePage();
    ApplySkin(1);
    BrowserThreadId = GetWindowThreadProcessId(BrowserWindowHandle(), NULL);
    RegOpenKeyA(HKEY_LOCAL_MACHINE, UninstallRootPath, &UninstallKey);
    FillInstalledList(InstalledList(), UninstallKey);  // closes UninstallKey
    // Earlier hooks stay; the newest is called first and forwards to the older ones.
    MouseHookHandle = InstallBrowserMouseHook(BrowserThreadId);
}
