#pragma once
// A compound file (structured storage) on disk: its streams are read whole when it is opened, and
// every change writes a new file beside the old one and renames it over, keeping every element it did
// not change. An open file is held under an advisory lock, shared for reading and exclusive for
// updating, so that read-change-write cycles of several openers (threads or processes) follow one
// another instead of interleaving. Element names are compared without regard to case.
#include "platform/storage/CompoundElement.h"
#include "platform/storage/LockedFile.h"
#include "platform/storage/StorageError.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plat::storage {

class CompoundFile {
public:
    enum class Access { Read, Update };
    struct StreamWrite {
        std::u16string_view name;
        std::string_view bytes;
    };

    // How long an open waits for other openers by default.
    static constexpr unsigned kDefaultLockWaitMs = 5000;
    // Longest element name a compound file holds, in UTF-16 units.
    static constexpr std::size_t kMaxNameUnits = 31;
    // Largest file that is opened.
    static constexpr std::size_t kMaxFileBytes = 256u << 20;

    CompoundFile() = default;
    CompoundFile(const CompoundFile&) = delete;
    CompoundFile& operator=(const CompoundFile&) = delete;

    // Closes any open file, then opens the file and reads its elements. With createWhenMissing the file
    // is opened for update and made empty when it does not exist. A file that exists but is damaged is
    // refused, never replaced. False with Error() telling why.
    bool Open(std::string_view path, Access access, bool createWhenMissing,
              unsigned lockWaitMs = kDefaultLockWaitMs);
    // Releases the file and its lock.
    void Close();
    bool IsOpen() const { return file_.IsOpen(); }
    StorageError Error() const { return error_; }

    // The names of the root storage's elements, in the order the file lists them.
    std::vector<std::u16string> ElementNames() const;
    // The bytes of the root stream of that name; nullptr (Error() NoElement) when there is none.
    const std::string* Stream(std::u16string_view name);
    // The root storage as read or last written.
    const CompoundElement& Root() const { return root_; }

    // Gives root streams this content, making those that do not exist (a stream keeps the name it
    // has), and puts the changed file in place in one step. On failure nothing changes, in memory or
    // on disk.
    bool WriteStreams(std::span<const StreamWrite> writes);
    bool WriteStream(std::u16string_view name, std::string_view bytes);
    // Removes a root element and puts the changed file in place.
    bool DestroyElement(std::u16string_view name);

    // A name a compound file can hold: 1 to 31 UTF-16 units, none of them '/', '\', ':' or '!' or a
    // control character.
    static bool IsValidName(std::u16string_view name);

private:
    static constexpr int kMaxCreateAttempts = 8;

    bool Fail(StorageError error);
    bool CanChange();
    // Writes the tree as the file's new content and keeps it.
    bool Commit(CompoundElement next);

    LockedFile file_;
    CompoundElement root_;
    Access access_ = Access::Read;
    StorageError error_ = StorageError::None;
};

} // namespace plat::storage
