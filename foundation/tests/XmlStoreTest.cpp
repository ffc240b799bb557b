#include "foundation/XmlStore.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct Aligned {
    double value = 1.5;
    char16_t mark = u'm';
};

// Texts of every short length (the fixed-size moves), long ones, and one larger than any block,
// with objects in between: each keeps its characters, its terminator and its alignment, also
// across blocks.
TEST(XmlStoreTest, TextsAndObjectsKeepTheirBytes) {
    XmlStore store;
    std::vector<std::pair<const char16_t*, std::u16string>> texts;
    std::vector<Aligned*> objects;
    for (std::size_t round = 0; round < 3000; ++round) {
        const std::size_t length = round == 1500 ? (3u << 20) : round % 70;
        std::u16string text(length, u'\0');
        for (std::size_t i = 0; i < length; ++i) {
            text[i] = static_cast<char16_t>(u'a' + (round + i) % 26);
        }
        texts.emplace_back(store.CopyText(text.data(), text.size()), text);
        objects.push_back(store.Make<Aligned>());
        objects.back()->mark = static_cast<char16_t>(round);
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        ASSERT_EQ(std::u16string(texts[i].first), texts[i].second) << i;
        ASSERT_EQ(reinterpret_cast<std::uintptr_t>(objects[i]) % alignof(Aligned), 0u);
        ASSERT_EQ(objects[i]->value, 1.5);
        ASSERT_EQ(objects[i]->mark, static_cast<char16_t>(i));
    }
}

// A reset store hands out its blocks again, from the first one.
TEST(XmlStoreTest, ResetReusesTheBlocks) {
    XmlStore store;
    const char16_t* first = store.CopyText(u"first", 5);
    for (int i = 0; i < 100000; ++i) {
        store.CopyText(u"filler text", 11);
    }
    store.Reset();
    const char16_t* again = store.CopyText(u"again", 5);
    EXPECT_EQ(again, first);
    EXPECT_EQ(std::u16string(again), u"again");
    char16_t* room = store.AllocateText(0);
    room[0] = 0;
    EXPECT_NE(room, nullptr);
}

} // namespace
