#include "player/scripting/remote/PluginAnswerCopy.h"
#include "player/scripting/remote/PluginBaseName.h"
#include "player/scripting/remote/PluginEventMessage.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

TEST(PluginBaseName, IsTheFileNameWithoutFolderAndExtension) {
    struct Case {
        const char* path;
        const char* base;
    };
    const Case cases[] = {
        {"/opt/tov/Plug-ins/plug_orvik.so", "plug_orvik"},
        {"C:\\Prog\\Plug-ins\\plugA.dll", "plugA"},
        {"/a/plug.x.so", "plug.x"},
        {"plug_orvik.so", "plug_orvik.so"},   // no separator
        {"/a/plugnodot", "/a/plugnodot"},     // no dot
        {"/a.b/plugnodot", "/a.b/plugnodot"}, // dot before the separator
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PluginBaseName(c.path), c.base) << c.path;
    }
}

TEST(PluginAnswerCopy, KeepsTheTerminatorInsideTheCallersBuffer) {
    const std::u16string answer(20, u'x'); // 40 bytes
    struct Case {
        int32_t capacity;
        int32_t written; // bytes, terminator included
    };
    const Case cases[] = {{16, 16}, {17, 16}, {2, 2}, {1, 0}, {0, 0}, {-4, 0}, {42, 42}, {44, 42}, {100, 42}};
    for (const Case& c : cases) {
        std::array<char16_t, 64> buffer;
        buffer.fill(u'#');
        EXPECT_EQ(CopyPluginAnswer(answer, buffer.data(), c.capacity), c.written) << c.capacity;
        const std::size_t units = c.written / 2;
        if (units > 0) {
            EXPECT_EQ(buffer[units - 1], u'\0') << c.capacity;
            EXPECT_EQ(std::u16string(buffer.data()), answer.substr(0, units - 1)) << c.capacity;
        }
        EXPECT_EQ(buffer[units], u'#') << "wrote past the answer for " << c.capacity;
    }
}

TEST(PluginAnswerCopy, ReportsTheCutSizeWithoutABuffer) {
    EXPECT_EQ(CopyPluginAnswer(u"12345", nullptr, 8), 8);
}

TEST(PluginEventMessage, MapsEveryEventToItsMessageAndGroup) {
    struct Case {
        int32_t event, a, b;
        std::optional<PluginEventMessage> expected;
    };
    const Case cases[] = {
        {1, 5000, 25, PluginEventMessage{2025, 1, 1, 5000}},
        {3, 90000, 0, PluginEventMessage{2025, 1, 3, 90000}},
        {2, 0x1234, -7, PluginEventMessage{2026, 1, 0x1234, -7}},
        {4, 3, 2, PluginEventMessage{2028, 4, 4, 0x20003}},
        {5, 2, 7, PluginEventMessage{2028, 4, 5, 0x70002}},
        {8, -1, 1, PluginEventMessage{2028, 4, 8, 0x1FFFF}},
        {4, -1, -1, PluginEventMessage{2028, 4, 4, static_cast<int32_t>(0xFFFFFFFFu)}},
        {7, 2, 9, PluginEventMessage{2028, 4, 7, 2}},
        {9, 1, 0, PluginEventMessage{2028, 4, 9, 1}},
        {16, -1, 0, PluginEventMessage{2028, 4, 16, -1}},
        {6, 2, 0, PluginEventMessage{2027, 2, 6, 2}},
        {33, 0, 0, PluginEventMessage{2027, 2, 33, 0}},
        {38, 1, 0, PluginEventMessage{2027, 2, 38, 1}},
        {17, 3, 4, PluginEventMessage{2029, 8, 3, 4}},
        {18, 1, 0, PluginEventMessage{2029, 8, 1, 0}},
        {39, 1, 0, PluginEventMessage{2029, 8, 1, 0}},
        {0, 1, 1, std::nullopt},
        {10, 1, 1, std::nullopt},
        {32, 1, 1, std::nullopt},
        {40, 1, 1, std::nullopt},
        {-1, 1, 1, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PluginMessageForEvent(c.event, c.a, c.b), c.expected) << "event " << c.event;
    }
}

} // namespace
