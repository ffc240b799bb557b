// Feeds arbitrary bytes to the compound file reader: it refuses or gives a bounded tree, and a tree
// whose names a compound file can hold is written and read back unchanged.
#include "platform/storage/CompoundFile.h"
#include "platform/storage/CompoundFormat.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using plat::storage::CompoundElement;
using plat::storage::CompoundFile;
using plat::storage::CompoundFormat;
using plat::storage::StorageError;

namespace {

bool ValidNames(const CompoundElement& storage) {
    for (const CompoundElement& child : storage.children) {
        if (!CompoundFile::IsValidName(child.name) || (child.isStorage && !ValidNames(child))) {
            return false;
        }
    }
    return true;
}

bool Same(const CompoundElement& a, const CompoundElement& b) {
    if (a.isStorage != b.isStorage || a.bytes != b.bytes || a.children.size() != b.children.size() ||
        (a.isStorage && a.classId != b.classId)) {
        return false;
    }
    for (const CompoundElement& child : a.children) {
        const CompoundElement* other = b.Find(child.name);
        if (other == nullptr || other->name != child.name || !Same(child, *other)) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StorageError error = StorageError::None;
    const auto root =
        CompoundFormat::Read(std::string_view(reinterpret_cast<const char*>(data), size), error);
    if (!root) {
        if (error == StorageError::None) {
            std::abort();
        }
        return 0;
    }
    if (!ValidNames(*root)) {
        return 0;
    }
    const auto written = CompoundFormat::Write(*root);
    StorageError againError = StorageError::None;
    const auto again = written ? CompoundFormat::Read(*written, againError) : std::nullopt;
    if (!again || !Same(*root, *again)) {
        std::abort();
    }
    return 0;
}
