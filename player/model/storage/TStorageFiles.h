#pragma once
// Opens a per-disc storage file and reads or writes one named stream at a time. All results are 0 or a
// byte count for success and -1 for failure; Error() tells why the last call failed.
#include "platform/storage/CompoundFile.h"

#include <cstdint>
#include <string>
#include <string_view>

class TStorageFiles {
public:
    // Closes any open file and opens this one, for reading or for writing; with `create` a missing file
    // is made. 0 or -1.
    int32_t Open(std::u16string_view fileName, bool forWriting, bool create);
    // Releases the file; 0.
    int32_t Close();
    // With `allocate`, gives the buffer the stream's size and sets `size` to it; then reads up to `size`
    // bytes (and no more than the buffer holds) from the stream's start. The bytes read, or -1.
    int32_t ReadStream(std::u16string_view name, std::string& buffer, uint32_t& size, bool allocate);
    // Makes the stream hold exactly these bytes (creating it when missing). The bytes written, or -1.
    int32_t WriteStream(std::u16string_view name, const void* data, uint32_t size);

    plat::storage::StorageError Error() const { return file_.Error(); }

private:
    plat::storage::CompoundFile file_;
};
