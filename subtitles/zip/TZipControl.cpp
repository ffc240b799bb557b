#include "subtitles/zip/TZipControl.h"

#include "foundation/FileIo.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/text/Path.h"
#include "subtitles/zip/TExtractFile.h"
#include "subtitles/zip/TZipMemoryStream.h"
#include "subtitles/zip/ZipEntryName.h"
#include "subtitles/zip/ZipTime.h"

#include <unzip.h>
#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr int32_t kDirectoryCapacity = 2048;
constexpr std::size_t kChunkSize = 64 * 1024;
constexpr std::size_t kFirstBufferSize = 64 * 1024;
constexpr unsigned long kEncryptedFlag = 0x0001;
constexpr unsigned long kUtf8NameFlag = 0x0800;
constexpr unsigned long kUnixHost = 3;
constexpr unsigned long kVersionMadeBy = (kUnixHost << 8) | 20;
constexpr uint32_t kEntryFileMode = S_IFREG | 0644;
constexpr int kDeflateMemLevel = 8;
constexpr std::size_t kLoneEndRecordSize = 22 + 0xFFFF; // an end record with the longest comment
constexpr uint64_t kMaxAddedSize = 0xFFFFFFFEu;         // sizes of archives without zip64 records
constexpr uint32_t kDosAttributeMask =
    zipattr::kReadOnly | zipattr::kHidden | zipattr::kSystem | zipattr::kDirectory | zipattr::kArchive;

unzFile Reader(void* handle) {
    return static_cast<unzFile>(handle);
}

zipFile Writer(void* handle) {
    return static_cast<zipFile>(handle);
}

uint32_t Clamp32(uint64_t value) {
    return static_cast<uint32_t>(std::min<uint64_t>(value, 0xFFFFFFFFu));
}

// Windows attributes of an entry: its DOS bits, completed from the Unix mode of archives made on
// Unix and from a folder name's trailing '/'.
uint32_t AttributesOf(const unz_file_info64& info, const std::string& name) {
    uint32_t attributes = static_cast<uint32_t>(info.external_fa) & kDosAttributeMask;
    if ((info.version >> 8) == kUnixHost) {
        const uint32_t mode = static_cast<uint32_t>(info.external_fa >> 16);
        if (S_ISDIR(mode)) {
            attributes |= zipattr::kDirectory;
        }
        if (mode != 0 && (mode & S_IWUSR) == 0) {
            attributes |= zipattr::kReadOnly;
        }
    }
    if (!name.empty() && name.back() == '/') {
        attributes |= zipattr::kDirectory;
    }
    return attributes == 0 ? zipattr::kNormal : attributes;
}

bool IsUnixLink(const unz_file_info64& info) {
    return (info.version >> 8) == kUnixHost && S_ISLNK(static_cast<uint32_t>(info.external_fa >> 16));
}

// Makes room for `count` more bytes by doubling the block: the buffer grows by fixed steps on its
// own, which costs quadratic copying over the thousands of records of a large archive.
void ReserveDoubling(TMemoryObject& buffer, int32_t count) {
    if (int64_t{buffer.Used} + count + 16 > buffer.Capacity) {
        const int32_t used = buffer.Used;
        buffer.AppendData(nullptr, buffer.Capacity);
        buffer.SetUsed(used);
    }
}

int64_t LocalTimeOf(const tm_unz& date) {
    std::tm local{};
    local.tm_year = static_cast<int>(date.tm_year) - 1900;
    local.tm_mon = static_cast<int>(date.tm_mon);
    local.tm_mday = static_cast<int>(date.tm_mday);
    local.tm_hour = static_cast<int>(date.tm_hour);
    local.tm_min = static_cast<int>(date.tm_min);
    local.tm_sec = static_cast<int>(date.tm_sec);
    return ziptime::UnixFromLocal(local);
}

// A buffer handed out by ReadEntry: grown as data arrives, never beyond the declared size, so a
// lying header cannot make it allocate what the entry does not deliver.
class TEntryBuffer {
public:
    explicit TEntryBuffer(uint64_t declared) : declared_(declared) {}
    ~TEntryBuffer() { std::free(data_); }
    TEntryBuffer(const TEntryBuffer&) = delete;
    TEntryBuffer& operator=(const TEntryBuffer&) = delete;

    TZipError Append(const char* data, std::size_t size) {
        if (size > declared_ - used_) {
            return TZipError::SizeMismatch;
        }
        if (used_ + size > capacity_ && !Grow(used_ + size)) {
            return TZipError::OutOfMemory;
        }
        std::memcpy(data_ + used_, data, size);
        used_ += size;
        return TZipError::None;
    }

    // Hands the buffer over, with two zero bytes after the content.
    char* Release() {
        if (!data_ && !Grow(0)) {
            return nullptr;
        }
        data_[used_] = data_[used_ + 1] = 0;
        return std::exchange(data_, nullptr);
    }

private:
    bool Grow(std::size_t needed) {
        const uint64_t doubled = std::max<uint64_t>(capacity_ * 2, kFirstBufferSize);
        const std::size_t wanted = std::max<std::size_t>(needed, std::min<uint64_t>(doubled, declared_));
        char* grown = static_cast<char*>(std::realloc(data_, wanted + 2));
        if (!grown) {
            return false;
        }
        data_ = grown;
        capacity_ = wanted;
        return true;
    }

    uint64_t declared_;
    char* data_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t used_ = 0;
};

} // namespace

TZipControl::TZipControl() : directory_(kDirectoryCapacity) {}

TZipControl::~TZipControl() {
    Close();
}

bool TZipControl::Create(const char* path) {
    Close();
    if (!path || !*path) {
        return Fail(TZipError::CannotCreate);
    }
    const std::string target = plat::text::path::Normalize(path);
    const std::string folder = plat::text::path::Folder(target);
    struct stat st {};
    const bool targetIsFolder = ::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    if (targetIsFolder || target.back() == '/' ||
        ::access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) != 0) {
        return Fail(TZipError::CannotCreate);
    }
    stream_ = std::make_unique<TZipMemoryStream>();
    zlib_filefunc64_def functions = stream_->Functions();
    writer_ = zipOpen2_64(target.c_str(), APPEND_STATUS_CREATE, nullptr, &functions);
    if (!writer_) {
        stream_.reset();
        return Fail(TZipError::CannotCreate);
    }
    writePath_ = target;
    writeFailed_ = false;
    return Succeed();
}

bool TZipControl::CreateW(const char16_t* path) {
    return path ? Create(plat::text::WideToAnsi(path).c_str()) : Create(nullptr);
}

bool TZipControl::Open(const char* path) {
    Close();
    if (!path || !*path) {
        return Fail(TZipError::CannotOpen);
    }
    const std::string normalized = plat::text::path::Normalize(path);
    reader_ = unzOpen64(normalized.c_str());
    struct stat st {};
    std::string bytes;
    if (!reader_ && ::stat(normalized.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        static_cast<uint64_t>(st.st_size) <= kLoneEndRecordSize &&
        fileio::ReadWholeFile(normalized.c_str(), bytes)) {
        return OpenMemory(bytes.data(), bytes.size()); // perhaps an archive without entries
    }
    return FinishOpen();
}

bool TZipControl::OpenW(const char16_t* path) {
    return path ? Open(plat::text::WideToAnsi(path).c_str()) : Open(nullptr);
}

bool TZipControl::OpenMemory(const void* data, std::size_t size) {
    Close();
    if ((!data && size > 0) || size > TZipMemoryStream::kMaxSize - 1) {
        return Fail(TZipError::CannotOpen);
    }
    const std::string bytes(static_cast<const char*>(data), size);
    stream_ = std::make_unique<TZipMemoryStream>(bytes);
    zlib_filefunc64_def functions = stream_->Functions();
    reader_ = unzOpen2_64("", &functions);
    if (!reader_ && size <= kLoneEndRecordSize) {
        // minizip does not take an end record at the very start of the data, which is where an
        // archive without entries has it; one byte in front is read as a prefix of the archive.
        stream_ = std::make_unique<TZipMemoryStream>('\0' + bytes);
        functions = stream_->Functions();
        reader_ = unzOpen2_64("", &functions);
    }
    return FinishOpen();
}

bool TZipControl::FinishOpen() {
    if (!reader_) {
        stream_.reset();
        return Fail(TZipError::CannotOpen);
    }
    if (!ReadDirectory()) {
        const TZipError error = lastError_;
        Close();
        return Fail(error);
    }
    return Succeed();
}

bool TZipControl::Close() {
    if (!IsOpen()) {
        return Fail(TZipError::NotOpen);
    }
    bool saved = true;
    if (reader_) {
        unzClose(Reader(reader_));
        reader_ = nullptr;
    }
    if (writer_) {
        saved = SaveWrittenArchive();
    }
    stream_.reset();
    writePath_.clear();
    ClearDirectory();
    return saved ? Succeed() : Fail(TZipError::WriteFailed);
}

void TZipControl::Discard() {
    writeFailed_ = true;
    Close();
}

bool TZipControl::SaveWrittenArchive() {
    const int closed = zipClose(Writer(writer_), nullptr);
    writer_ = nullptr;
    if (closed != ZIP_OK || writeFailed_ || stream_->Failed()) {
        return false;
    }
    const std::string& bytes = stream_->Bytes();
    return fileio::WriteWholeFile(writePath_.c_str(), bytes.data(), bytes.size());
}

void TZipControl::ClearDirectory() {
    directory_.Reset();
    places_.clear();
}

bool TZipControl::ReadDirectory() {
    ClearDirectory();
    if (!reader_) {
        return Fail(writer_ ? TZipError::NotReading : TZipError::NotOpen);
    }
    unz_global_info64 global{};
    if (unzGetGlobalInfo64(Reader(reader_), &global) != UNZ_OK) {
        return Fail(TZipError::DamagedDirectory);
    }
    if (global.number_entry > kMaxEntries) {
        return Fail(TZipError::TooManyEntries);
    }
    // The count of the end record is followed rather than the end of the list minizip reports,
    // which it does not report for exactly 65535 entries.
    for (uint64_t i = 0; i < global.number_entry; ++i) {
        const int moved = i == 0 ? unzGoToFirstFile(Reader(reader_)) : unzGoToNextFile(Reader(reader_));
        if (moved != UNZ_OK || !AppendCurrentRecord()) {
            ClearDirectory();
            return Fail(lastError_ == TZipError::OutOfMemory ? TZipError::OutOfMemory
                                                             : TZipError::DamagedDirectory);
        }
    }
    return Succeed();
}

bool TZipControl::AppendCurrentRecord() {
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(Reader(reader_), &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
        return Fail(TZipError::DamagedDirectory);
    }
    std::string storedName(info.size_filename, '\0');
    std::string extra(info.size_file_extra, '\0');
    unz64_file_pos position{};
    if (unzGetCurrentFileInfo64(Reader(reader_), &info, storedName.data(), storedName.size(), extra.data(),
                                extra.size(), nullptr, 0) != UNZ_OK ||
        unzGetFilePos64(Reader(reader_), &position) != UNZ_OK) {
        return Fail(TZipError::DamagedDirectory);
    }
    const std::string name = zipname::Decode(storedName, (info.flag & kUtf8NameFlag) != 0);

    TZipEntry record{};
    record.Index = static_cast<int32_t>(places_.size());
    plat::text::CopyToFixedField(name, record.Name, sizeof record.Name);
    record.Attributes = AttributesOf(info, name);
    const TFileTime dosTime = ziptime::FromUnix(LocalTimeOf(info.tmu_date));
    record.LastAccessTime = record.CreationTime = dosTime;
    const std::optional<int64_t> exactTime = ziptime::ExtendedModificationTime(extra);
    record.LastWriteTime = exactTime ? ziptime::FromUnix(*exactTime) : dosTime;
    record.CompressedSize = Clamp32(info.compressed_size);
    record.UncompressedSize = Clamp32(info.uncompressed_size);

    const EntryKind kind = IsUnixLink(info)                            ? EntryKind::Link
                           : (record.Attributes & zipattr::kDirectory) ? EntryKind::Folder
                                                                       : EntryKind::File;
    try {
        places_.push_back({position.pos_in_zip_directory, position.num_of_file, info.compressed_size,
                           info.uncompressed_size, info.flag, info.compression_method, kind});
        ReserveDoubling(directory_, sizeof record);
        directory_.AppendData(&record, sizeof record);
    } catch (const std::exception&) {
        return Fail(TZipError::OutOfMemory);
    }
    return true;
}

int32_t TZipControl::GetEntryCount() const {
    return directory_.Used / static_cast<int32_t>(sizeof(TZipEntry));
}

const TZipEntry* TZipControl::GetEntry(int32_t index) const {
    if (index < 0 || index >= GetEntryCount()) {
        return nullptr;
    }
    return reinterpret_cast<const TZipEntry*>(directory_.Data) + index;
}

int32_t TZipControl::FindEntry(const char* name, TZipEntry* record, bool exact) const {
    if (!name) {
        return -1;
    }
    const std::string wanted = zipname::WithSlashes(name);
    for (int32_t i = 0; i < GetEntryCount(); ++i) {
        const TZipEntry* entry = GetEntry(i);
        const std::string_view entryName(entry->Name);
        if (exact ? entryName == wanted : plat::text::EqualsNoCaseA(entryName, wanted)) {
            if (record) {
                *record = *entry;
            }
            return i;
        }
    }
    return -1;
}

int32_t TZipControl::FindUnzippable(const char* name) {
    if (!reader_) {
        Fail(writer_ ? TZipError::NotReading : TZipError::NotOpen);
        return -1;
    }
    const int32_t index = FindEntry(name, nullptr, false);
    if (index < 0) {
        Fail(TZipError::EntryNotFound);
        return -1;
    }
    const EntryPlace& place = places_[static_cast<std::size_t>(index)];
    TZipError error = TZipError::None;
    if (place.Kind != EntryKind::File) {
        error = TZipError::NotAFile;
    } else if (place.UncompressedSize == 0) {
        error = TZipError::EmptyEntry;
    } else if (place.Flags & kEncryptedFlag) {
        error = TZipError::Encrypted;
    } else if (place.Method != 0 && place.Method != Z_DEFLATED) {
        error = TZipError::UnsupportedMethod;
    } else if (place.UncompressedSize > kMaxEntrySize) {
        error = TZipError::EntryTooLarge;
    } else if (place.UncompressedSize > kRatioFloor &&
               place.UncompressedSize / kMaxRatio > place.CompressedSize) {
        error = TZipError::SuspiciousRatio;
    }
    if (error != TZipError::None) {
        Fail(error);
        return -1;
    }
    return index;
}

TZipError TZipControl::Unzip(int32_t index, const ChunkSink& sink) {
    const EntryPlace& place = places_[static_cast<std::size_t>(index)];
    unz64_file_pos position{place.DirectoryOffset, place.FileNumber};
    if (unzGoToFilePos64(Reader(reader_), &position) != UNZ_OK ||
        unzOpenCurrentFile(Reader(reader_)) != UNZ_OK) {
        return TZipError::DamagedEntry;
    }
    std::vector<char> chunk(kChunkSize);
    uint64_t total = 0;
    TZipError error = TZipError::None;
    for (;;) {
        const int got =
            unzReadCurrentFile(Reader(reader_), chunk.data(), static_cast<unsigned>(chunk.size()));
        if (got <= 0) {
            error = got < 0 ? TZipError::DamagedEntry : TZipError::None;
            break;
        }
        total += static_cast<uint64_t>(got);
        if (total > place.UncompressedSize) {
            error = TZipError::SizeMismatch;
            break;
        }
        if (error = sink(chunk.data(), static_cast<std::size_t>(got)); error != TZipError::None) {
            break;
        }
    }
    // Closing checks the CRC once the whole declared size was read.
    const int closed = unzCloseCurrentFile(Reader(reader_));
    if (error == TZipError::None && total != place.UncompressedSize) {
        error = TZipError::SizeMismatch;
    }
    if (error == TZipError::None && closed != UNZ_OK) {
        error = TZipError::DamagedEntry;
    }
    return error;
}

bool TZipControl::ReadEntry(const char* name, char*& buffer, uint32_t& size) {
    buffer = nullptr;
    size = 0;
    const int32_t index = FindUnzippable(name);
    if (index < 0) {
        return false;
    }
    const uint64_t declared = places_[static_cast<std::size_t>(index)].UncompressedSize;
    TEntryBuffer entry(declared);
    const TZipError error =
        Unzip(index, [&](const char* data, std::size_t count) { return entry.Append(data, count); });
    if (error != TZipError::None) {
        return Fail(error);
    }
    buffer = entry.Release();
    if (!buffer) {
        return Fail(TZipError::OutOfMemory);
    }
    size = static_cast<uint32_t>(declared);
    return Succeed();
}

bool TZipControl::ReadEntryW(const char16_t* name, char*& buffer, uint32_t& size) {
    if (!name) {
        buffer = nullptr;
        size = 0;
        return Fail(reader_ ? TZipError::EntryNotFound : TZipError::NotOpen);
    }
    return ReadEntry(plat::text::WideToAnsi(name).c_str(), buffer, size);
}

bool TZipControl::FreeBuffer(char*& buffer) {
    if (!buffer) {
        return false;
    }
    std::free(buffer);
    buffer = nullptr;
    return true;
}

bool TZipControl::ExtractEntry(const char* name, const char* folder) {
    const int32_t index = FindUnzippable(name);
    if (index < 0) {
        return false;
    }
    const std::optional<std::vector<std::string>> components = zipname::SafeComponents(name);
    if (!components) {
        return Fail(TZipError::UnsafeName);
    }
    if (!folder) {
        return Fail(TZipError::CannotWriteFile);
    }
    TExtractFile file;
    TZipError error = file.Begin(plat::text::path::Normalize(folder), *components);
    if (error == TZipError::None) {
        error = Unzip(index, [&](const char* data, std::size_t count) {
            return file.Write(data, count) ? TZipError::None : TZipError::CannotWriteFile;
        });
    }
    if (error == TZipError::None && !file.Commit()) {
        error = TZipError::CannotWriteFile;
    }
    return error == TZipError::None ? Succeed() : Fail(error);
}

bool TZipControl::ExtractEntryW(const char16_t* name, const char16_t* folder) {
    const std::string narrowName = name ? plat::text::WideToAnsi(name) : std::string();
    const std::string narrowFolder = folder ? plat::text::WideToAnsi(folder) : std::string();
    return ExtractEntry(name ? narrowName.c_str() : nullptr, folder ? narrowFolder.c_str() : nullptr);
}

TZipError TZipControl::CheckWritable() const {
    if (!writer_) {
        return reader_ ? TZipError::NotWriting : TZipError::NotOpen;
    }
    return writeFailed_ ? TZipError::WriteFailed : TZipError::None;
}

bool TZipControl::AddEntry(const char* name, const void* data, uint32_t size) {
    if (const TZipError error = CheckWritable(); error != TZipError::None) {
        return Fail(error);
    }
    const std::optional<std::string> stored = name ? zipname::ForNewEntry(name) : std::nullopt;
    if (!stored) {
        return Fail(TZipError::BadName);
    }
    if (!data && size > 0) {
        return Fail(TZipError::CannotReadFile);
    }
    if (!BeginEntry(*stored, static_cast<int64_t>(std::time(nullptr)), kEntryFileMode) ||
        !WriteToEntry(data, size) || !EndEntry()) {
        return Fail(TZipError::WriteFailed);
    }
    return Succeed();
}

bool TZipControl::AddEntryW(const char16_t* name, const void* data, uint32_t size) {
    return name ? AddEntry(plat::text::WideToAnsi(name).c_str(), data, size) : AddEntry(nullptr, data, size);
}

bool TZipControl::AddFile(const char* name, const char* path) {
    if (const TZipError error = CheckWritable(); error != TZipError::None) {
        return Fail(error);
    }
    const std::optional<std::string> stored = name ? zipname::ForNewEntry(name) : std::nullopt;
    if (!stored) {
        return Fail(TZipError::BadName);
    }
    const int fd = path ? ::open(plat::text::path::Normalize(path).c_str(), O_RDONLY | O_CLOEXEC) : -1;
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<uint64_t>(st.st_size) > kMaxAddedSize) {
        if (fd >= 0) {
            ::close(fd);
        }
        return Fail(TZipError::CannotReadFile);
    }
    bool written = BeginEntry(*stored, static_cast<int64_t>(st.st_mtime), S_IFREG | (st.st_mode & 0777));
    if (written) {
        written = CopyToEntry(fd);
        written = EndEntry() && written;
    }
    ::close(fd);
    if (!written) {
        writeFailed_ = true; // the entry holds part of the file at best
        return Fail(TZipError::WriteFailed);
    }
    return Succeed();
}

bool TZipControl::AddFileW(const char16_t* name, const char16_t* path) {
    const std::string narrowName = name ? plat::text::WideToAnsi(name) : std::string();
    const std::string narrowPath = path ? plat::text::WideToAnsi(path) : std::string();
    return AddFile(name ? narrowName.c_str() : nullptr, path ? narrowPath.c_str() : nullptr);
}

bool TZipControl::BeginEntry(const std::string& name, int64_t modified, uint32_t mode) {
    const std::tm local = ziptime::DosLocalFromUnix(modified);
    zip_fileinfo info{};
    info.tmz_date.tm_sec = static_cast<uInt>(local.tm_sec);
    info.tmz_date.tm_min = static_cast<uInt>(local.tm_min);
    info.tmz_date.tm_hour = static_cast<uInt>(local.tm_hour);
    info.tmz_date.tm_mday = static_cast<uInt>(local.tm_mday);
    info.tmz_date.tm_mon = static_cast<uInt>(local.tm_mon);
    info.tmz_date.tm_year = static_cast<uInt>(local.tm_year + 1900);
    const bool folder = name.back() == '/';
    info.external_fa = (static_cast<uLong>(folder ? (S_IFDIR | 0755) : mode) << 16) |
                       (folder ? zipattr::kDirectory : zipattr::kArchive);
    const uLong flags = zipname::IsAscii(name) ? 0 : kUtf8NameFlag;
    const int opened =
        zipOpenNewFileInZip4_64(Writer(writer_), name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                Z_DEFLATED, Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS, kDeflateMemLevel,
                                Z_DEFAULT_STRATEGY, nullptr, 0, kVersionMadeBy, flags, 0);
    if (opened != ZIP_OK) {
        writeFailed_ = true;
        return false;
    }
    return true;
}

bool TZipControl::CopyToEntry(int fd) {
    std::vector<char> chunk(kChunkSize);
    uint64_t total = 0;
    for (;;) {
        const ssize_t got = ::read(fd, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return got == 0;
        }
        total += static_cast<uint64_t>(got);
        if (total > kMaxAddedSize || !WriteToEntry(chunk.data(), static_cast<std::size_t>(got))) {
            return false;
        }
    }
}

bool TZipControl::WriteToEntry(const void* data, std::size_t size) {
    if (size > 0 && zipWriteInFileInZip(Writer(writer_), data, static_cast<unsigned>(size)) != ZIP_OK) {
        writeFailed_ = true;
        return false;
    }
    return true;
}

bool TZipControl::EndEntry() {
    if (zipCloseFileInZip(Writer(writer_)) != ZIP_OK) {
        writeFailed_ = true;
        return false;
    }
    return true;
}

bool TZipControl::Fail(TZipError error) {
    lastError_ = error;
    return false;
}

bool TZipControl::Succeed() {
    lastError_ = TZipError::None;
    return true;
}
