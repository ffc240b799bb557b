#include "player/model/settings/AviFourCC.h"

#include "foundation/tests/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

constexpr std::uint32_t kXvid = 0x44495658; // "XVID"
constexpr std::uint32_t kMp3 = 0x00000055;

std::string Word(std::uint32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
    }
    return bytes;
}

std::string Chunk(std::string_view id, const std::string& data) {
    std::string chunk = std::string(id) + Word(static_cast<std::uint32_t>(data.size())) + data;
    if (data.size() % 2) {
        chunk += '\0';
    }
    return chunk;
}

std::string List(std::string_view type, const std::string& body) { return Chunk("LIST", std::string(type) + body); }

// A stream list whose 56-byte stream header names the type and handler.
std::string Stream(std::string_view type, std::uint32_t handler) {
    std::string header = std::string(type) + Word(handler) + std::string(48, '\0');
    return List("strl", Chunk("strh", header) + Chunk("strf", std::string(3, 'f')));
}

std::string Avi(const std::string& headerBody, const std::string& before = {}) {
    return Chunk("RIFF", "AVI " + before + List("hdrl", Chunk("avih", std::string(56, '\0')) + headerBody) +
                             List("movi", std::string(10, 'm')));
}

struct Case {
    const char* name;
    std::string bytes;
    bool found;
    std::uint32_t video;
    std::uint32_t audio;
};

// Real layouts, odd padding, a junk chunk before the header list, later streams replacing earlier
// ones, and hostile sizes and truncations: each answers without reading outside the file.
TEST(AviFourCCTest, ReadsTheStreamHandlersOrRefuses) {
    const std::string good = Avi(Stream("vids", kXvid) + Stream("auds", kMp3));
    const Case cases[] = {
        {"video and audio", good, true, kXvid, kMp3},
        {"junk first", Avi(Stream("vids", kXvid), Chunk("JUNK", std::string(7, 'j'))), true, kXvid, 0},
        {"later stream wins", Avi(Stream("vids", 1) + Stream("vids", kXvid)), true, kXvid, 0},
        {"audio only", Avi(Stream("auds", kMp3)), true, 0, kMp3},
        {"text stream only", Avi(Stream("txts", kXvid)), false, 0, 0},
        {"no streams", Avi(""), false, 0, 0},
        {"not RIFF", "RIFX" + good.substr(4), false, 0, 0},
        {"not AVI", good.substr(0, 8) + "WAVE" + good.substr(12), false, 0, 0},
        {"empty", "", false, 0, 0},
        {"truncated in the stream header", good.substr(0, 12 + 12 + 64 + 12 + 10), false, 0, 0},
        {"huge RIFF size", good.substr(0, 4) + Word(0xFFFFFFFF) + good.substr(8), true, kXvid, kMp3},
        {"huge list size", Chunk("RIFF", "AVI " + Chunk("JUNK", "") + "LIST" + Word(0xFFFFFFF0) + "hdrl"), false, 0, 0},
        {"endless empty chunks", Chunk("RIFF", "AVI " + std::string(400000, '\0')), false, 0, 0},
    };
    TempDir dir;
    for (const Case& c : cases) {
        const std::string path = dir.Write("clip.avi", c.bytes);
        std::uint32_t video = 7;
        std::uint32_t audio = 7;
        EXPECT_EQ(ReadAviFourCC(plat::text::AnsiToWide(path).c_str(), video, audio), c.found) << c.name;
        EXPECT_EQ(video, c.video) << c.name;
        EXPECT_EQ(audio, c.audio) << c.name;
    }
    std::uint32_t video = 7;
    std::uint32_t audio = 7;
    EXPECT_FALSE(ReadAviFourCC(dir.WPath("missing.avi").c_str(), video, audio));
    EXPECT_FALSE(ReadAviFourCC(dir.WPath("").c_str(), video, audio)); // a folder
    EXPECT_FALSE(ReadAviFourCC(nullptr, video, audio));
    EXPECT_EQ(video, 0u);
}

TEST(AviFourCCTest, TextKeepsPrintableBytesLeastSignificantFirst) {
    EXPECT_EQ(FourCCToText(kXvid), u"XVID");
    EXPECT_EQ(FourCCToText(0x7F200A20), u"    ");
    EXPECT_EQ(FourCCToText(0x21000055), u"U  !");
}

} // namespace
