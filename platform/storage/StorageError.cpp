#include "platform/storage/StorageError.h"

namespace plat::storage {

std::u16string_view StorageErrorText(StorageError error) {
    switch (error) {
    case StorageError::None:
        return u"no error";
    case StorageError::NotFound:
        return u"the file does not exist";
    case StorageError::Locked:
        return u"the file is in use";
    case StorageError::NotCompound:
        return u"the file is not a compound file or is damaged";
    case StorageError::TooLarge:
        return u"the file is too large";
    case StorageError::BadName:
        return u"the name cannot be stored in a compound file";
    case StorageError::NotOpen:
        return u"no file is open";
    case StorageError::ReadOnly:
        return u"the file is open for reading only";
    case StorageError::NoElement:
        return u"no element of that name";
    case StorageError::WriteFailed:
        return u"the file could not be written";
    case StorageError::IoError:
        return u"the file could not be read";
    }
    return u"unknown error";
}

} // namespace plat::storage
