#pragma once
// Why an operation on a compound file failed.
#include <string_view>

namespace plat::storage {

enum class StorageError {
    None,
    NotFound,    // the file does not exist and was not to be created
    Locked,      // another opener held the file for longer than the wait allowed
    NotCompound, // the file is not a readable compound file
    TooLarge,    // the file or its streams exceed what is read
    BadName,     // an element name that a compound file cannot hold
    NotOpen,     // no file is open
    ReadOnly,    // a change to a file opened for reading
    NoElement,   // no element of that name
    WriteFailed, // the new file could not be written or put in place; the old one is unchanged
    IoError,     // the file could not be opened or read
};

// A short English description of the error.
std::u16string_view StorageErrorText(StorageError error);

} // namespace plat::storage
