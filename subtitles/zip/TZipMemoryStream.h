#pragma once
// A zip archive held in memory, which minizip reads and writes through its io callbacks: archives
// being written are built here and saved in one piece when closed; archives handed over as bytes are
// read from here.
#include <ioapi.h>

#include <cstddef>
#include <string>

class TZipMemoryStream {
public:
    // The largest archive the stream holds: archives without zip64 records end below 4 GB.
    static constexpr std::size_t kMaxSize = 0xFFFFFFFFu;

    TZipMemoryStream() = default;
    explicit TZipMemoryStream(std::string bytes) : bytes_(std::move(bytes)) {}
    TZipMemoryStream(const TZipMemoryStream&) = delete;
    TZipMemoryStream& operator=(const TZipMemoryStream&) = delete;

    // The callbacks minizip calls, bound to this stream (the "file name" minizip passes is ignored).
    zlib_filefunc64_def Functions();

    const std::string& Bytes() const { return bytes_; }
    // True once a write could not be stored.
    bool Failed() const { return failed_; }

private:
    static voidpf OpenCallback(voidpf opaque, const void* name, int mode);
    static uLong ReadCallback(voidpf opaque, voidpf stream, void* buffer, uLong size);
    static uLong WriteCallback(voidpf opaque, voidpf stream, const void* buffer, uLong size);
    static ZPOS64_T TellCallback(voidpf opaque, voidpf stream);
    static long SeekCallback(voidpf opaque, voidpf stream, ZPOS64_T offset, int origin);
    static int CloseCallback(voidpf opaque, voidpf stream);
    static int ErrorCallback(voidpf opaque, voidpf stream);

    std::size_t Read(void* buffer, std::size_t size);
    std::size_t Write(const void* buffer, std::size_t size);
    bool Seek(ZPOS64_T offset, int origin);

    std::string bytes_;
    std::size_t position_ = 0;
    bool failed_ = false;
};
