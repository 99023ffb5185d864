// Drives the real Qelvan.exe from outside, as a person would: starts it, finds its windows,
// switches tabs, selects rows, presses buttons and keys, reads what it shows.
#pragma once
#include <windows.h>
#include <string>
#include "support/test_support.h"
#include <vector>

// A copy of the built program in a fresh run directory of its own.
class AppUnderTest {
public:
    AppUnderTest();
    // The program at a place of the caller's (a directory that cannot be written, say).
    explicit AppUnderTest(const std::string& exePath);
    ~AppUnderTest();  // ends the program if it still runs

    std::string RunDirectory() const { return exe_.empty() ? runDir_.path() : exe_.substr(0, exe_.find_last_of('\\')); }
    std::string ExePath() const { return exe_.empty() ? runDir_.file("Qelvan.exe") : exe_; }

    // Starts it from another current directory and waits for the main window to be shown.
    bool Start(const std::string& arguments = "");
    // Starts it without waiting for a window (for starts that end in an error box).
    bool Launch(const std::string& arguments = "");

    DWORD ProcessId() const { return info_.dwProcessId; }
    DWORD ThreadId() const { return info_.dwThreadId; }
    HANDLE Process() const { return info_.hProcess; }
    HWND Main() const { return main_; }

    bool WaitForExit(DWORD limitMs, DWORD* exitCode);
    bool Running() const;
    // Waits until the program has handled everything sent or posted so far.
    bool Settle() const;

    HWND Tab() const;
    HWND List() const;
    HWND BrowserHost() const;
    HWND DeleteButton() const;
    HWND UninstallButton() const;

    void SelectTab(int index) const;
    HWND Focus() const;
    std::string CurrentDirectory() const;

    // List access across the process boundary.
    std::vector<std::vector<std::string>> Rows() const;
    std::string ColumnHeader(int column) const;
    void SelectRow(int row) const;
    int SelectedRow() const;

    void Press(HWND button) const;

private:
    std::string exe_;
    TempDirectory runDir_;
    TempDirectory otherDir_;
    PROCESS_INFORMATION info_ = {};
    HWND main_ = NULL;
};

// The window's place relative to its parent's client area.
RECT RectInParent(HWND window);

// Real keyboard input to the foreground window.
void BringToFront(HWND window);
void SendKey(WORD key, bool shift = false);
// A real left click at a point of a window's client area.
void ClickAt(HWND window, int x, int y);

// Saves the window's area of the screen as a BMP under the artifacts directory, if one is set.
void SaveScreenshot(HWND window, const char* name);

// The colour of a pixel of a window's client area, as the screen shows it.
COLORREF PixelAt(HWND window, int x, int y);
