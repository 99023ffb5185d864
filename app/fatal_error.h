// The box for failures the program cannot survive.
#pragma once
#include <string>

std::string FatalErrorText(const std::string& message);

// Shows the box (caption "错误", OK, error icon, no owner) and returns when it is closed.
void ShowFatalError(const std::string& message);

// Shows the box, then ends the process with exit code -1.
[[noreturn]] void DieWithFatalError(const std::string& message);

extern const char LoadMainWindowFailed[];
