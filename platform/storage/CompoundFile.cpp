#include "platform/storage/CompoundFile.h"

#include "platform/storage/CompoundCache.h"
#include "platform/storage/CompoundFormat.h"

#include <algorithm>
#include <optional>

namespace plat::storage {

bool CompoundFile::Fail(StorageError error) {
    error_ = error;
    return false;
}

bool CompoundFile::Open(std::string_view path, Access access, bool createWhenMissing, unsigned lockWaitMs) {
    Close();
    const std::string name(path);
    const LockedFile::Lock lock =
        access == Access::Read && !createWhenMissing ? LockedFile::Lock::Shared : LockedFile::Lock::Exclusive;
    StorageError error = file_.Open(name, lock, lockWaitMs);
    // A file made by another opener between the two calls is opened like any other; one removed again
    // before it could be opened is made anew, a bounded number of times.
    for (int attempt = 0;
         attempt < kMaxCreateAttempts && error == StorageError::NotFound && createWhenMissing; ++attempt) {
        const std::optional<std::string> empty =
            CompoundFormat::Write(CompoundElement{u"", true, {}, {}, {}});
        const StorageError created = empty ? file_.Create(name, *empty) : StorageError::WriteFailed;
        error = created;
        // Another opener may have named its new file first: open whatever the path names now, and
        // report the failed creation only when there is still nothing there.
        if (created != StorageError::None) {
            error = file_.Open(name, lock, lockWaitMs);
            if (error == StorageError::NotFound && created == StorageError::WriteFailed) {
                error = created;
            }
        }
    }
    std::string bytes;
    if (error == StorageError::None) {
        error = file_.Read(bytes, kMaxFileBytes);
    }
    std::optional<CompoundElement> root;
    if (error == StorageError::None) {
        root = CompoundCache::Shared().Find(bytes);
    }
    if (!root && error == StorageError::None) {
        root = CompoundFormat::Read(bytes, error);
        if (root) {
            CompoundCache::Shared().Keep(bytes, *root);
        }
    }
    if (!root) {
        file_.Close();
        return Fail(error);
    }
    root_ = std::move(*root);
    access_ = createWhenMissing ? Access::Update : access;
    error_ = StorageError::None;
    return true;
}

void CompoundFile::Close() {
    file_.Close();
    root_ = CompoundElement{};
}

std::vector<std::u16string> CompoundFile::ElementNames() const {
    std::vector<std::u16string> names;
    for (const CompoundElement& element : root_.children) {
        names.push_back(element.name);
    }
    return names;
}

const std::string* CompoundFile::Stream(std::u16string_view name) {
    const CompoundElement* element = root_.Find(name);
    if (!IsOpen() || element == nullptr || element->isStorage) {
        error_ = IsOpen() ? StorageError::NoElement : StorageError::NotOpen;
        return nullptr;
    }
    error_ = StorageError::None;
    return &element->bytes;
}

bool CompoundFile::IsValidName(std::u16string_view name) {
    return !name.empty() && name.size() <= kMaxNameUnits &&
           std::none_of(name.begin(), name.end(), [](char16_t c) {
               return c < 0x20 || c == u'/' || c == u'\\' || c == u':' || c == u'!';
           });
}

bool CompoundFile::CanChange() {
    if (!IsOpen()) {
        return Fail(StorageError::NotOpen);
    }
    return access_ == Access::Update || Fail(StorageError::ReadOnly);
}

bool CompoundFile::WriteStreams(std::span<const StreamWrite> writes) {
    if (!CanChange()) {
        return false;
    }
    CompoundElement next = root_;
    for (const StreamWrite& write : writes) {
        if (!IsValidName(write.name)) {
            return Fail(StorageError::BadName);
        }
        CompoundElement* stream = next.Find(write.name);
        if (stream != nullptr && stream->isStorage) {
            return Fail(StorageError::BadName);
        }
        if (stream == nullptr) {
            stream =
                &next.children.emplace_back(CompoundElement{std::u16string(write.name), false, {}, {}, {}});
        }
        stream->bytes.assign(write.bytes);
    }
    return Commit(std::move(next));
}

bool CompoundFile::WriteStream(std::u16string_view name, std::string_view bytes) {
    const StreamWrite write{name, bytes};
    return WriteStreams({&write, 1});
}

bool CompoundFile::DestroyElement(std::u16string_view name) {
    if (!CanChange()) {
        return false;
    }
    CompoundElement next = root_;
    const CompoundElement* element = next.Find(name);
    if (element == nullptr) {
        return Fail(StorageError::NoElement);
    }
    next.children.erase(next.children.begin() + (element - next.children.data()));
    return Commit(std::move(next));
}

bool CompoundFile::Commit(CompoundElement next) {
    const std::optional<std::string> bytes = CompoundFormat::Write(next);
    if (!bytes) {
        return Fail(StorageError::WriteFailed);
    }
    const StorageError error = file_.Replace(*bytes);
    if (error != StorageError::None) {
        return Fail(error);
    }
    CompoundCache::Shared().Keep(*bytes, next);
    root_ = std::move(next);
    error_ = StorageError::None;
    return true;
}

} // namespace plat::storage
