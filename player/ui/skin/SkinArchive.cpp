#include "player/ui/skin/SkinArchive.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <fstream>

bool SkinArchive::Open(const std::string& archivePath) {
    return zip_.Open(archivePath.c_str());
}

void SkinArchive::Close() {
    if (zip_.IsOpen()) {
        zip_.Close();
    }
}

SkinArchive::Status SkinArchive::ReadEntry(const std::string& name, uint32_t limit, std::string& bytes,
                                           std::string& error) {
    TZipEntry entry{};
    if (!zip_.IsOpen() || zip_.FindEntry(name.c_str(), &entry, false) < 0) {
        return Status::Missing;
    }
    if (entry.UncompressedSize > limit) {
        error = "\"" + name + "\" holds " + std::to_string(entry.UncompressedSize) +
                " bytes, more than the " + std::to_string(limit) + " a skin may use";
        return Status::Refused;
    }
    char* buffer = nullptr;
    uint32_t size = 0;
    if (!zip_.ReadEntry(name.c_str(), buffer, size)) {
        if (entry.UncompressedSize == 0) {
            return Status::Missing;
        }
        error = "\"" + name + "\" cannot be unpacked";
        return Status::Refused;
    }
    bytes.assign(buffer, size);
    TZipControl::FreeBuffer(buffer);
    return bytes.empty() ? Status::Missing : Status::Loaded;
}

bool SkinArchive::DecodeBitmap(const std::string& bytes, QImage& image, std::string& error) {
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid()) {
        error = "it is not a picture";
        return false;
    }
    if (size.width() > kMaxBitmapSide || size.height() > kMaxBitmapSide) {
        error = "its " + std::to_string(size.width()) + " x " + std::to_string(size.height()) +
                " pixels are more than " + std::to_string(kMaxBitmapSide) + " on a side";
        return false;
    }
    QImage decoded;
    if (!reader.read(&decoded)) {
        error = "it is not a picture";
        return false;
    }
    image = std::move(decoded);
    return true;
}

SkinArchive::Status SkinArchive::ReadBitmap(const std::string& name, QImage& image, std::string& error) {
    std::string bytes;
    const Status status = ReadEntry(name, kMaxBitmapBytes, bytes, error);
    if (status != Status::Loaded) {
        return status;
    }
    std::string why;
    if (!DecodeBitmap(bytes, image, why)) {
        error = "\"" + name + "\" cannot be used: " + why;
        return Status::Refused;
    }
    return Status::Loaded;
}

bool SkinArchive::ReadPlainFile(const std::string& path, std::string& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0 || size > static_cast<std::streamoff>(kMaxScriptBytes)) {
        return false;
    }
    file.seekg(0);
    bytes.resize(static_cast<std::size_t>(size));
    file.read(bytes.data(), size);
    return static_cast<bool>(file) || size == 0;
}
