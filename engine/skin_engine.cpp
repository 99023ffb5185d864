#include "engine/SkinH_EL.h"
#include "engine/skin_parser.h"
#include "engine/skin_state.h"
#include "engine/window_skinning.h"
#include <algorithm>
#include <vector>

namespace {

HMODULE g_module = NULL;
std::vector<unsigned char> g_current;  // the bytes of the skin in use, to recognise a repeat

void Detach(bool unloading)
{
    UnskinThread(unloading);
    ClearCurrentSkin();
    std::vector<unsigned char>().swap(g_current);
}

bool SameAsCurrent(const unsigned char* data, DWORD size)
{
    return HaveSkin() && g_current.size() == size && std::equal(g_current.begin(), g_current.end(), data);
}

}  // namespace

extern "C" int WINAPI SkinH_AttachRes(const void* data, DWORD size, const char*, DWORD, DWORD, DWORD)
{
    try {
        if (!data && size == 0) {
            Detach(false);
            return 1;
        }
        if (!data || size == 0) return 0;
        if (SkinnedThread() && SkinnedThread() != GetCurrentThreadId()) return 0;
        const unsigned char* bytes = static_cast<const unsigned char*>(data);
        if (SameAsCurrent(bytes, size)) return 1;

        SkinLook look;
        if (!ParseSkin(bytes, size, look)) return 0;
        std::vector<unsigned char> copy(bytes, bytes + size);
        bool first = !HaveSkin();
        SetCurrentSkin(std::move(look));
        if (first && !SkinThread(g_module)) {
            ClearCurrentSkin();
            return 0;
        }
        g_current.swap(copy);
        RefreshSkinnedWindows();
        return 1;
    } catch (...) {
        return 0;  // out of memory: nothing may escape into the caller
    }
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == NULL) {
        // FreeLibrary while windows may still live: none may keep a procedure of ours.
        Detach(true);
    }
    return TRUE;
}
