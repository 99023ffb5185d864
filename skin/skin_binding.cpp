#include "skin/skin_binding.h"
#include "app/fatal_error.h"
#include "resources/resource_ids.h"
#include "skin/engine_file.h"
#include "skin/skin_table.h"
#include <cstdio>
#include <cstring>
#include <new>

const char SkinEntryName[] = "SkinH_AttachRes";

namespace {

HMODULE g_engine = NULL;
SkinAttachEntry g_attach = NULL;

// Loaded at the first use, not through the import table, so that the file just written is the
// one that runs.
SkinAttachEntry BoundEngine()
{
    if (g_attach) return g_attach;
    HMODULE module = LoadLibraryA(SkinEngineFilePath().c_str());
    if (!module) module = LoadLibraryA(SkinEngineFileName);
    FARPROC entry = module ? GetProcAddress(module, SkinEntryName) : NULL;
    if (!entry) {
        if (module) FreeLibrary(module);
        DieWithFatalError(SkinBindingFailedText());
    }
    g_engine = module;
    g_attach = reinterpret_cast<SkinAttachEntry>(reinterpret_cast<void*>(entry));
    return g_attach;
}

}  // namespace

std::string SkinBindingFailedText()
{
    char text[256];
    std::snprintf(text, sizeof(text), "无法找到指定DLL库文件“%s”中的输出命令“%s”", SkinEngineFileName, SkinEntryName);
    return text;
}

void AttachSkin(SkinAttachEntry entry, int number)
{
    ByteBlock skin = {NULL, 0};
    if (number >= 1 && number <= SKIN_COUNT) skin = SkinTable(number);
    unsigned char* buffer = NULL;
    if (skin.data && skin.size) {
        try {
            buffer = new unsigned char[skin.size];
        } catch (const std::bad_alloc&) {
            return;  // no room for the copy: the look stays as it is
        }
        std::memcpy(buffer, skin.data, skin.size);
    }
    char empty[1] = "";
    entry(buffer, buffer ? static_cast<DWORD>(skin.size) : 0, empty, 0, 0, 0);
    delete[] buffer;
}

void ApplySkin(int number)
{
    EnsureSkinEngineFile();
    AttachSkin(BoundEngine(), number);
}

void ReleaseSkinEngine()
{
    if (g_engine) FreeLibrary(g_engine);
    g_engine = NULL;
    g_attach = NULL;
}
