#include "platform/media/Guid.h"

#include <gtest/gtest.h>

namespace plat::media {
namespace {

TEST(GuidTest, ParsesAndFormatsTheBracedForm) {
    const auto id = Guid::Parse("{e436ebb5-524f-11ce-9f53-0020af0ba770}");
    ASSERT_TRUE(id.has_value());
    EXPECT_EQ(id->Bytes()[0], 0xE4);
    EXPECT_EQ(id->Bytes()[15], 0x70);
    EXPECT_EQ(id->ToString(), "{E436EBB5-524F-11CE-9F53-0020AF0BA770}");
    EXPECT_FALSE(id->IsNull());
    EXPECT_TRUE(Guid().IsNull());
}

TEST(GuidTest, RefusesMalformedText) {
    for (const char* text :
         {"", "E436EBB5-524F-11CE-9F53-0020AF0BA770", "{E436EBB5-524F-11CE-9F53-0020AF0BA77}",
          "{E436EBB5-524F-11CE-9F53-0020AF0BA7700}", "{E436EBB5_524F-11CE-9F53-0020AF0BA770}",
          "{E436EBB5-524F-11CE-9F53-0020AF0BA77G}", "(E436EBB5-524F-11CE-9F53-0020AF0BA770)"}) {
        EXPECT_FALSE(Guid::Parse(text).has_value()) << text;
    }
}

TEST(GuidTest, NameBasedIdsFollowVersionFive) {
    const Guid dns = *Guid::Parse("{6BA7B810-9DAD-11D1-80B4-00C04FD430C8}");
    EXPECT_EQ(Guid::FromName(dns, "python.org").ToString(), "{886313E1-3B8A-5372-9B90-0C9AEE199E5D}");
    EXPECT_EQ(Guid::FromName(dns, "a"), Guid::FromName(dns, "a"));
    EXPECT_NE(Guid::FromName(dns, "a"), Guid::FromName(dns, "b"));
}

} // namespace
} // namespace plat::media
