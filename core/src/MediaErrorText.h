#pragma once
// Result codes of the media layer (COM-style: negative is failure) and their texts, which error kinds
// 1 and 2 of the playback engine report. The media layer adds its own codes here when it arrives.
#include <cstdint>
#include <string>

inline constexpr std::uint32_t kMediaNotImplemented = 0x80004001;
inline constexpr std::uint32_t kMediaNoInterface = 0x80004002;
inline constexpr std::uint32_t kMediaPointer = 0x80004003;
inline constexpr std::uint32_t kMediaAbort = 0x80004004;
inline constexpr std::uint32_t kMediaFail = 0x80004005;
inline constexpr std::uint32_t kMediaUnexpected = 0x8000FFFF;
inline constexpr std::uint32_t kMediaOutOfMemory = 0x8007000E;
inline constexpr std::uint32_t kMediaInvalidArgument = 0x80070057;
inline constexpr std::uint32_t kMediaNotFound = 0x80040216;
inline constexpr std::uint32_t kMediaCannotConnect = 0x80040217;
inline constexpr std::uint32_t kMediaCannotRender = 0x80040218;
inline constexpr std::uint32_t kMediaInvalidFileFormat = 0x8004022F;
inline constexpr std::uint32_t kMediaUnknownFileType = 0x80040240;
inline constexpr std::uint32_t kMediaCannotLoadSource = 0x80040241;
inline constexpr std::uint32_t kMediaUnsupportedStream = 0x80040265;
inline constexpr std::uint32_t kMediaPartialRender = 0x00040242;    // success: some streams not rendered
inline constexpr std::uint32_t kMediaVideoNotRendered = 0x00040257; // success: no video renderer

// Texts are at most this many bytes.
inline constexpr std::size_t kMediaErrorTextBytes = 255;

// The text of a result code; unknown codes get a text that names the code.
std::string MediaErrorText(std::uint32_t result);
