// The per-disc names the hub derives: media files of one name in different folders get storage files
// of their own.
#include "player/model/hub/TDiscPaths.h"

#include "foundation/tests/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using plat::text::AnsiToWide;
using plat::text::WideToAnsi;

TEST(TDiscPaths, DiscNamesCarryTheIdentifierAndLabel) {
    const std::u16string folder = TDiscPaths::DiscFolder(u"/root", 0x12345678, 0xABCDEF, u"LABEL");
    EXPECT_EQ(folder, u"/root/12345678-00ABCDEF-LABEL/");
    EXPECT_EQ(TDiscPaths::DiscStorageFile(folder, 0x12345678, 0xABCDEF),
              u"/root/12345678-00ABCDEF-LABEL/12345678-00ABCDEF.dsi");
}

TEST(TDiscPaths, EachMediaFileHasAStorageFileOfItsOwn) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path("a"));
    std::filesystem::create_directories(dir.Path("b"));
    const std::u16string root = dir.WPath("root");
    const std::u16string inA = TDiscPaths::MediaStorageFile(root, dir.WPath("a/film.mkv"));
    const std::u16string inB = TDiscPaths::MediaStorageFile(root, dir.WPath("b/film.mkv"));
    EXPECT_NE(inA, inB);
    for (const std::u16string& name : {inA, inB}) {
        const std::string text = WideToAnsi(name);
        EXPECT_EQ(text.rfind(dir.Path("root/film.mkv-"), 0), 0u) << text;
        EXPECT_EQ(text.size(), dir.Path("root/film.mkv-").size() + 16 + 4) << text;
        EXPECT_EQ(text.substr(text.size() - 4), ".dsi");
    }
    // The same file named another way is the same file.
    EXPECT_EQ(TDiscPaths::MediaStorageFile(root, AnsiToWide(dir.Path("a/./x/../film.mkv"))), inA);
    EXPECT_EQ(TDiscPaths::MediaStorageFile(root + u"/", dir.WPath("a//film.mkv")), inA);

    std::ofstream(dir.Path("b/film.mkv.dsi")) << "x";
    EXPECT_EQ(TDiscPaths::MediaStorageFile(root, dir.WPath("b/film.mkv")), dir.WPath("b/film.mkv.dsi"));
}
