// Counts the GDI objects a module makes and has not deleted, by routing its imports of
// gdi32 through counters (Wine has no working GetGuiResources).
#pragma once
#include <windows.h>
#include <cstddef>

class GdiObjectCount {
public:
    explicit GdiObjectCount(HMODULE module);
    ~GdiObjectCount();  // puts the imports back
    std::size_t Live() const;
    bool Hooked() const { return hooked_ > 0; }

private:
    HMODULE module_;
    int hooked_ = 0;
};
