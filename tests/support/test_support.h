// Helpers shared by the tests: temporary places, registry fixtures, waiting, message boxes.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

// A fresh empty directory under the temporary folder; removed with its files by the destructor.
class TempDirectory {
public:
    explicit TempDirectory(const char* tag);
    ~TempDirectory();
    const std::string& path() const { return path_; }
    std::string file(const char* name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

std::string ReadFileText(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// The names in a directory, "." and ".." left out.
std::vector<std::string> DirectoryEntries(const std::string& directory);

// Polls until the condition holds or the limit passes; CI machines are slow and busy.
bool WaitUntil(const std::function<bool()>& condition, DWORD limitMs = 30000);

// The stand-in uninstaller of the tests, and the recorder of web launches.
std::string TestChildPath();
std::string UrlRecorderPath();
// Libraries that stand in for the skin engine: a recorder of its calls, one without the export.
std::string RecordingEnginePath();
std::string NoExportLibraryPath();

// A registry key of the test's own, removed with everything below it at the end.
class RegistryFixture {
public:
    RegistryFixture(HKEY root, const std::string& path);
    ~RegistryFixture();
    HKEY root() const { return root_; }
    const std::string& path() const { return path_; }
    void SetValue(const std::string& subPath, const char* name, DWORD type, const void* data, DWORD size) const;
    void SetText(const std::string& subPath, const char* name, const std::string& text, DWORD type = REG_SZ) const;
    void CreateKey(const std::string& subPath) const;
    bool KeyExists(const std::string& subPath) const;
    bool ValueExists(const std::string& subPath, const char* name) const;

private:
    std::string Full(const std::string& subPath) const;
    HKEY root_;
    std::string path_;
};

// A message box seen on the screen.
struct SeenBox {
    HWND window = NULL;
    std::string caption;
    std::string text;
    bool hasCancel = false;
    bool hasIcon = false;
};

// Waits for a visible message box of the process, reads it, and presses the button with that ID.
bool AnswerMessageBox(DWORD processId, int buttonId, SeenBox* seen, DWORD limitMs = 30000);

// Deletes a key and everything below it; quiet when it is absent.
void DeleteTree(HKEY root, const std::string& path);
void CreateKey(HKEY root, const std::string& path);
bool KeyExists(HKEY root, const std::string& path);

// A real report-view list with two columns on a hidden window of the test's own.
class TestListWindow {
public:
    TestListWindow();
    ~TestListWindow();
    HWND handle() const { return handle_; }
    void AddRow(const std::string& name, const std::string& command) const;
    void Select(int row) const;

private:
    HWND handle_;
};
