#include "player/scripting/TGrVariables.h"

#include <vector>

namespace {

// Entries come and go with every call and block; the memory of those that went is kept for the next
// ones, per thread, up to a bound.
constexpr size_t kKeptEntries = 1024;

struct TKeptEntries {
    TKeptEntries() = default;
    TKeptEntries(const TKeptEntries&) = delete;
    TKeptEntries& operator=(const TKeptEntries&) = delete;
    ~TKeptEntries() {
        for (void* block : blocks) {
            ::operator delete(block);
        }
    }
    std::vector<void*> blocks;
};

thread_local TKeptEntries kept;

} // namespace

void* TGrVariables::operator new(size_t size) {
    if (size != sizeof(TGrVariables) || kept.blocks.empty()) {
        return ::operator new(size);
    }
    void* block = kept.blocks.back();
    kept.blocks.pop_back();
    return block;
}

void TGrVariables::operator delete(void* block, size_t size) {
    if (size != sizeof(TGrVariables) || kept.blocks.size() >= kKeptEntries) {
        ::operator delete(block);
        return;
    }
    kept.blocks.push_back(block);
}
