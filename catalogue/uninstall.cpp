#include "catalogue/uninstall.h"
#include <vector>

const char MissingUninstallerText[] =
    "对应的卸载程序不存在,可能软件已经卸载过了,该信息已经无用,可以执行删除!";

WORD ShowWindowValue(int showMode)
{
    static const WORD values[6] = {SW_HIDE, SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED,
                                   SW_SHOWNOACTIVATE, SW_MINIMIZE};
    if (showMode < 1) showMode = 1;
    if (showMode > 6) showMode = 6;
    return values[showMode - 1];
}

int MessageResultCode(int answer)
{
    switch (answer) {
    case IDCANCEL: return 1;
    case IDABORT: return 2;
    case IDRETRY: return 3;
    case IDIGNORE: return 4;
    case IDYES: return 5;
    case IDNO: return 6;
    default: return 0;  // IDOK, and a box that failed to open
    }
}

UINT MessageBoxStyle(UINT buttonCode)
{
    return (buttonCode & MB_SYSTEMMODAL) ? buttonCode : (buttonCode | MB_TASKMODAL);
}

int ShowMessage(const std::string& text, UINT buttonCode, const char* caption)
{
    return MessageResultCode(MessageBoxA(NULL, text.c_str(), caption ? caption : "信息：", MessageBoxStyle(buttonCode)));
}

// Blocks until the process ends. Messages that other threads send to our windows are answered,
// so an uninstaller that broadcasts (SendMessage to every top-level window) cannot deadlock
// with us; nothing posted is taken from the queue.
static void WaitForProcessEnd(HANDLE process)
{
    for (;;) {
        DWORD woken = MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_SENDMESSAGE);
        if (woken != WAIT_OBJECT_0 + 1) return;
        MSG message;
        PeekMessageA(&message, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

bool RunCommandLine(const std::string& commandLine, bool wait, int showMode)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = ShowWindowValue(showMode);
    // CreateProcessA may write into the command line.
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(NULL, writable.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &started)) return false;
    if (wait)
        WaitForProcessEnd(started.hProcess);
    else
        WaitForInputIdle(started.hProcess, 1000);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

void UninstallSelected(ListView list, void (*refresh)())
{
    const std::string command = list.GetCellText(list.CurrentSelection(), 1);
    if (RunCommandLine(command, true)) {
        refresh();
    } else {
        ShowMessage(MissingUninstallerText, MB_ICONINFORMATION);
    }
}
