#include "core/src/framework/TCoreModule.h"

#include "platform/win/Library.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

struct FolderCase {
    const char* fileName;
    const char* folder;
};

TEST(TCoreModuleTest, FolderIsTheNameCutAtItsLastSeparatorAfterTheFirstCharacter) {
    const FolderCase cases[] = {
        {"/opt/tovrin/System/vokrad.so", "/opt/tovrin/System"},
        {"C:\\Tovrin\\System\\vokrad.dll", "C:\\Tovrin\\System"},
        {"a\\b/c.so", "a\\b"},
        {"dir/", "dir"},
        {"vokrad.so", "vokrad.so"},
        {"/vokrad.so", "/vokrad.so"},
        {"\\vokrad.so", "\\vokrad.so"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TCoreModule::FolderOf(c.fileName), c.folder) << c.fileName;
    }
}

TEST(TCoreModuleTest, InitTakesTheFileAndFolderOfTheModuleHoldingTheHandle) {
    TCoreModule module(nullptr);
    module.Init(TCoreModule::LibraryHandle());

    EXPECT_EQ(module.ModuleHandle(), TCoreModule::LibraryHandle());
    EXPECT_EQ(module.FileName(), plat::win::ProgramFile());
    EXPECT_EQ(module.Folder(), TCoreModule::FolderOf(plat::win::ProgramFile()));
}

TEST(TCoreModuleTest, GetFolderCopiesOnlyWhatFitsAndAlwaysAnswersFalse) {
    TCoreModule module(nullptr);
    module.Init(TCoreModule::LibraryHandle());
    const std::string& folder = module.Folder();
    ASSERT_FALSE(folder.empty());

    std::array<char, 4096> fits;
    fits.fill('#');
    EXPECT_FALSE(module.GetFolder(fits.data(), folder.size() + 1));
    EXPECT_EQ(std::string(fits.data()), folder);

    std::array<char, 4096> tooSmall;
    tooSmall.fill('#');
    EXPECT_FALSE(module.GetFolder(tooSmall.data(), folder.size()));
    EXPECT_EQ(std::string(tooSmall.data(), folder.size() + 1), std::string(folder.size() + 1, '#'));
}

} // namespace
