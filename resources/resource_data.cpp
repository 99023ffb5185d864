#include "resource_data.h"
#include "resource_ids.h"
#include <windows.h>

static ByteBlock RawResource(int id)
{
    HMODULE module = GetModuleHandleA(NULL);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!found) return ByteBlock{nullptr, 0};
    HGLOBAL loaded = LoadResource(module, found);  // resource memory needs no release
    if (!loaded) return ByteBlock{nullptr, 0};
    return ByteBlock{static_cast<const unsigned char*>(LockResource(loaded)), SizeofResource(module, found)};
}

ByteBlock BannerJpeg() { return RawResource(IDR_BANNER_JPEG); }
ByteBlock SkinEngineImage() { return RawResource(IDR_SKIN_ENGINE); }

ByteBlock SkinBlock(int number)
{
    if (number < 1 || number > SKIN_COUNT) return ByteBlock{nullptr, 0};
    return RawResource(IDR_SKIN_BASE + number);
}
