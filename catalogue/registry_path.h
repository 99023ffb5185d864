// Registry places named by a root number and a backslash-separated full path whose last
// component names a value.
#pragma once
#include <windows.h>
#include <string>

const int RootLocalMachine = 4;

// 1 HKCR, 2 HKCC, 4 HKLM, 5 HKU; every other number HKCU.
HKEY RootKeyOf(int rootNumber);

struct SplitPath {
    std::string keyPath;   // empty: the root key itself
    std::string itemName;  // empty: the key's default value
};

// Splits at the last backslash; the second byte of a two-byte character never separates.
SplitPath SplitFullPath(const std::string& fullPath);

// The text (REG_SZ, or REG_EXPAND_SZ expanded) at the place; empty for anything else.
std::string ReadRegistryText(int rootNumber, const std::string& fullPath);

// Deletes the value at the place or, failing that, the key of the whole path (only without subkeys).
bool DeleteRegistryItem(int rootNumber, const std::string& fullPath);
