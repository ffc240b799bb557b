#include "platform/text/WideString.h"

#include <gtest/gtest.h>

#include <memory>

namespace plat::text {
namespace {

TEST(WideStringTest, LengthOfTerminatedText) {
    EXPECT_EQ(WLen(nullptr), 0u);
    EXPECT_EQ(WLen(u""), 0u);
    EXPECT_EQ(WLen(u"ab\U0001F600"), 4u);
}

TEST(WideStringTest, BoundedLengthNeverPassesTheField) {
    const char16_t full[3] = {u'a', u'b', u'c'};
    const char16_t early[3] = {u'a', 0, u'c'};
    EXPECT_EQ(WLenBounded(full, 3), 3u);
    EXPECT_EQ(WLenBounded(full, 2), 2u);
    EXPECT_EQ(WLenBounded(early, 3), 1u);
    EXPECT_EQ(WLenBounded(full, 0), 0u);
    EXPECT_EQ(WLenBounded(nullptr, 5), 0u);
}

TEST(WideStringTest, DuplicateIsATerminatedCopy) {
    EXPECT_EQ(WDup(static_cast<const char16_t*>(nullptr)), nullptr);

    const char16_t source[] = u"h\u00E9llo";
    std::unique_ptr<char16_t[]> copy(WDup(source));
    ASSERT_NE(copy.get(), source);
    EXPECT_EQ(WStringView(copy.get()), WStringView(source));

    // A view need not be terminated: the copy is cut at its length and terminated.
    std::unique_ptr<char16_t[]> part(WDup(WStringView(source, 2)));
    EXPECT_EQ(WStringView(part.get()), u"h\u00E9");
    std::unique_ptr<char16_t[]> empty(WDup(WStringView()));
    EXPECT_EQ(empty[0], 0);
}

} // namespace
} // namespace plat::text
