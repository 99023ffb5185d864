// The three process-wide values; written only by the creation handler.
#pragma once
#include <windows.h>

extern HKEY UninstallKey;
extern DWORD BrowserThreadId;
extern HHOOK MouseHookHandle;
