#include "app/fatal_error.h"
#include <windows.h>

const char LoadMainWindowFailed[] = "载入启动窗口失败";

std::string FatalErrorText(const std::string& message)
{
    return "运行时出错!\r\n\r\n错误信息：" + message + "\r\n";
}

void ShowFatalError(const std::string& message)
{
    MessageBoxA(NULL, FatalErrorText(message).c_str(), "错误", MB_OK | MB_ICONERROR);
}

void DieWithFatalError(const std::string& message)
{
    ShowFatalError(message);
    ExitProcess(static_cast<UINT>(-1));
}
