#include "app/run_directory.h"
#include <windows.h>
#include <vector>

static std::string g_runDirectory;

std::string DirectoryOfModulePath(const std::string& modulePath)
{
    // A path from GetModuleFileNameA may hold GBK characters whose second byte is 0x5C.
    std::size_t cut = std::string::npos;
    for (std::size_t i = 0; i < modulePath.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(modulePath[i]);
        if (c & 0x80) { ++i; continue; }
        if (c == '\\') cut = i;
    }
    return cut == std::string::npos ? std::string() : modulePath.substr(0, cut);
}

void FixRunDirectory()
{
    std::vector<char> path(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameA(NULL, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return;
        if (n < path.size()) { path.resize(n); break; }
        path.resize(path.size() * 2);
    }
    g_runDirectory = DirectoryOfModulePath(std::string(path.begin(), path.end()));
    SetCurrentDirectoryA(g_runDirectory.c_str());
}

const std::string& RunDirectory() { return g_runDirectory; }
