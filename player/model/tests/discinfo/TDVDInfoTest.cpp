// The disc information file: its exact bytes, reading it back, and the files it must not take.
#include "player/model/discinfo/TDVDInfo.h"

#include "foundation/TMemoryObject.h"
#include "foundation/tests/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The UTF-16LE bytes of a text.
std::string Utf16(std::u16string_view text) {
    std::string bytes;
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

std::u16string ProfileOf(const TDVDInfo& info) {
    TMemoryObject buffer(64);
    if (!info.GetProfile(&buffer)) {
        return u"(none)";
    }
    // The path and its zero character.
    const std::u16string text(buffer.Text(), static_cast<std::size_t>(buffer.TextLength()));
    return !text.empty() && text.back() == 0 ? text.substr(0, text.size() - 1) : u"(no zero) " + text;
}

class TDVDInfoTest : public ::testing::Test {
protected:
    std::u16string File() const { return dir_.WPath("Info.xml"); }
    std::string Bytes() const { return TempDir::Read(dir_.Path("Info.xml")); }

    TempDir dir_;
    TDVDInfo info_;
};

TEST_F(TDVDInfoTest, WithoutAProfileWritesTheMarkAndTheEmptyDocument) {
    info_.Load(File().c_str());
    ASSERT_TRUE(info_.Save());
    EXPECT_EQ(Bytes(), "\xFF\xFE" + Utf16(u"<DVDINFO>\r\n</DVDINFO>\r\n"));
}

TEST_F(TDVDInfoTest, AProfileIsWrittenEscapedAndReadBackUnchanged) {
    const std::u16string profile = u"/media/Fl\u00FCsse & <B\u00E4che>/\u65E5\u672C \"x\".zds";
    info_.Load(File().c_str());
    info_.SetProfile(profile.c_str());
    ASSERT_TRUE(info_.Save());
    EXPECT_EQ(Bytes(),
              "\xFF\xFE" + Utf16(u"<DVDINFO>\r\n"
                                 u"   <Profile>/media/Fl\u00FCsse &amp; &lt;B\u00E4che&gt;/\u65E5\u672C "
                                 u"\"x\".zds</Profile>\r\n"
                                 u"</DVDINFO>\r\n"));
    TDVDInfo reread;
    reread.Load(File().c_str());
    EXPECT_EQ(ProfileOf(reread), profile);
}

TEST_F(TDVDInfoTest, FilesThatAreNotDiscInformationKeepTheProfileHeld) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"other root", "\xFF\xFE" + Utf16(u"<OTHER><Profile>/x.zds</Profile></OTHER>")},
        {"no profile element", "\xFF\xFE" + Utf16(u"<DVDINFO>\r\n</DVDINFO>\r\n")},
        {"empty profile", "\xFF\xFE" + Utf16(u"<DVDINFO><Profile></Profile></DVDINFO>")},
        {"no elements", "\xFF\xFE" + Utf16(u"just text")},
        {"empty file", ""},
        {"odd byte count", "\xFF\xFE<\x00"
                           "D"},
    };
    for (const Case& c : cases) {
        info_.SetProfile(u"/kept.zds");
        dir_.Write("Info.xml", c.bytes);
        info_.Load(File().c_str());
        EXPECT_EQ(ProfileOf(info_), u"/kept.zds") << c.name;
        EXPECT_EQ(info_.FileName(), File()) << c.name;
    }
    info_.Load(dir_.WPath("missing.xml").c_str());
    EXPECT_EQ(ProfileOf(info_), u"/kept.zds");
}

TEST_F(TDVDInfoTest, TheRootAndProfileAreFoundWithoutRegardToCase) {
    dir_.Write("Info.xml",
               "\xFF\xFE" +
                   Utf16(u"<dvdInfo><other/><PROFILE>/a.zds</PROFILE><Profile>/b</Profile></dvdInfo>"));
    info_.Load(File().c_str());
    EXPECT_EQ(ProfileOf(info_), u"/a.zds");
}

TEST_F(TDVDInfoTest, SavingMakesTheMissingPerDiscFolderButNotItsParent) {
    info_.Load(dir_.WPath("disc-0001/Info.xml").c_str());
    EXPECT_TRUE(info_.Save());
    EXPECT_FALSE(TempDir::Read(dir_.Path("disc-0001/Info.xml")).empty());

    info_.Load(dir_.WPath("missing/disc-0002/Info.xml").c_str());
    EXPECT_FALSE(info_.Save());
    EXPECT_FALSE(std::filesystem::exists(dir_.Path("missing")));
}

TEST_F(TDVDInfoTest, NoFileNameNoSave) {
    EXPECT_FALSE(info_.Save());
    info_.Load(File().c_str());
    info_.Clear();
    EXPECT_FALSE(info_.Save());
    EXPECT_EQ(dir_.EntryCount(), 0u);
}

TEST_F(TDVDInfoTest, EmptyOrNoProfileClearsIt) {
    info_.SetProfile(u"/a.zds");
    EXPECT_TRUE(info_.GetProfile(nullptr));
    info_.SetProfile(u"");
    EXPECT_FALSE(info_.GetProfile(nullptr));
    info_.SetProfile(u"/a.zds");
    info_.SetProfile(nullptr);
    EXPECT_FALSE(info_.GetProfile(nullptr));
}

} // namespace
