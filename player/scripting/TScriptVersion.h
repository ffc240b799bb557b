#pragma once
// The version of the build as the scripts report it: its name, build number and build date.
#include <cstdint>
#include <string>

struct TScriptVersion {
    std::string Name;
    int32_t Build = 0;
    std::string Date;

    // The version this program was built as.
    static TScriptVersion OfBuild();
};
