#pragma once
// A fresh folder for one test, removed afterwards; its name ends with a separator.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

namespace orvik::testing {

class TempFolder {
public:
    explicit TempFolder(const std::string& tag = "") {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        Path =
            std::filesystem::temp_directory_path() / ("orvik-" + std::string(test->test_suite_name()) + "-" +
                                                      test->name() + tag + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(Path);
        std::filesystem::create_directories(Path);
    }
    ~TempFolder() { std::filesystem::remove_all(Path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Name() const { return Path.string() + "/"; }

    std::filesystem::path Path;
};

} // namespace orvik::testing
