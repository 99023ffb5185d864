#include "support/test_support.h"
#include <commctrl.h>
#include <shlwapi.h>
#include <cstdio>
#include <vector>

TempDirectory::TempDirectory(const char* tag)
{
    char base[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, base);
    static LONG counter = 0;
    char name[MAX_PATH];
    std::snprintf(name, sizeof(name), "%sqelvan-%s-%lu-%ld", base, tag, GetCurrentProcessId(),
                  InterlockedIncrement(&counter));
    path_ = name;
    CreateDirectoryA(path_.c_str(), NULL);
}

static void RemoveTree(const std::string& dir)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = dir + "\\" + name;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SetFileAttributesA(dir.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(dir.c_str());
}

TempDirectory::~TempDirectory() { RemoveTree(path_); }

std::string ReadFileText(const std::string& path)
{
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof(buffer), f)) > 0) text.append(buffer, n);
        std::fclose(f);
    }
    return text;
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool WaitUntil(const std::function<bool()>& condition, DWORD limitMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > limitMs) return false;
        // Keep this thread's own windows (if any) alive while waiting.
        MSG m;
        while (PeekMessageA(&m, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        Sleep(20);
    }
}

std::vector<std::string> DirectoryEntries(const std::string& directory)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::string TestChildPath() { return std::string(TEST_BIN_DIR) + "\\test_child.exe"; }
std::string UrlRecorderPath() { return std::string(TEST_BIN_DIR) + "\\url_recorder.exe"; }
std::string RecordingEnginePath() { return std::string(TEST_BIN_DIR) + "\\recording_engine.dll"; }
std::string NoExportLibraryPath() { return std::string(TEST_BIN_DIR) + "\\no_export.dll"; }

void DeleteTree(HKEY root, const std::string& path)
{
    SHDeleteKeyA(root, path.c_str());
}

void CreateKey(HKEY root, const std::string& path)
{
    HKEY key;
    if (RegCreateKeyExA(root, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) == ERROR_SUCCESS)
        RegCloseKey(key);
}

bool KeyExists(HKEY root, const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

RegistryFixture::RegistryFixture(HKEY root, const std::string& path) : root_(root), path_(path)
{
    DeleteTree(root_, path_);
    CreateKey("");
}

RegistryFixture::~RegistryFixture() { DeleteTree(root_, path_); }

std::string RegistryFixture::Full(const std::string& subPath) const
{
    return subPath.empty() ? path_ : path_ + "\\" + subPath;
}

void RegistryFixture::CreateKey(const std::string& subPath) const { ::CreateKey(root_, Full(subPath)); }

void RegistryFixture::SetValue(const std::string& subPath, const char* name, DWORD type, const void* data,
                               DWORD size) const
{
    HKEY key;
    if (RegCreateKeyExA(root_, Full(subPath).c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void RegistryFixture::SetText(const std::string& subPath, const char* name, const std::string& text, DWORD type) const
{
    SetValue(subPath, name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

bool RegistryFixture::KeyExists(const std::string& subPath) const { return ::KeyExists(root_, Full(subPath)); }

bool RegistryFixture::ValueExists(const std::string& subPath, const char* name) const
{
    HKEY key;
    if (RegOpenKeyExA(root_, Full(subPath).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    bool found = RegQueryValueExA(key, name, NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
}

namespace {

struct BoxSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param)
{
    BoxSearch* search = reinterpret_cast<BoxSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[64] = "";
    GetClassNameA(window, cls, sizeof(cls));
    if (pid == search->processId && lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::string TextOf(HWND window)
{
    char buffer[4096] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                        5000, NULL);
    return buffer;
}

}  // namespace

bool AnswerMessageBox(DWORD processId, int buttonId, SeenBox* seen, DWORD limitMs)
{
    BoxSearch search = {processId, NULL};
    bool appeared = WaitUntil([&] {
        search.found = NULL;
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        return search.found != NULL && (GetDlgItem(search.found, IDOK) || GetDlgItem(search.found, IDCANCEL));
    }, limitMs);
    if (!appeared) return false;
    if (seen) {
        seen->window = search.found;
        seen->caption = TextOf(search.found);
        seen->hasCancel = GetDlgItem(search.found, IDCANCEL) != NULL;
        // The text is the static control that is not the icon.
        seen->hasIcon = false;
        for (HWND c = GetWindow(search.found, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            char cls[32] = "";
            GetClassNameA(c, cls, sizeof(cls));
            if (lstrcmpiA(cls, "Static") != 0) continue;
            if ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                seen->hasIcon = true;
            else if (TextOf(c).size() > seen->text.size())
                seen->text = TextOf(c);
        }
    }
    PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
    return true;
}

TestListWindow::TestListWindow()
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    handle_ = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT | LVS_SINGLESEL, 0, 0, 400, 300, NULL, NULL,
                              GetModuleHandleA(NULL), NULL);
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_WIDTH;
        column.cx = 100;
        SendMessageA(handle_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

TestListWindow::~TestListWindow() { DestroyWindow(handle_); }

void TestListWindow::AddRow(const std::string& name, const std::string& command) const
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(SendMessageA(handle_, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<char*>(name.c_str());
    int row = static_cast<int>(SendMessageA(handle_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    LVITEMA sub = {};
    sub.iSubItem = 1;
    sub.pszText = const_cast<char*>(command.c_str());
    SendMessageA(handle_, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
}

void TestListWindow::Select(int row) const
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(handle_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}
