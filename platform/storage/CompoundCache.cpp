#include "platform/storage/CompoundCache.h"

namespace plat::storage {

CompoundCache& CompoundCache::Shared() {
    static CompoundCache cache;
    return cache;
}

std::optional<CompoundElement> CompoundCache::Find(std::string_view bytes) const {
    const std::lock_guard lock(mutex_);
    if (!kept_ || bytes != bytes_) {
        return std::nullopt;
    }
    return root_;
}

void CompoundCache::Keep(std::string_view bytes, const CompoundElement& root) {
    const std::lock_guard lock(mutex_);
    bytes_.assign(bytes);
    root_ = root;
    kept_ = true;
}

} // namespace plat::storage
