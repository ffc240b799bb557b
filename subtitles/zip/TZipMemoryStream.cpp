#include "subtitles/zip/TZipMemoryStream.h"

#include <algorithm>
#include <cstring>
#include <new>

zlib_filefunc64_def TZipMemoryStream::Functions() {
    zlib_filefunc64_def functions{};
    functions.zopen64_file = &OpenCallback;
    functions.zread_file = &ReadCallback;
    functions.zwrite_file = &WriteCallback;
    functions.ztell64_file = &TellCallback;
    functions.zseek64_file = &SeekCallback;
    functions.zclose_file = &CloseCallback;
    functions.zerror_file = &ErrorCallback;
    functions.opaque = this;
    return functions;
}

voidpf TZipMemoryStream::OpenCallback(voidpf opaque, const void*, int) {
    static_cast<TZipMemoryStream*>(opaque)->position_ = 0;
    return opaque;
}

uLong TZipMemoryStream::ReadCallback(voidpf opaque, voidpf, void* buffer, uLong size) {
    return static_cast<uLong>(static_cast<TZipMemoryStream*>(opaque)->Read(buffer, size));
}

uLong TZipMemoryStream::WriteCallback(voidpf opaque, voidpf, const void* buffer, uLong size) {
    return static_cast<uLong>(static_cast<TZipMemoryStream*>(opaque)->Write(buffer, size));
}

ZPOS64_T TZipMemoryStream::TellCallback(voidpf opaque, voidpf) {
    return static_cast<TZipMemoryStream*>(opaque)->position_;
}

long TZipMemoryStream::SeekCallback(voidpf opaque, voidpf, ZPOS64_T offset, int origin) {
    return static_cast<TZipMemoryStream*>(opaque)->Seek(offset, origin) ? 0 : -1;
}

int TZipMemoryStream::CloseCallback(voidpf, voidpf) {
    return 0;
}

int TZipMemoryStream::ErrorCallback(voidpf opaque, voidpf) {
    return static_cast<TZipMemoryStream*>(opaque)->failed_ ? 1 : 0;
}

std::size_t TZipMemoryStream::Read(void* buffer, std::size_t size) {
    if (position_ >= bytes_.size()) {
        return 0;
    }
    const std::size_t count = std::min(size, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    return count;
}

std::size_t TZipMemoryStream::Write(const void* buffer, std::size_t size) {
    if (size > kMaxSize || position_ > kMaxSize - size) {
        failed_ = true;
        return 0;
    }
    try {
        const std::size_t end = position_ + size;
        if (end > bytes_.size()) {
            bytes_.resize(end); // a gap left by a seek past the end reads as zeros
        }
        std::memcpy(bytes_.data() + position_, buffer, size);
        position_ = end;
        return size;
    } catch (const std::bad_alloc&) {
        failed_ = true;
        return 0;
    }
}

bool TZipMemoryStream::Seek(ZPOS64_T offset, int origin) {
    ZPOS64_T base = 0;
    switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
        break;
    case ZLIB_FILEFUNC_SEEK_CUR:
        base = position_;
        break;
    case ZLIB_FILEFUNC_SEEK_END:
        base = bytes_.size();
        break;
    default:
        return false;
    }
    if (offset > kMaxSize || base + offset > kMaxSize) {
        return false;
    }
    position_ = static_cast<std::size_t>(base + offset);
    return true;
}
