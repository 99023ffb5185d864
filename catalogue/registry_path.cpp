#include "catalogue/registry_path.h"
#include <cstring>
#include <vector>

HKEY RootKeyOf(int rootNumber)
{
    switch (rootNumber) {
    case 1: return HKEY_CLASSES_ROOT;
    case 2: return HKEY_CURRENT_CONFIG;
    case 4: return HKEY_LOCAL_MACHINE;
    case 5: return HKEY_USERS;
    default: return HKEY_CURRENT_USER;
    }
}

SplitPath SplitFullPath(const std::string& fullPath)
{
    // A text ends at its first NUL, whatever the string object holds.
    const std::size_t length = std::strlen(fullPath.c_str());
    std::size_t separator = std::string::npos;
    for (std::size_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(fullPath[i]);
        if (c & 0x80) {
            ++i;  // the second byte is not examined
            continue;
        }
        if (c == '\\') separator = i;
    }
    if (separator == std::string::npos) return SplitPath{std::string(), fullPath.substr(0, length)};
    return SplitPath{fullPath.substr(0, separator), fullPath.substr(separator + 1, length - separator - 1)};
}

static std::string TextUpToNul(const std::vector<char>& data)
{
    const void* nul = std::memchr(data.data(), 0, data.size());
    std::size_t n = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - data.data()) : data.size();
    return std::string(data.data(), n);
}

static std::string ExpandEnvironmentText(const std::string& text)
{
    DWORD needed = ExpandEnvironmentStringsA(text.c_str(), NULL, 0);
    if (needed == 0) return std::string();
    std::vector<char> expanded(needed + 1, '\0');
    DWORD written = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), needed);
    if (written == 0 || written > needed) return std::string();
    expanded[needed] = '\0';
    return std::string(expanded.data());
}

std::string ReadRegistryText(int rootNumber, const std::string& fullPath)
{
    const SplitPath place = SplitFullPath(fullPath);
    HKEY key;
    if (RegOpenKeyExA(RootKeyOf(rootNumber), place.keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::string();
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExA(key, place.itemName.c_str(), NULL, &type, NULL, &size);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0) {
        RegCloseKey(key);
        return std::string();
    }
    std::vector<char> data(size);
    DWORD read = size;
    result = RegQueryValueExA(key, place.itemName.c_str(), NULL, &type, reinterpret_cast<BYTE*>(data.data()), &read);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return std::string();
    data.resize(read < size ? read : size);
    std::string text = TextUpToNul(data);
    if (type == REG_EXPAND_SZ) text = ExpandEnvironmentText(text);
    return text;
}

bool DeleteRegistryItem(int rootNumber, const std::string& fullPath)
{
    const HKEY root = RootKeyOf(rootNumber);
    const SplitPath place = SplitFullPath(fullPath);
    bool deleted = false;
    HKEY key;
    if (RegOpenKeyExA(root, place.keyPath.c_str(), 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
        deleted = RegDeleteValueA(key, place.itemName.c_str()) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    if (!deleted) deleted = RegDeleteKeyA(root, fullPath.c_str()) == ERROR_SUCCESS;
    return deleted;
}
