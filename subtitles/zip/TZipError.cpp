#include "subtitles/zip/TZipError.h"

const char* ZipErrorText(TZipError error) {
    switch (error) {
    case TZipError::None:
        return "no error";
    case TZipError::NotOpen:
        return "no archive is open";
    case TZipError::NotReading:
        return "the archive is not open for reading";
    case TZipError::NotWriting:
        return "the archive is not open for writing";
    case TZipError::CannotOpen:
        return "the archive cannot be opened or is not a zip archive";
    case TZipError::DamagedDirectory:
        return "the archive's entry directory is damaged";
    case TZipError::TooManyEntries:
        return "the archive holds more entries than allowed";
    case TZipError::EntryNotFound:
        return "the archive holds no entry of that name";
    case TZipError::EmptyEntry:
        return "the entry is empty";
    case TZipError::NotAFile:
        return "the entry is a folder or a link, not a file";
    case TZipError::Encrypted:
        return "the entry is encrypted";
    case TZipError::UnsupportedMethod:
        return "the entry uses an unsupported compression method";
    case TZipError::EntryTooLarge:
        return "the entry is larger than allowed";
    case TZipError::SuspiciousRatio:
        return "the entry expands far beyond its compressed size (zip bomb)";
    case TZipError::SizeMismatch:
        return "the entry's content does not match its declared size";
    case TZipError::DamagedEntry:
        return "the entry's data is damaged";
    case TZipError::OutOfMemory:
        return "not enough memory for the entry";
    case TZipError::UnsafeName:
        return "the entry name leads outside the target folder";
    case TZipError::BadName:
        return "the entry name is empty, too long, not UTF-8 or leads outside the archive";
    case TZipError::CannotReadFile:
        return "the file or data to add cannot be read";
    case TZipError::CannotWriteFile:
        return "the extracted file cannot be written";
    case TZipError::CannotCreate:
        return "the archive cannot be created there";
    case TZipError::WriteFailed:
        return "writing the archive failed";
    }
    return "unknown error";
}
