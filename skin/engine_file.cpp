#include "skin/engine_file.h"
#include "app/run_directory.h"
#include <windows.h>

const char SkinEngineFileName[] = "SkinH_EL.dll";

std::string SkinEngineFilePath() { return RunDirectory() + "\\" + SkinEngineFileName; }

bool WriteWholeFile(const std::string& path, ByteBlock image)
{
    std::size_t slash = path.find_last_of('\\');
    std::string directory = slash == std::string::npos ? "." : path.substr(0, slash);
    char temporary[MAX_PATH] = "";
    if (!GetTempFileNameA(directory.c_str(), "SHE", 0, temporary)) return false;

    bool written = false;
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD done = 0;
        written = image.size <= MAXDWORD &&
                  WriteFile(file, image.data, static_cast<DWORD>(image.size), &done, NULL) && done == image.size;
        if (!CloseHandle(file)) written = false;
    }
    // No replacing: whatever stands under the final name by now stays.
    if (written && MoveFileExA(temporary, path.c_str(), MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileA(temporary);
    return false;
}

void EnsureSkinEngineFile()
{
    std::string path = SkinEngineFilePath();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        return;
    }
    WriteWholeFile(path, SkinEngineImage());  // a failure is silent; the binding reports what follows
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
}
