#pragma once
// A file held under an advisory lock (flock): shared for reading, exclusive for changing. Changes
// never write into the file: a new file is written beside it, locked, and renamed over it, so a
// reader sees the old content or the new one, never a mix, and a crash leaves the old file whole.
// Whoever waits for the lock of a file that was replaced meanwhile moves on to its replacement.
#include "platform/storage/StorageError.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace plat::storage {

class LockedFile {
public:
    enum class Lock { Shared, Exclusive };

    LockedFile() = default;
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    // Opens and locks the file, waiting up to waitMs for other holders. NotFound when the file does not
    // exist, Locked when the wait ran out.
    StorageError Open(const std::string& path, Lock lock, unsigned waitMs);
    // Makes the file with this content when it does not exist and holds it locked exclusively. NotFound
    // when another opener made it first (open that one instead).
    StorageError Create(const std::string& path, std::string_view content);
    // The whole content; TooLarge above maxBytes.
    StorageError Read(std::string& bytes, std::size_t maxBytes) const;
    // Puts a file with this content in place of the held one (exclusive lock only) and holds it.
    StorageError Replace(std::string_view content);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    const std::string& Path() const { return path_; }

private:
    // A new file beside the path holding the content, locked exclusively; -1 on failure.
    int WriteBeside(std::string_view content, unsigned mode, std::string& tempPath) const;

    std::string path_;
    int fd_ = -1;
};

} // namespace plat::storage
