// The program's life: start-up, the message loop and the end.
#pragma once
#include <windows.h>

// Returns the process exit code: 0 after the main window was closed, -1 when it could not be loaded.
int RunApplication(HINSTANCE instance);
