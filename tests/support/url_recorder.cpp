// Registered in the test prefix as the handler of web addresses: appends each command line it
// is started with to the file that QELVAN_URL_LOG names.
#include <windows.h>
#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    char log[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("QELVAN_URL_LOG", log, MAX_PATH)) return 1;
    // Several launches may come at once; open exclusively and retry.
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE f = CreateFileA(log, FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (f != INVALID_HANDLE_VALUE) {
            DWORD n;
            WriteFile(f, commandLine, static_cast<DWORD>(lstrlenA(commandLine)), &n, NULL);
            WriteFile(f, "\r\n", 2, &n, NULL);
            CloseHandle(f);
            return 0;
        }
        Sleep(25);
    }
    return 1;
}
