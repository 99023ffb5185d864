// Running a program's uninstaller, and the message box of the catalogue's actions.
#pragma once
#include <windows.h>
#include <string>
#include "app/list_view.h"

extern const char MissingUninstallerText[];
const int ShowModeAbsent = 2;

// The wShowWindow value for a show mode 1..6 (others clamped into that range).
WORD ShowWindowValue(int showMode);

// The result code 0..6 of a MessageBoxA answer.
int MessageResultCode(int messageBoxAnswer);

// The style actually passed: task-modal unless the code asks for system-modal.
UINT MessageBoxStyle(UINT buttonCode);

// Shows a box without owner; caption "信息：" when none is given.
int ShowMessage(const std::string& text, UINT buttonCode, const char* caption = nullptr);

// True when a process was started (and, with wait, has ended).
bool RunCommandLine(const std::string& commandLine, bool wait, int showMode = ShowModeAbsent);

// Runs column 1 of the selected row and waits; refreshes when something ran.
void UninstallSelected(ListView list, void (*refresh)());
