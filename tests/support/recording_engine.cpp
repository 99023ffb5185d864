// A stand-in skin engine for the tests: records every call of SkinH_AttachRes in the file named
// by QELVAN_SKIN_LOG, then wipes the data, so that a buffer handed over twice would be noticed.
#include <windows.h>
#include <cstdio>

namespace {

HINSTANCE g_self = NULL;

unsigned long Crc32(const unsigned char* data, DWORD size)
{
    unsigned long crc = 0xFFFFFFFFul;
    for (DWORD i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc & 1) ? 0xEDB88320ul ^ (crc >> 1) : crc >> 1;
    }
    return crc ^ 0xFFFFFFFFul;
}

}  // namespace

extern "C" __declspec(dllexport) int WINAPI SkinH_AttachRes(const void* data, DWORD size, const char* text, DWORD a,
                                                            DWORD b, DWORD c)
{
    char path[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("QELVAN_SKIN_LOG", path, MAX_PATH)) return 1;
    MEMORY_BASIC_INFORMATION where = {};
    bool inImage = data && VirtualQuery(data, &where, sizeof(where)) && where.Type == MEM_IMAGE;
    unsigned long crc = data ? Crc32(static_cast<const unsigned char*>(data), size) : 0;
    char module[MAX_PATH] = "";
    GetModuleFileNameA(g_self, module, MAX_PATH);
    char line[600];
    int length = std::snprintf(line, sizeof(line), "data=%s size=%lu crc=%08lx text=%s args=%lu,%lu,%lu image=%d module=%s\r\n",
                               data ? "set" : "null", static_cast<unsigned long>(size), crc,
                               text ? (*text ? "nonempty" : "empty") : "null", static_cast<unsigned long>(a),
                               static_cast<unsigned long>(b), static_cast<unsigned long>(c), inImage ? 1 : 0, module);
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD done;
        WriteFile(file, line, static_cast<DWORD>(length), &done, NULL);
        CloseHandle(file);
    }
    if (data && !inImage) ZeroMemory(const_cast<void*>(data), size);
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) g_self = instance;
    return TRUE;
}
