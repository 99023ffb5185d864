// A stand-in uninstaller. Arguments, in order, each optional:
//   cwd=FILE        write the current directory to FILE
//   mark=FILE       append "ran" to FILE when starting
//   broadcast       SendMessage a settings change to every top-level window before leaving
//   sleep=MS        wait MS milliseconds
//   done=FILE       append "done" to FILE just before exiting
//   delkey=NAME     delete the uninstall entry NAME (HKLM, its own view) before exiting
//   exit=N          exit code
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

static void Append(const char* file, const char* text)
{
    if (FILE* f = std::fopen(file, "ab")) {
        std::fputs(text, f);
        std::fputs("\n", f);
        std::fclose(f);
    }
}

int main(int argc, char** argv)
{
    int code = 0;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strncmp(a, "cwd=", 4) == 0) {
            char dir[MAX_PATH] = "";
            GetCurrentDirectoryA(MAX_PATH, dir);
            if (FILE* f = std::fopen(a + 4, "wb")) { std::fputs(dir, f); std::fclose(f); }
        } else if (std::strncmp(a, "mark=", 5) == 0) {
            Append(a + 5, "ran");
        } else if (std::strcmp(a, "broadcast") == 0) {
            SendMessageA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Environment"));
        } else if (std::strncmp(a, "sleep=", 6) == 0) {
            Sleep(static_cast<DWORD>(std::atoi(a + 6)));
        } else if (std::strncmp(a, "done=", 5) == 0) {
            Append(a + 5, "done");
        } else if (std::strncmp(a, "delkey=", 7) == 0) {
            std::string path = std::string("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + (a + 7);
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
        } else if (std::strncmp(a, "exit=", 5) == 0) {
            code = std::atoi(a + 5);
        }
    }
    return code;
}
