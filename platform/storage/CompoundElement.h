#pragma once
// One element of a compound file held in memory: a stream with its bytes, or a storage with its class
// identifier and its own elements. Names are UTF-16 and compared without regard to case, as compound
// files compare them.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plat::storage {

using ClassId = std::array<std::uint8_t, 16>;

struct CompoundElement {
    std::u16string name;
    bool isStorage = false;
    std::string bytes;                     // a stream's content
    ClassId classId{};                     // a storage's class identifier
    std::vector<CompoundElement> children; // a storage's elements

    // The element of that name below this storage; nullptr when there is none.
    CompoundElement* Find(std::u16string_view childName);
    const CompoundElement* Find(std::u16string_view childName) const;
};

} // namespace plat::storage
