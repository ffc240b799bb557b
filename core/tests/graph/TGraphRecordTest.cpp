#include "core/src/graph/TGraphRecord.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

TGraphRecord Sample() {
    TGraphRecord record;
    const plat::media::Guid tone = *plat::media::Guid::Parse("{00112233-4455-6677-8899-AABBCCDDEEFF}");
    record.filters.push_back({tone, "Tone \"1\" <&>", std::nullopt});
    record.filters.push_back({plat::media::Guid(), "Source", "/media/clip ä.ogg"});
    record.links.push_back({"Tone \"1\" <&>", "src", "Sink", "sink"});
    return record;
}

void PutU32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

TEST(TGraphRecord, RoundTripsFiltersSourcesAndLinks) {
    for (const TGraphRecord& record : {TGraphRecord(), Sample()}) {
        const std::optional<TGraphRecord> decoded = TGraphRecord::Decode(record.Encode());
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(*decoded, record);
    }
}

TEST(TGraphRecord, EveryTruncationIsRefused) {
    const Bytes whole = Sample().Encode();
    for (std::size_t size = 0; size < whole.size(); ++size) {
        EXPECT_FALSE(TGraphRecord::Decode(std::span(whole).first(size)).has_value()) << size;
    }
}

// Offsets of the sample: header 14 bytes (magic 8, version 2, body length 4), filter count at 14, the
// first filter's class id at 18, its identifier's length at 34 and its 12 bytes of text at 38.
TEST(TGraphRecord, HostileOrForeignBytesAreRefused) {
    struct Case {
        const char* name;
        std::function<void(Bytes&)> spoil;
        bool keepBodyLength = false; // else the header's body length is made to fit again
    };
    const std::vector<Case> cases = {
        {"foreign magic", [](Bytes& b) { b[0] = 0x01; }},
        {"newer version", [](Bytes& b) { b[8] = 2; }},
        {"body length too long", [](Bytes& b) { PutU32(b, 10, static_cast<std::uint32_t>(b.size())); }, true},
        {"trailing byte", [](Bytes& b) { b.push_back(0); }},
        {"filter count above the bytes", [](Bytes& b) { PutU32(b, 14, 1000); }},
        {"filter count above the limit", [](Bytes& b) { PutU32(b, 14, 0xFFFFFFFFu); }},
        {"text length above the bytes", [](Bytes& b) { PutU32(b, 34, 4000); }},
        {"text length above the limit", [](Bytes& b) { PutU32(b, 34, 0x7FFFFFFFu); }},
        {"source flag not a flag", [](Bytes& b) { b[34 + 4 + 12] = 2; }},
    };
    for (const Case& c : cases) {
        Bytes bytes = Sample().Encode();
        c.spoil(bytes);
        if (!c.keepBodyLength) {
            PutU32(bytes, 10, static_cast<std::uint32_t>(bytes.size() - 14));
        }
        EXPECT_FALSE(TGraphRecord::Decode(bytes).has_value()) << c.name;
    }
}

} // namespace
