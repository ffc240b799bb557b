#pragma once
// The `gsf` program of libgsf-bin, an independent reader of compound files: what it lists and what it
// prints of one stream.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class GsfTool {
public:
    struct Entry {
        bool isStorage;
        std::uint64_t size;
        std::string path; // "Storage/Stream" below the root
    };

    // True when the program can be run.
    static bool Available();
    // The elements below the root (the root itself left out); nothing when the program fails.
    static std::optional<std::vector<Entry>> List(const std::string& file);
    // The bytes of one stream ("Storage/Stream" for a nested one); nothing when the program fails.
    static std::optional<std::string> Cat(const std::string& file, const std::string& member);
};
