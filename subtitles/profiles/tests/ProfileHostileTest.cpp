// Damaged and hostile profile archives: each is refused with a clear error through the error
// control, nothing is written anywhere, and the profile that was open stays as it was.
#include "subtitles/profiles/TDVDProfile.h"
#include "subtitles/profiles/tests/ProfileTestSupport.h"
#include "subtitles/zip/tests/RawZip.h"
#include "subtitles/zip/tests/ZipTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr std::string_view kLanguage = "[Script]\r\nload: movie.ssa,SSA4,,0,0\r\n";

std::string Volumes(std::string_view script) {
    return "[Volumes]\r\nVolume: Disc\r\nLanguage: English\r\nScript: " + std::string(script) + "\r\n";
}

class ProfileHostileTest : public ProfileTest {
protected:
    void SetUp() override {
        ProfileTest::SetUp();
        TDVDProfile built;
        BuildProfile(built);
        ASSERT_TRUE(built.SaveAs(dir_.WPath("good.zds")));
        ASSERT_TRUE(profile_.Load(dir_.WPath("good.zds"), true, false));
        good_ = Dump(profile_);
    }

    std::vector<RawZipEntry> Members(std::string_view volumes, std::string_view language = kLanguage,
                                     std::string_view script = "movie.ssa") {
        return {{.Name = "volumes.vl", .Content = std::string(volumes)},
                {.Name = "1-English.ds", .Content = std::string(language)},
                {.Name = std::string(script), .Content = std::string(kMovieSsa)}};
    }

    TDVDProfile profile_;
    std::string good_;
};

TEST_F(ProfileHostileTest, DamagedArchivesAreRefusedAndTheOpenProfileStays) {
    struct Case {
        const char* name;
        std::string bytes;
        std::u16string error; // a piece of the reported text
    };
    const std::string good = TempDir::Read(dir_.Path("good.zds"));
    std::vector<RawZipEntry> badCrc = Members(Volumes("1-English.ds"));
    badCrc[0].Crc = 0x12345678;
    const Case cases[] = {
        {"no volume file and no older language profile",
         BuildRawZip({{.Name = "readme.txt", .Content = "hello"}}).Bytes, u"dvdscript.ds"},
        {"a volume file without languages",
         BuildRawZip({{.Name = "volumes.vl", .Content = "[Volumes]\nVolume: A\n"}}).Bytes,
         u"No language profile"},
        {"an empty volume file", BuildRawZip({{.Name = "volumes.vl", .Content = ""}}).Bytes,
         u"No language profile"},
        {"a language file missing",
         BuildRawZip({{.Name = "volumes.vl", .Content = Volumes("1-English.ds")}}).Bytes, u"1-English.ds"},
        {"a truncated archive", good.substr(0, good.size() / 2), u"Unable to open file"},
        {"not an archive", std::string(4096, 'x'), u"Unable to open file"},
        {"a damaged volume file", BuildRawZip(badCrc).Bytes, u"volumes.vl"},
        {"a language file named outside the archive's folder",
         BuildRawZip({{.Name = "volumes.vl", .Content = Volumes("../../evil.ds")},
                      {.Name = "../../evil.ds", .Content = std::string(kLanguage)},
                      {.Name = "movie.ssa", .Content = std::string(kMovieSsa)}})
             .Bytes,
         u"evil.ds"},
        {"a script named outside the archive's folder",
         BuildRawZip(
             Members(Volumes("1-English.ds"), "[Script]\r\nload: ../evil.ssa,SSA4,,0,0\r\n", "../evil.ssa"))
             .Bytes,
         u"evil.ssa"},
        {"a language file naming a missing script",
         BuildRawZip(Members(Volumes("1-English.ds"), "[Script]\r\nload: missing.ssa,SSA4,,0,0\r\n")).Bytes,
         u"missing.ssa"},
        {"a volume file with a huge line",
         BuildRawZip(Members("[Volumes]\r\nVolume: " + std::string(5u << 20, 'v') + "\r\n")).Bytes,
         u"too large"},
        {"a language file with a huge line",
         BuildRawZip(Members(Volumes("1-English.ds"), "[Script]\r\nload: " + std::string(17u << 20, 'l')))
             .Bytes,
         u"1-English.ds"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir_.Write("hostile.zds", c.bytes);
        EXPECT_FALSE(profile_.Load(dir_.WPath("hostile.zds"), false, false));
        const std::u16string errors = TakeErrors();
        EXPECT_NE(errors.find(c.error), std::u16string::npos) << plat::text::WideToAnsi(errors);
        EXPECT_EQ(Dump(profile_), good_);
        ASSERT_NE(profile_.GetFileName(), nullptr);
        EXPECT_EQ(*profile_.GetFileName(), dir_.WPath("good.zds"));
        EXPECT_FALSE(std::filesystem::exists(dir_.Path("evil.ds")));
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(dir_.Path("")).parent_path() / "evil.ds"));
    }
}

TEST_F(ProfileHostileTest, AnArchiveThatCannotBeOpenedIsReported) {
    EXPECT_FALSE(profile_.Load(dir_.WPath("absent.zds"), false, false));
    EXPECT_NE(TakeErrors().find(u"Unable to open file : " + dir_.WPath("absent.zds")), std::u16string::npos);
    EXPECT_EQ(Dump(profile_), good_);
    EXPECT_FALSE(profile_.Load(dir_.WPath("absent.ds"), false, false));
    EXPECT_NE(TakeErrors().find(u"Unable to open file"), std::u16string::npos);
    EXPECT_EQ(Dump(profile_), good_);
}

} // namespace
