#include "platform/win/Library.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace plat::win {
namespace {

namespace fs = std::filesystem;

// A program folder of its own holding the test module as "SyStem/Loadable.SO"; the process points
// TOVRIN_PROGRAM_FOLDER at it while the test runs.
class ProgramFolderFixture : public ::testing::Test {
protected:
    ProgramFolderFixture() {
        folder_ = fs::temp_directory_path() / ("win_library_test_" + std::to_string(::getpid()));
        fs::create_directories(folder_ / "SyStem");
        fs::copy_file(WIN_TEST_MODULE, folder_ / "SyStem" / "Loadable.SO",
                      fs::copy_options::overwrite_existing);
        ::setenv("TOVRIN_PROGRAM_FOLDER", (folder_.string() + "/").c_str(), 1);
    }
    ~ProgramFolderFixture() override {
        ::unsetenv("TOVRIN_PROGRAM_FOLDER");
        fs::remove_all(folder_);
    }

    fs::path folder_;
};

using AnswerFunction = int (*)(int);

int FunctionOfTheProgram() {
    return 0;
}

TEST(Library, ProgramFileAndFolder) {
    const std::string file = ProgramFile();
    EXPECT_EQ(file, fs::read_symlink("/proc/self/exe").string());
    EXPECT_EQ(ProgramFolder(), fs::path(file).parent_path().string());
    EXPECT_NE(ModuleFileNameOf(reinterpret_cast<const void*>(&ProgramFile)).find("System/libplat_win.so"),
              std::string::npos);
    EXPECT_EQ(ModuleFileNameOf(reinterpret_cast<const void*>(&FunctionOfTheProgram)), file);
    EXPECT_EQ(ModuleFileNameOf(nullptr), "");
}

TEST_F(ProgramFolderFixture, RelativePathsResolveBelowTheProgramFolderWithoutRegardToCase) {
    EXPECT_EQ(ProgramFolder(), folder_.string());
    for (const char* path : {"System\\loadable.so", "./SYSTEM/./Loadable.so", "system//LOADABLE.SO"}) {
        SCOPED_TRACE(path);
        HMODULE module = LoadLibrary(path);
        ASSERT_NE(module, nullptr) << LastLibraryError();
        const auto answer = reinterpret_cast<AnswerFunction>(GetProcAddress(module, "LoadableModuleAnswer"));
        ASSERT_NE(answer, nullptr) << LastLibraryError();
        EXPECT_EQ(answer(20), 41);
        EXPECT_EQ(ModuleFileNameOf(reinterpret_cast<const void*>(answer)),
                  (folder_ / "SyStem/Loadable.SO").string());
        EXPECT_TRUE(FreeLibrary(module));
    }
    const std::string absolute = (folder_ / "SyStem/Loadable.SO").string();
    HMODULE module = LoadLibrary(absolute);
    ASSERT_NE(module, nullptr) << LastLibraryError();
    EXPECT_TRUE(FreeLibrary(module));
}

TEST_F(ProgramFolderFixture, FailuresAreReported) {
    struct Case {
        const char* path;
        const char* error; // part of the error text
    };
    const Case cases[] = {{"", "empty"},
                          {"System\\missing.so", "missing.so"},
                          {"Loadable.SO", "Loadable.SO"}, // not at the top of the program folder
                          {"/no/such/library.so", "/no/such/library.so"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(LoadLibrary(c.path), nullptr);
        EXPECT_NE(LastLibraryError().find(c.error), std::string::npos) << LastLibraryError();
    }
    HMODULE module = LoadLibrary("System\\Loadable.so");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(GetProcAddress(module, "NoSuchFunction"), nullptr);
    EXPECT_NE(LastLibraryError().find("NoSuchFunction"), std::string::npos);
    EXPECT_EQ(GetProcAddress(nullptr, "LoadableModuleAnswer"), nullptr);
    EXPECT_EQ(GetProcAddress(module, nullptr), nullptr);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_FALSE(FreeLibrary(nullptr));
}

TEST_F(ProgramFolderFixture, NeverLooksInTheCurrentDirectory) {
    const fs::path saved = fs::current_path();
    fs::current_path(folder_ / "SyStem");
    ::setenv("TOVRIN_PROGRAM_FOLDER", (folder_ / "empty").c_str(), 1);
    fs::create_directories(folder_ / "empty");
    EXPECT_EQ(LoadLibrary("Loadable.SO"), nullptr);
    EXPECT_EQ(LoadLibrary("./Loadable.SO"), nullptr);
    fs::current_path(saved);
}

} // namespace
} // namespace plat::win
