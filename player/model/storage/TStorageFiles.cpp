#include "player/model/storage/TStorageFiles.h"

#include "platform/text/CodePage.h"

#include <algorithm>
#include <cstring>

using plat::storage::CompoundFile;

int32_t TStorageFiles::Open(std::u16string_view fileName, bool forWriting, bool create) {
    const CompoundFile::Access access =
        forWriting ? CompoundFile::Access::Update : CompoundFile::Access::Read;
    return file_.Open(plat::text::WideToAnsi(fileName), access, create) ? 0 : -1;
}

int32_t TStorageFiles::Close() {
    file_.Close();
    return 0;
}

int32_t TStorageFiles::ReadStream(std::u16string_view name, std::string& buffer, uint32_t& size,
                                  bool allocate) {
    const std::string* stream = file_.Stream(name);
    if (stream == nullptr || stream->size() > INT32_MAX) {
        return -1;
    }
    if (allocate) {
        buffer.assign(stream->size(), '\0');
        size = static_cast<uint32_t>(stream->size());
    }
    const std::size_t count = std::min({static_cast<std::size_t>(size), buffer.size(), stream->size()});
    std::memcpy(buffer.data(), stream->data(), count);
    return static_cast<int32_t>(count);
}

int32_t TStorageFiles::WriteStream(std::u16string_view name, const void* data, uint32_t size) {
    if (size > INT32_MAX || (data == nullptr && size != 0)) {
        return -1;
    }
    const std::string_view bytes(static_cast<const char*>(data), size);
    return file_.WriteStream(name, bytes) ? static_cast<int32_t>(size) : -1;
}
