#include "web/home_page.h"
#include "web/web_addresses.h"
#include <windows.h>
#include <shellapi.h>

void OpenHomePage()
{
    // An open browser window, if any, owns whatever the shell shows.
    HWND owner = FindWindowExA(NULL, NULL, NULL, "Microsoft Internet Explorer");
    ShellExecuteA(owner, "open", HOME_PAGE_URL, NULL, NULL, SW_SHOWNORMAL);
}
