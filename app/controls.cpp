#include "app/controls.h"

const ControlLayout MainControlLayout[7] = {
    {IdBanner,          8,   320, 216, 88,  false, NoPage},
    {IdHyperlink,       248, 352, 328, 24,  false, NoPage},
    {IdDeleteButton,    599, 275, 90,  24,  true,  PageUninstall},
    {IdUninstallButton, 480, 275, 104, 24,  true,  PageUninstall},
    {IdBrowserHost,     -1,  19,  824, 329, true,  PageCatalogue},
    {IdTab,             4,   1,   704, 313, false, NoPage},
    {IdInstalledList,   4,   23,  695, 248, true,  PageUninstall},
};

static MainControls g_controls = {};

MainControls& Controls() { return g_controls; }

ListView InstalledList() { return ListView(g_controls.list); }

HWND BrowserWindowHandle() { return g_controls.browserHost; }
