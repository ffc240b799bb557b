#pragma once
// Turns the bytes of a compound file into its tree of elements and back, through libgsf. Reading is
// bounded: a hostile file is refused, never trusted for its sizes, counts or depth.
#include "platform/storage/CompoundElement.h"
#include "platform/storage/StorageError.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace plat::storage {

class CompoundFormat {
public:
    // Most bytes of all streams of one file together, most elements, deepest nesting of storages.
    static constexpr std::size_t kMaxContentBytes = 64u << 20;
    static constexpr std::size_t kMaxElements = 4096;
    static constexpr int kMaxDepth = 16;

    // The root storage of the file; nothing, with the reason in `error`, when the bytes are not a
    // compound file, exceed the bounds or list two elements of one name in one storage.
    static std::optional<CompoundElement> Read(std::string_view bytes, StorageError& error);
    // The bytes of a compound file holding the tree; nothing when libgsf fails to write it.
    static std::optional<std::string> Write(const CompoundElement& root);
};

} // namespace plat::storage
