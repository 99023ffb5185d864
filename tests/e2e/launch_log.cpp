#include "e2e/launch_log.h"
#include "support/test_support.h"
#include <windows.h>
#include <cstdio>

void RegisterUrlRecorder()
{
    const std::string command = "\"" + UrlRecorderPath() + "\" \"%1\"";
    for (const char* cls : {"http", "https"}) {
        const std::string key = std::string("Software\\Classes\\") + cls + "\\shell\\open\\command";
        CreateKey(HKEY_LOCAL_MACHINE, key);
        HKEY k;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_SET_VALUE, &k) == ERROR_SUCCESS) {
            RegSetValueExA(k, NULL, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                           static_cast<DWORD>(command.size() + 1));
            RegCloseKey(k);
        }
        // No DDE conversation: the shell starts the command itself.
        DeleteTree(HKEY_LOCAL_MACHINE, std::string("Software\\Classes\\") + cls + "\\shell\\open\\ddeexec");
    }
}

LaunchLog::LaunchLog()
{
    char base[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, base);
    static LONG counter = 0;
    char name[MAX_PATH];
    std::snprintf(name, sizeof(name), "%squrls-%lu-%ld.log", base, GetCurrentProcessId(), InterlockedIncrement(&counter));
    path_ = name;
    DeleteFileA(path_.c_str());
    SetEnvironmentVariableA("QELVAN_URL_LOG", path_.c_str());
}

LaunchLog::~LaunchLog()
{
    SetEnvironmentVariableA("QELVAN_URL_LOG", NULL);
    DeleteFileA(path_.c_str());
}

std::vector<std::string> LaunchLog::Lines() const
{
    std::vector<std::string> lines;
    std::string text = ReadFileText(path_);
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

bool LaunchLog::WaitForCount(int n) const
{
    bool reached = WaitUntil([&] { return Count() >= n; }, 30000);
    Sleep(1500);  // a launch too many would show up by now
    return reached;
}
