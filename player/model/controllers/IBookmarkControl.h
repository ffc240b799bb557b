#pragma once
// What the hub needs of the bookmark controller.
#include <cstdint>

class IBookmarkControl {
public:
    virtual ~IBookmarkControl() = default;
    // Keeps the per-disc storage file and loads its bookmarks; nullptr forgets the file.
    virtual int32_t SetStorageFile(const char16_t* file) = 0;
    // Deletes every bookmark; event 23 unless silent.
    virtual void Clear(bool silent) = 0;
    virtual void GoToStartupBookmark() = 0;
    // Both answer the core's answer, -1 without a storage file.
    virtual int32_t SaveResumePoint() = 0;
    virtual int32_t RestoreResumePoint() = 0;
};
