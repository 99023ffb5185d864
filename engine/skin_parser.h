// Reading a skin: every check of the format happens here, before anything is drawn.
#pragma once
#include "engine/skin_look.h"
#include <cstddef>
#include <cstdint>

// CRC-32 with the IEEE polynomial, as zlib computes it.
std::uint32_t SkinCrc32(const unsigned char* data, std::size_t size);

// Fills `look` from `size` bytes at `data`; false, with `look` untouched, for anything that is not
// a valid skin. Never reads outside the given bytes.
bool ParseSkin(const void* data, std::size_t size, SkinLook& look);
