#pragma once
// The names of the per-disc folder and storage file that the hub derives when a disc or a media file
// is opened. Paths are UTF-16 and written with '/'.
#include <cstdint>
#include <string>
#include <string_view>

class TDiscPaths {
public:
    // "<root><HIGH>-<LOW>-<label>/", the identifier halves as eight hexadecimal digits. A root without
    // a trailing separator gets one.
    static std::u16string DiscFolder(std::u16string_view root, uint32_t idHigh, uint32_t idLow,
                                     std::u16string_view label);
    // "<discFolder><HIGH>-<LOW>.dsi".
    static std::u16string DiscStorageFile(std::u16string_view discFolder, uint32_t idHigh, uint32_t idLow);
    // "<media>.dsi" when that file exists, else "<root><file name>-<digest>.dsi", the digest sixteen
    // hexadecimal digits that tell the media file's full path from every other.
    static std::u16string MediaStorageFile(std::u16string_view root, std::u16string_view mediaPath);
    // The information file of a media file (the profile it plays with), named after its storage file.
    static std::u16string MediaInfoFile(std::u16string_view storageFile);
};
