// Deleting the registration entry of the selected program.
#pragma once
#include <string>
#include "app/list_view.h"

extern const char DeleteConfirmationText[];

// Deletes the named subkey of the uninstall root key with its values; a subkey that has
// subkeys of its own stays. Nothing for an empty name.
bool DeleteUninstallEntry(const std::string& subkeyName);

// Asks, deletes the selected row's entry, and refreshes after OK.
void DeleteSelectedEntry(ListView list, void (*refresh)());
