#pragma once
// The elements of the compound file this process last read or wrote, kept with the file's bytes, so
// that opening a file with those very bytes again (as every bookmark change and reload does) need not
// parse it again. Shared by the threads of the process.
#include "platform/storage/CompoundElement.h"

#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace plat::storage {

class CompoundCache {
public:
    static CompoundCache& Shared();

    // The elements of a file holding exactly these bytes, when they are the ones kept.
    std::optional<CompoundElement> Find(std::string_view bytes) const;
    // Keeps these elements as the content of a file holding these bytes.
    void Keep(std::string_view bytes, const CompoundElement& root);

private:
    mutable std::mutex mutex_;
    std::string bytes_;
    CompoundElement root_;
    bool kept_ = false;
};

} // namespace plat::storage
