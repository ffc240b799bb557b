#pragma once
// A fresh folder for one test, removed with its content afterwards.
#include <cstdlib>
#include <filesystem>
#include <string>

class FilterTestFolder {
public:
    FilterTestFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "filters-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    }
    ~FilterTestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    FilterTestFolder(const FilterTestFolder&) = delete;
    FilterTestFolder& operator=(const FilterTestFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};
