// Skins as bytes for the engine's tests: the shipped ones, and buffers that end at a page that
// cannot be read, so that a read past the end faults at once.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

std::string ShippedSkin(int number);

// Writes the CRC of bytes 16.. into the header, as a valid skin has it.
void FixChecksum(std::string& skin);

class GuardedBytes {
public:
    explicit GuardedBytes(const std::string& bytes);
    ~GuardedBytes();
    const void* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    char* region_ = nullptr;
    const void* data_ = nullptr;
    std::size_t size_ = 0;
};

// Section offsets of a valid skin, to aim corruptions at.
std::size_t SectionOffset(const std::string& skin, const char* tag);  // npos when absent
std::size_t SectionEnd(const std::string& skin, const char* tag);     // after its padding
std::vector<std::size_t> SectionEnds(const std::string& skin, const char* tag);

void PutU32(std::string& bytes, std::size_t at, std::uint32_t value);
void PutU16(std::string& bytes, std::size_t at, unsigned value);
