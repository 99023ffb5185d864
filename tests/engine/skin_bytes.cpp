#include "engine/skin_bytes.h"
#include "engine/skin_parser.h"
#include "skin/skin_table.h"
#include <cstring>

std::string ShippedSkin(int number)
{
    ByteBlock block = SkinTable(number);
    return std::string(reinterpret_cast<const char*>(block.data), block.size);
}

void PutU32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

void PutU16(std::string& bytes, std::size_t at, unsigned value)
{
    bytes[at] = static_cast<char>(value);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

void FixChecksum(std::string& skin)
{
    if (skin.size() < 16) return;
    PutU32(skin, 12, SkinCrc32(reinterpret_cast<const unsigned char*>(skin.data()) + 16, skin.size() - 16));
}

GuardedBytes::GuardedBytes(const std::string& bytes) : size_(bytes.size())
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    std::size_t page = info.dwPageSize;
    std::size_t pages = (bytes.size() + page - 1) / page + 1;
    region_ = static_cast<char*>(VirtualAlloc(NULL, pages * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    DWORD old;
    VirtualProtect(region_ + (pages - 1) * page, page, PAGE_NOACCESS, &old);
    char* start = region_ + (pages - 1) * page - bytes.size();
    if (!bytes.empty()) std::memcpy(start, bytes.data(), bytes.size());
    data_ = start;
}

GuardedBytes::~GuardedBytes() { VirtualFree(region_, 0, MEM_RELEASE); }

std::size_t SectionOffset(const std::string& skin, const char* tag)
{
    std::size_t at = 16;
    while (at + 8 <= skin.size()) {
        std::uint32_t length = 0;
        std::memcpy(&length, skin.data() + at + 4, 4);
        if (skin.compare(at, 4, tag) == 0) return at;
        at += 8 + ((length + 3) & ~3u);
    }
    return std::string::npos;
}

std::vector<std::size_t> SectionEnds(const std::string& skin, const char* tag)
{
    std::vector<std::size_t> ends;
    std::size_t at = 16;
    while (at + 8 <= skin.size()) {
        std::uint32_t length = 0;
        std::memcpy(&length, skin.data() + at + 4, 4);
        std::size_t next = at + 8 + ((length + 3) & ~3u);
        if (skin.compare(at, 4, tag) == 0) ends.push_back(next);
        at = next;
    }
    return ends;
}

std::size_t SectionEnd(const std::string& skin, const char* tag)
{
    std::vector<std::size_t> ends = SectionEnds(skin, tag);
    return ends.empty() ? std::string::npos : ends.front();
}
