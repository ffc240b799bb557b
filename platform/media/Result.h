#pragma once
// Result codes in the HRESULT layout (negative = failure) as the core's error tables expect them.
#include <cstdint>
#include <string_view>

typedef struct _GError GError;

namespace plat::media {

using HResult = std::int32_t;

constexpr HResult MakeResult(std::uint32_t bits) {
    return static_cast<HResult>(bits);
}
constexpr bool Succeeded(HResult hr) {
    return hr >= 0;
}
constexpr bool Failed(HResult hr) {
    return hr < 0;
}
constexpr HResult ResultFromWin32(std::uint32_t error) {
    return MakeResult(0x80070000u | (error & 0xFFFFu));
}

constexpr std::uint32_t ERROR_FILE_NOT_FOUND = 2;
constexpr std::uint32_t ERROR_PATH_NOT_FOUND = 3;

constexpr HResult S_OK = 0;
constexpr HResult S_FALSE = 1;
constexpr HResult E_NOTIMPL = MakeResult(0x80004001u);
constexpr HResult E_NOINTERFACE = MakeResult(0x80004002u);
constexpr HResult E_POINTER = MakeResult(0x80004003u);
constexpr HResult E_FAIL = MakeResult(0x80004005u);
constexpr HResult E_UNEXPECTED = MakeResult(0x8000FFFFu);
constexpr HResult E_OUTOFMEMORY = MakeResult(0x8007000Eu);
constexpr HResult E_INVALIDARG = MakeResult(0x80070057u);
constexpr HResult REGDB_E_CLASSNOTREG = MakeResult(0x80040154u);

constexpr HResult VFW_E_INVALIDMEDIATYPE = MakeResult(0x80040200u);
constexpr HResult VFW_E_ALREADY_CONNECTED = MakeResult(0x80040204u);
constexpr HResult VFW_E_NO_ACCEPTABLE_TYPES = MakeResult(0x80040207u);
constexpr HResult VFW_E_INVALID_DIRECTION = MakeResult(0x80040208u);
constexpr HResult VFW_E_NOT_CONNECTED = MakeResult(0x80040209u);
constexpr HResult VFW_E_NOT_FOUND = MakeResult(0x80040216u);
constexpr HResult VFW_E_CANNOT_CONNECT = MakeResult(0x80040217u);
constexpr HResult VFW_E_CANNOT_RENDER = MakeResult(0x80040218u);
constexpr HResult VFW_E_WRONG_STATE = MakeResult(0x80040227u);
constexpr HResult VFW_E_TYPE_NOT_ACCEPTED = MakeResult(0x8004022Au);
constexpr HResult VFW_E_TIMEOUT = MakeResult(0x8004022Eu);
constexpr HResult VFW_E_INVALID_FILE_FORMAT = MakeResult(0x8004022Fu);
constexpr HResult VFW_E_UNKNOWN_FILE_TYPE = MakeResult(0x80040240u);
constexpr HResult VFW_E_CANNOT_LOAD_SOURCE_FILTER = MakeResult(0x80040241u);
constexpr HResult VFW_E_UNSUPPORTED_STREAM = MakeResult(0x80040265u);
constexpr HResult VFW_S_PARTIAL_RENDER = MakeResult(0x00040242u);
constexpr HResult VFW_S_STATE_INTERMEDIATE = MakeResult(0x00040237u);
constexpr HResult VFW_S_VIDEO_NOT_RENDERED = MakeResult(0x00040257u);
constexpr HResult VFW_S_AUDIO_NOT_RENDERED = MakeResult(0x00040258u);

constexpr HResult FILE_NOT_FOUND_RESULT = ResultFromWin32(ERROR_FILE_NOT_FOUND);
constexpr HResult PATH_NOT_FOUND_RESULT = ResultFromWin32(ERROR_PATH_NOT_FOUND);

// The result that stands for a GStreamer error (domain and code of the GError).
HResult ResultFromGError(const GError* error);

// The constant's name ("VFW_E_NOT_FOUND"), or "0x%08X" for codes without a name: for logs and test output.
std::string_view ResultName(HResult hr);

} // namespace plat::media
