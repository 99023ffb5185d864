// The main window's controls: their names, places and handles, and the operations other code uses.
#pragma once
#include <windows.h>
#include "app/list_view.h"

// Control identifiers (the order of creation).
enum ControlId {
    IdBanner = 101,         // "图片框2"
    IdHyperlink,            // "超级链接框1"
    IdDeleteButton,         // "按钮1", caption "删除选中"
    IdUninstallButton,      // "软件卸载", caption "卸载选中软件"
    IdBrowserHost,          // "超文本浏览框1"
    IdTab,                  // "选择夹1"
    IdInstalledList,        // "超级列表框1"
};

enum TabPage { PageCatalogue = 0, PageUninstall = 1, NoPage = -1 };

struct ControlLayout {
    ControlId id;
    int left, top, width, height;
    bool tabStop;
    TabPage page;  // NoPage: directly on the main window
};

// In creation order; also the stacking order within a parent.
extern const ControlLayout MainControlLayout[7];

struct MainControls {
    HWND window;
    HWND banner, hyperlink, deleteButton, uninstallButton, browserHost, tab, list;
};

// The handles of the one main window; all NULL before it is loaded.
MainControls& Controls();

// "超级列表框1".
ListView InstalledList();

// The host window of "超文本浏览框1"; NULL when it does not exist.
HWND BrowserWindowHandle();
