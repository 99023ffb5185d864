// The list of programs registered for removal under the machine's uninstall key.
#pragma once
#include <windows.h>
#include <string>
#include "app/list_view.h"

extern const char UninstallPathPrefix[];
extern const char OwnUninstallNote[];

// Column 1 of a row for the stored uninstall string.
std::string UninstallCommandColumn(const std::string& uninstallString);

// Rebuilds the list from the subkeys of the open uninstall key, then closes the key.
void FillInstalledList(ListView list, HKEY uninstallKey);

// The subkey name behind a row of the last fill; empty for a position that holds no row.
std::string SubkeyNameOfRow(int row);
