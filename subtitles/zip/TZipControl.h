#pragma once
// The system's way into zip archives (profiles, their languages and scripts, zipped skins). A control
// is closed, open for reading (with the entry directory in memory) or open for writing; opening or
// creating closes first, and a control can be reused for any number of archives.
//
// Names and paths are UTF-8 (the ANSI code page); the W forms take UTF-16 and convert. Both '\' and
// '/' separate folders; archives are written with '/'. Entries are read and extracted with limits
// (size, compression ratio, declared against real size) so that a hostile archive can neither
// exhaust memory nor write outside the target folder. An archive being written is kept in memory
// and saved by Close in place of the file (a temporary file renamed over it), so a failure never
// leaves a half-written archive.
#include "foundation/TMemoryObject.h"
#include "subtitles/zip/TZipEntry.h"
#include "subtitles/zip/TZipError.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TZipMemoryStream;

class TZipControl {
public:
    // Entries larger than this are neither read nor extracted.
    static constexpr uint64_t kMaxEntrySize = 256u << 20;
    // Entries above kRatioFloor bytes may expand at most kMaxRatio times their compressed size.
    static constexpr uint64_t kMaxRatio = 100;
    static constexpr uint64_t kRatioFloor = 16u << 20;
    // Archives with more entries are not opened.
    static constexpr uint64_t kMaxEntries = 65535;

    TZipControl();
    ~TZipControl();
    TZipControl(const TZipControl&) = delete;
    TZipControl& operator=(const TZipControl&) = delete;

    // Closes any open archive and starts a new one, saved at `path` by Close. False when the folder
    // is missing or not writable or the path is a folder.
    bool Create(const char* path);
    bool CreateW(const char16_t* path);
    // Closes any open archive, opens the archive and reads its directory. False when the file is
    // not a readable zip archive or its directory is damaged.
    bool Open(const char* path);
    bool OpenW(const char16_t* path);
    // Opens an archive held in memory (the bytes are copied).
    bool OpenMemory(const void* data, std::size_t size);
    // Closes the reader, or finishes and saves the archive being written, and empties the
    // directory. False when nothing was open or the archive could not be saved (the file then
    // stays as it was).
    bool Close();
    // Closes like Close, except that an archive being written is dropped: the file at its path
    // stays as it was.
    void Discard();
    bool IsOpen() const { return reader_ != nullptr || writer_ != nullptr; }

    // Empties the directory and reads one record per entry. False (directory empty) when the
    // archive is not open for reading or its directory is damaged.
    bool ReadDirectory();
    int32_t GetEntryCount() const;
    // The record, valid until the directory changes; nullptr for an index out of range.
    const TZipEntry* GetEntry(int32_t index) const;
    // Index of the first entry of that name, compared exactly or without regard to case ('\' and
    // '/' alike); copies the record when `record` is given; -1 when absent.
    int32_t FindEntry(const char* name, TZipEntry* record, bool exact) const;

    // Finds the entry without regard to case and unzips it into a new buffer (size bytes, followed
    // by two zero bytes so that text can be read in place), to be returned with FreeBuffer. `buffer`
    // is cleared first. False, with no buffer, when no archive is open for reading or the entry is
    // missing, empty, not a file, beyond the limits or damaged.
    bool ReadEntry(const char* name, char*& buffer, uint32_t& size);
    bool ReadEntryW(const char16_t* name, char*& buffer, uint32_t& size);
    // Frees a buffer from ReadEntry and clears the pointer; false when there is none.
    static bool FreeBuffer(char*& buffer);

    // Finds the entry without regard to case and unzips it to the file `name` below `folder` (which
    // must exist; a trailing separator is optional); folders on the way are made. False when the
    // entry cannot be read (as ReadEntry), the name leads outside the folder, or the file cannot be
    // written; an existing file is replaced only by a complete one.
    bool ExtractEntry(const char* name, const char* folder);
    bool ExtractEntryW(const char16_t* name, const char16_t* folder);

    // Adds an entry with the given content to the archive being written. False when no archive is
    // open for writing, the name is not a safe relative UTF-8 name of at most 259 bytes, or adding
    // failed.
    bool AddEntry(const char* name, const void* data, uint32_t size);
    bool AddEntryW(const char16_t* name, const void* data, uint32_t size);
    // Adds an entry with the content of a regular file (smaller than 4 GB).
    bool AddFile(const char* name, const char* path);
    bool AddFileW(const char16_t* name, const char16_t* path);

    // Why the last failing operation failed (None after a success).
    TZipError LastError() const { return lastError_; }

private:
    enum class EntryKind : uint8_t { File, Folder, Link };

    // What unzipping an entry needs beyond its record.
    struct EntryPlace {
        uint64_t DirectoryOffset;
        uint64_t FileNumber;
        uint64_t CompressedSize;
        uint64_t UncompressedSize;
        unsigned long Flags;
        unsigned long Method;
        EntryKind Kind;
    };

    using ChunkSink = std::function<TZipError(const char* data, std::size_t size)>;

    bool FinishOpen();
    bool AppendCurrentRecord();
    // The index of the entry that ReadEntry or ExtractEntry may unzip, or -1 with the error set.
    int32_t FindUnzippable(const char* name);
    TZipError Unzip(int32_t index, const ChunkSink& sink);
    TZipError CheckWritable() const;
    // Starts an entry of the archive being written; marks the archive failed when minizip refuses.
    bool BeginEntry(const std::string& name, int64_t modified, uint32_t mode);
    bool WriteToEntry(const void* data, std::size_t size);
    bool CopyToEntry(int fd);
    bool EndEntry();
    bool SaveWrittenArchive();
    void ClearDirectory();
    bool Fail(TZipError error);
    bool Succeed();

    void* reader_ = nullptr;
    void* writer_ = nullptr;
    std::unique_ptr<TZipMemoryStream> stream_;
    std::string writePath_;
    bool writeFailed_ = false;
    TMemoryObject directory_;
    std::vector<EntryPlace> places_;
    TZipError lastError_ = TZipError::None;
};
