#pragma once
// Why the last operation of a zip control failed. Operations answer by their result only; the reason
// is there for callers and tests that want to tell failures apart.
enum class TZipError {
    None,
    NotOpen,
    NotReading,
    NotWriting,
    CannotOpen,
    DamagedDirectory,
    TooManyEntries,
    EntryNotFound,
    EmptyEntry,
    NotAFile,
    Encrypted,
    UnsupportedMethod,
    EntryTooLarge,
    SuspiciousRatio,
    SizeMismatch,
    DamagedEntry,
    OutOfMemory,
    UnsafeName,
    BadName,
    CannotReadFile,
    CannotWriteFile,
    CannotCreate,
    WriteFailed,
};

// A sentence describing the error, for logs.
const char* ZipErrorText(TZipError error);
