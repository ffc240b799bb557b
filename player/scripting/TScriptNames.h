#pragma once
// The names of a run as numbers: equal names get equal numbers, so that scopes compare numbers instead
// of texts. "result" (the answer of a user function) is number 0.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

class TScriptNames {
public:
    static constexpr uint32_t kResult = 0;

    TScriptNames();

    // Forgets every name but "result".
    void Clear();
    // The number of the name; a name met for the first time gets the next one.
    uint32_t Id(std::u16string_view name);

private:
    struct THash {
        using is_transparent = void;
        size_t operator()(std::u16string_view name) const { return std::hash<std::u16string_view>()(name); }
    };

    std::unordered_map<std::u16string, uint32_t, THash, std::equal_to<>> ids_;
};
