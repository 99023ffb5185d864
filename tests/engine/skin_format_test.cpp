// The skin reader: the shipped skins, corrupt and truncated data, and random damage. Every
// buffer ends at a page that cannot be read, so a read past its end fails the run.
#include <gtest/gtest.h>
#include "engine/skin_bytes.h"
#include "engine/skin_parser.h"
#include "skin/skin_table.h"
#include <algorithm>
#include <cstring>
#include <functional>
#include <random>
#include <set>
#include <vector>

namespace {

bool Parses(const std::string& bytes, SkinLook* out = nullptr)
{
    GuardedBytes guarded(bytes);
    SkinLook look;
    bool ok = ParseSkin(guarded.data(), guarded.size(), look);
    if (out) *out = look;
    return ok;
}

}  // namespace

TEST(SkinFormat, EveryShippedSkinIsValidAndNoTwoLookAlike)
{
    std::set<std::vector<std::uint32_t>> palettes;
    std::set<std::string> names;
    for (int n = 1; n <= 33; ++n) {
        std::string skin = ShippedSkin(n);
        ASSERT_GE(skin.size(), 16u) << n;
        EXPECT_EQ(0, skin.compare(0, 4, ".SHE")) << n;
        SkinLook look;
        ASSERT_TRUE(Parses(skin, &look)) << n;
        EXPECT_FALSE(look.name.empty()) << n;
        names.insert(look.name);
        palettes.insert(std::vector<std::uint32_t>(look.colours, look.colours + SKIN_COLOUR_COUNT));
        // Text must stand out from what it is drawn on.
        auto contrast = [](std::uint32_t a, std::uint32_t b) {
            auto y = [](std::uint32_t c) { return 0.299 * (c & 0xFF) + 0.587 * (c >> 8 & 0xFF) + 0.114 * (c >> 16 & 0xFF); };
            return y(a) > y(b) ? y(a) - y(b) : y(b) - y(a);
        };
        EXPECT_GT(contrast(look.colours[SkinWindowText], look.colours[SkinWindowBg]), 90) << n;
        EXPECT_GT(contrast(look.colours[SkinButtonText], look.colours[SkinButtonTo]), 90) << n;
        EXPECT_GT(contrast(look.colours[SkinListText], look.colours[SkinListBg]), 90) << n;
        EXPECT_GT(contrast(look.colours[SkinSelectionText], look.colours[SkinSelectionBg]), 60) << n;
    }
    EXPECT_EQ(33u, palettes.size());
    EXPECT_EQ(33u, names.size());
    EXPECT_TRUE(SkinTable(0).data == nullptr && SkinTable(34).data == nullptr);
}

TEST(SkinFormat, DamagedSkinsAreRefused)
{
    const std::string good = ShippedSkin(1);
    ASSERT_TRUE(Parses(good));
    const std::size_t colr = SectionOffset(good, "COLR"), metr = SectionOffset(good, "METR");
    const std::size_t name = SectionOffset(good, "NAME"), bitm = SectionOffset(good, "BITM");
    ASSERT_NE(std::string::npos, colr);
    ASSERT_NE(std::string::npos, metr);
    ASSERT_NE(std::string::npos, name);
    ASSERT_NE(std::string::npos, bitm) << "skin 1 carries a caption picture";

    struct Case {
        const char* what;
        std::function<void(std::string&)> damage;
        bool fixChecksum;
    };
    const Case cases[] = {
        {"wrong magic", [](std::string& s) { s[1] = 'X'; }, true},
        {"version 2", [](std::string& s) { PutU16(s, 4, 2); }, true},
        {"header size", [](std::string& s) { PutU16(s, 6, 20); }, true},
        {"total larger than the data", [](std::string& s) { PutU32(s, 8, static_cast<std::uint32_t>(s.size() + 4)); }, true},
        {"total smaller than the data", [](std::string& s) { PutU32(s, 8, static_cast<std::uint32_t>(s.size() - 4)); }, true},
        {"trailing bytes", [](std::string& s) { s += std::string(8, '\0'); }, true},
        {"bad checksum", [](std::string& s) { s[s.size() - 1] ^= 0x40; }, false},
        {"section length past the end", [&](std::string& s) { PutU32(s, colr + 4, 0x7FFFFFF0u); }, true},
        {"section length wraps", [&](std::string& s) { PutU32(s, colr + 4, 0xFFFFFFFFu); }, true},
        {"colour table too short", [&](std::string& s) { PutU32(s, colr + 4, 4 * (SKIN_COLOUR_COUNT - 1)); }, true},
        {"colour with a high byte", [&](std::string& s) { s[colr + 8 + 3] = 1; }, true},
        {"no colour table", [&](std::string& s) { std::memcpy(&s[colr], "CXXX", 4); }, true},
        {"metrics wrong size", [&](std::string& s) { PutU32(s, metr + 4, SKIN_METRIC_COUNT - 1); }, true},
        {"button radius out of range", [&](std::string& s) { s[metr + 8 + SkinButtonRadius] = 13; }, true},
        {"frame width 0", [&](std::string& s) { s[metr + 8 + SkinFrameWidth] = 0; }, true},
        {"caption button shape 3", [&](std::string& s) { s[metr + 8 + SkinCaptionButtonShape] = 3; }, true},
        {"no metrics", [&](std::string& s) { std::memcpy(&s[metr], "MXXX", 4); }, true},
        {"repeated colour table", [&](std::string& s) { std::memcpy(&s[metr], "COLR", 4); }, true},
        {"empty name", [&](std::string& s) { PutU32(s, name + 4, 0); }, true},
        {"name with a NUL", [&](std::string& s) { s[name + 8] = '\0'; }, true},
        {"picture id 0", [&](std::string& s) { PutU16(s, bitm + 8, 0); }, true},
        {"picture id 3", [&](std::string& s) { PutU16(s, bitm + 8, 3); }, true},
        {"picture width 0", [&](std::string& s) { PutU16(s, bitm + 10, 0); }, true},
        {"picture wider than 256", [&](std::string& s) { PutU16(s, bitm + 10, 257); }, true},
        {"picture taller than its pixels", [&](std::string& s) { PutU16(s, bitm + 12, 200); }, true},
        {"picture reserved field", [&](std::string& s) { PutU16(s, bitm + 14, 1); }, true},
        {"header only", [](std::string& s) { s.resize(16); PutU32(s, 8, 16); }, true},
        {"section header cut", [](std::string& s) { s.resize(20); PutU32(s, 8, 20); }, true},
    };
    for (const Case& c : cases) {
        std::string bad = good;
        c.damage(bad);
        if (c.fixChecksum) FixChecksum(bad);
        EXPECT_FALSE(Parses(bad)) << c.what;
    }
    // A repeated picture id: the caption picture twice.
    std::string twice = good;
    std::uint32_t length;
    std::memcpy(&length, good.data() + bitm + 4, 4);
    twice += good.substr(bitm, 8 + ((length + 3) & ~3u));
    PutU32(twice, 8, static_cast<std::uint32_t>(twice.size()));
    FixChecksum(twice);
    EXPECT_FALSE(Parses(twice));
    // An unknown section is skipped: later versions may add some.
    std::string extra = good + std::string("XTRA\x03\0\0\0abc\0", 12);
    PutU32(extra, 8, static_cast<std::uint32_t>(extra.size()));
    FixChecksum(extra);
    EXPECT_TRUE(Parses(extra));
    // No data at all.
    SkinLook look;
    EXPECT_FALSE(ParseSkin(nullptr, 0, look));
    EXPECT_FALSE(ParseSkin(nullptr, good.size(), look));
}

TEST(SkinFormat, TruncatedSkinsAreRefused)
{
    for (int n : {1, 3, 32}) {
        const std::string good = ShippedSkin(n);
        // A cut between two sections, after both required ones, leaves a shorter valid skin.
        std::size_t requiredEnd = std::max(SectionEnd(good, "COLR"), SectionEnd(good, "METR"));
        std::set<std::size_t> boundaries;
        for (const char* tag : {"NAME", "COLR", "METR", "BITM"})
            for (std::size_t end : SectionEnds(good, tag)) boundaries.insert(end);
        for (std::size_t cut = 0; cut < good.size(); ++cut) {
            std::string part = good.substr(0, cut);
            // With the header's total and checksum made to fit, only the sections can tell.
            if (cut >= 16) {
                PutU32(part, 8, static_cast<std::uint32_t>(cut));
                FixChecksum(part);
            }
            bool validCut = cut >= requiredEnd && boundaries.count(cut);
            SkinLook look;
            GuardedBytes guarded(part);
            ASSERT_EQ(validCut, ParseSkin(guarded.data(), guarded.size(), look)) << "skin " << n << " cut at " << cut;
        }
    }
}

TEST(SkinFormat, RandomDamageNeverReadsOutsideTheData)
{
    std::mt19937 random(20261211);
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string skin = ShippedSkin(1 + static_cast<int>(random() % 33));
        int hits = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < hits; ++i) {
            std::size_t at = random() % skin.size();
            switch (random() % 3) {
            case 0: skin[at] = static_cast<char>(random()); break;
            case 1: skin[at] ^= static_cast<char>(1 << (random() % 8)); break;
            default: if (at >= 16 && at + 4 <= skin.size()) PutU32(skin, at - at % 4, static_cast<std::uint32_t>(random())); break;
            }
        }
        if (random() % 4 == 0) skin.resize(random() % skin.size());
        // Most rounds get past the checksum, so that the sections themselves are tried.
        if (random() % 8 != 0 && skin.size() >= 16) {
            PutU32(skin, 8, static_cast<std::uint32_t>(skin.size()));
            FixChecksum(skin);
        }
        SkinLook look;
        GuardedBytes guarded(skin);
        if (!ParseSkin(guarded.data(), guarded.size(), look)) continue;
        ++accepted;
        EXPECT_LE(look.metrics[SkinButtonRadius], 12);
        EXPECT_GE(look.metrics[SkinFrameWidth], 1);
        for (const SkinPicture& p : look.pictures)
            EXPECT_EQ(static_cast<std::size_t>(p.width) * p.height, p.pixels.size());
    }
    // Damage inside colours or pixels leaves a valid skin: the fuzzing reached the end of parsing.
    EXPECT_GT(accepted, 100);
}
