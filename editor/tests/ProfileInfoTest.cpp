// The Info window's texts: readme buffers in UTF-16 after FF FE or in 8-bit text, stored back as
// FF FE, UTF-16LE and a NUL; the four profile fields written into the profile, cut to their widths.
#include "editor/TProfileInfo.h"
#include "subtitles/profiles/TProfileHeader.h"

#include <gtest/gtest.h>

TEST(ProfileInfoTest, ReadmesRoundTrip) {
    const std::u16string text = u"Line one\r\nZweite Zeile \u00e9\u4e2d";
    const std::string stored = TProfileInfo::EncodeReadme(text);
    ASSERT_GE(stored.size(), 4u);
    EXPECT_EQ(stored.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(stored.substr(stored.size() - 2), std::string(2, '\0'));
    EXPECT_EQ(stored.size(), 2 + 2 * (text.size() + 1));
    EXPECT_EQ(TProfileInfo::DecodeReadme(stored), text);
    EXPECT_EQ(TProfileInfo::DecodeReadme("plain 8-bit \xc3\xa9"), u"plain 8-bit \u00e9");
    EXPECT_EQ(TProfileInfo::DecodeReadme(std::string("\xFF\xFE"
                                                     "A",
                                                     3)),
              u"");
    EXPECT_EQ(TProfileInfo::DecodeReadme(""), u"");
}

TEST(ProfileInfoTest, FieldsAreStoredIntoTheProfileCutToTheirWidths) {
    TProfileHeader header;
    TProfileInfo::StoreFields({std::string(300, 't'), "me", "1.2.3.4.5.6", "today"}, header);
    EXPECT_EQ(header.Title.size(), TProfileHeader::kMaxTitle);
    EXPECT_EQ(header.CreatedBy, "me");
    EXPECT_EQ(header.Version, "1.2.3.4.5");
    EXPECT_EQ(header.LastUpdate, "today");
}
