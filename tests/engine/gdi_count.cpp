#include "engine/gdi_count.h"
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

std::set<HGDIOBJ> g_live;
void Made(HGDIOBJ object) { if (object) g_live.insert(object); }

struct Real {
    decltype(&CreateSolidBrush) solidBrush;
    decltype(&CreatePatternBrush) patternBrush;
    decltype(&CreateDIBSection) dibSection;
    decltype(&CreateFontIndirectA) font;
    decltype(&CreateCompatibleBitmap) compatibleBitmap;
    decltype(&CreateCompatibleDC) compatibleDC;
    decltype(&CreateRoundRectRgn) roundRectRgn;
    decltype(&CreateRectRgn) rectRgn;
    decltype(&CreatePen) pen;
    decltype(&DeleteObject) deleteObject;
    decltype(&DeleteDC) deleteDC;
} g_real = {CreateSolidBrush, CreatePatternBrush, CreateDIBSection, CreateFontIndirectA, CreateCompatibleBitmap,
            CreateCompatibleDC, CreateRoundRectRgn, CreateRectRgn, CreatePen, DeleteObject, DeleteDC};

HBRUSH WINAPI SolidBrush(COLORREF c) { HBRUSH o = g_real.solidBrush(c); Made(o); return o; }
HBRUSH WINAPI PatternBrush(HBITMAP b) { HBRUSH o = g_real.patternBrush(b); Made(o); return o; }
HBITMAP WINAPI DibSection(HDC dc, const BITMAPINFO* i, UINT u, void** bits, HANDLE s, DWORD off)
{
    HBITMAP o = g_real.dibSection(dc, i, u, bits, s, off);
    Made(o);
    return o;
}
HFONT WINAPI Font(const LOGFONTA* f) { HFONT o = g_real.font(f); Made(o); return o; }
HBITMAP WINAPI CompatibleBitmap(HDC dc, int w, int h) { HBITMAP o = g_real.compatibleBitmap(dc, w, h); Made(o); return o; }
HDC WINAPI CompatibleDC(HDC dc) { HDC o = g_real.compatibleDC(dc); Made(o); return o; }
HRGN WINAPI RoundRectRgn(int a, int b, int c, int d, int e, int f) { HRGN o = g_real.roundRectRgn(a, b, c, d, e, f); Made(o); return o; }
HRGN WINAPI RectRgn(int a, int b, int c, int d) { HRGN o = g_real.rectRgn(a, b, c, d); Made(o); return o; }
HPEN WINAPI Pen(int s, int w, COLORREF c) { HPEN o = g_real.pen(s, w, c); Made(o); return o; }
BOOL WINAPI Delete(HGDIOBJ o) { g_live.erase(o); return g_real.deleteObject(o); }
BOOL WINAPI DeleteDc(HDC o) { g_live.erase(o); return g_real.deleteDC(o); }

struct Route {
    const char* name;
    void* ours;
    void* real;
};
const Route Routes[] = {
    {"CreateSolidBrush", reinterpret_cast<void*>(SolidBrush), reinterpret_cast<void*>(g_real.solidBrush)},
    {"CreatePatternBrush", reinterpret_cast<void*>(PatternBrush), reinterpret_cast<void*>(g_real.patternBrush)},
    {"CreateDIBSection", reinterpret_cast<void*>(DibSection), reinterpret_cast<void*>(g_real.dibSection)},
    {"CreateFontIndirectA", reinterpret_cast<void*>(Font), reinterpret_cast<void*>(g_real.font)},
    {"CreateCompatibleBitmap", reinterpret_cast<void*>(CompatibleBitmap), reinterpret_cast<void*>(g_real.compatibleBitmap)},
    {"CreateCompatibleDC", reinterpret_cast<void*>(CompatibleDC), reinterpret_cast<void*>(g_real.compatibleDC)},
    {"CreateRoundRectRgn", reinterpret_cast<void*>(RoundRectRgn), reinterpret_cast<void*>(g_real.roundRectRgn)},
    {"CreateRectRgn", reinterpret_cast<void*>(RectRgn), reinterpret_cast<void*>(g_real.rectRgn)},
    {"CreatePen", reinterpret_cast<void*>(Pen), reinterpret_cast<void*>(g_real.pen)},
    {"DeleteObject", reinterpret_cast<void*>(Delete), reinterpret_cast<void*>(g_real.deleteObject)},
    {"DeleteDC", reinterpret_cast<void*>(DeleteDc), reinterpret_cast<void*>(g_real.deleteDC)},
};

// Rewrites the module's import slots of gdi32 by name; `install` false puts the real ones back.
int Reroute(HMODULE module, bool install)
{
    BYTE* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    int count = 0;
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + imp->Name), "gdi32.dll") != 0 || !imp->OriginalFirstThunk) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const char* name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name;
            for (const Route& route : Routes) {
                if (std::strcmp(route.name, name) != 0) continue;
                DWORD old;
                VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE, &old);
                slots->u1.Function = reinterpret_cast<ULONG_PTR>(install ? route.ours : route.real);
                VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), old, &old);
                ++count;
            }
        }
    }
    return count;
}

}  // namespace

GdiObjectCount::GdiObjectCount(HMODULE module) : module_(module)
{
    g_live.clear();
    hooked_ = Reroute(module, true);
}

GdiObjectCount::~GdiObjectCount() { Reroute(module_, false); }

std::size_t GdiObjectCount::Live() const { return g_live.size(); }
