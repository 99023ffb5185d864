// Read-only views of the constant data the executable carries.
#pragma once
#include <cstddef>

struct ByteBlock {
    const unsigned char* data;
    std::size_t size;
};

// An empty block when the resource is not in the executable.
ByteBlock BannerJpeg();
ByteBlock SkinEngineImage();
ByteBlock SkinBlock(int number);  // 1..SKIN_COUNT
