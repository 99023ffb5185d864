#include "engine/skin_parser.h"
#include <cstring>

namespace {

const unsigned char MetricLimit[SKIN_METRIC_COUNT] = {12, 8, 2, 255, 1, 1, 8, 0};
const unsigned char MetricFloor[SKIN_METRIC_COUNT] = {0, 0, 0, 0, 0, 0, 1, 0};

std::uint32_t U32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24; }
unsigned U16(const unsigned char* p) { return p[0] | p[1] << 8; }

bool ReadPicture(const unsigned char* p, std::size_t size, SkinLook& look, bool (&seen)[SKIN_BITMAP_ID_MAX + 1])
{
    if (size < 8) return false;
    unsigned id = U16(p), width = U16(p + 2), height = U16(p + 4);
    if (id < 1 || id > SKIN_BITMAP_ID_MAX || seen[id] || U16(p + 6) != 0) return false;
    if (width < 1 || width > SKIN_BITMAP_MAX_SIDE || height < 1 || height > SKIN_BITMAP_MAX_SIDE) return false;
    if (size != 8 + std::size_t(width) * height * 4) return false;
    seen[id] = true;
    SkinPicture& picture = look.pictures[id];
    picture.width = int(width);
    picture.height = int(height);
    picture.pixels.resize(std::size_t(width) * height);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) picture.pixels[i] = U32(p + 8 + i * 4) & 0xFFFFFFu;
    return true;
}

}  // namespace

std::uint32_t SkinCrc32(const unsigned char* data, std::size_t size)
{
    static std::uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        ready = true;
    }
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

bool ParseSkin(const void* data, std::size_t size, SkinLook& look)
{
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    if (!bytes || size < SKIN_HEADER_SIZE) return false;
    if (std::memcmp(bytes, SKIN_MAGIC, 4) != 0 || U16(bytes + 4) != SKIN_VERSION ||
        U16(bytes + 6) != SKIN_HEADER_SIZE || U32(bytes + 8) != size)
        return false;
    if (SkinCrc32(bytes + SKIN_HEADER_SIZE, size - SKIN_HEADER_SIZE) != U32(bytes + 12)) return false;

    SkinLook result;
    bool haveColours = false, haveMetrics = false, haveName = false;
    bool seenPicture[SKIN_BITMAP_ID_MAX + 1] = {};
    std::size_t at = SKIN_HEADER_SIZE;
    while (at < size) {
        if (size - at < 8) return false;
        const unsigned char* tag = bytes + at;
        std::uint32_t length = U32(bytes + at + 4);
        at += 8;
        if (length > size - at) return false;
        const unsigned char* payload = bytes + at;
        std::size_t padded = (std::size_t(length) + 3) & ~std::size_t(3);
        if (padded > size - at) return false;
        at += padded;

        if (std::memcmp(tag, "NAME", 4) == 0) {
            if (haveName || length < 1 || length > SKIN_NAME_MAX || std::memchr(payload, 0, length)) return false;
            result.name.assign(reinterpret_cast<const char*>(payload), length);
            haveName = true;
        } else if (std::memcmp(tag, "COLR", 4) == 0) {
            if (haveColours || length % 4 != 0 || length < SKIN_COLOUR_COUNT * 4) return false;
            for (int i = 0; i < SKIN_COLOUR_COUNT; ++i) {
                std::uint32_t colour = U32(payload + i * 4);
                if (colour > 0xFFFFFFu) return false;
                result.colours[i] = colour;
            }
            haveColours = true;
        } else if (std::memcmp(tag, "METR", 4) == 0) {
            if (haveMetrics || length != SKIN_METRIC_COUNT) return false;
            for (int i = 0; i < SKIN_METRIC_COUNT; ++i) {
                if (payload[i] < MetricFloor[i] || payload[i] > MetricLimit[i]) return false;
                result.metrics[i] = payload[i];
            }
            haveMetrics = true;
        } else if (std::memcmp(tag, "BITM", 4) == 0) {
            if (!ReadPicture(payload, length, result, seenPicture)) return false;
        }
    }
    if (!haveColours || !haveMetrics) return false;
    look = std::move(result);
    return true;
}
