// A skin as the engine keeps it: its own copy of everything the skin data held.
#pragma once
#include "engine/skin_format.h"
#include <cstdint>
#include <string>
#include <vector>

struct SkinPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, rows top to bottom
    bool empty() const { return pixels.empty(); }
};

struct SkinLook {
    std::string name;
    std::uint32_t colours[SKIN_COLOUR_COUNT] = {};  // COLORREF values
    unsigned char metrics[SKIN_METRIC_COUNT] = {};
    SkinPicture pictures[SKIN_BITMAP_ID_MAX + 1];    // indexed by SkinBitmapId; 0 unused
};
