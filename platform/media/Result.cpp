#include "platform/media/Result.h"

#include <gst/gst.h>

#include <cstdio>
#include <utility>

namespace plat::media {

namespace {

HResult FromResourceError(int code) {
    switch (code) {
    case GST_RESOURCE_ERROR_NOT_FOUND:
        return FILE_NOT_FOUND_RESULT;
    case GST_RESOURCE_ERROR_OPEN_READ:
    case GST_RESOURCE_ERROR_OPEN_READ_WRITE:
    case GST_RESOURCE_ERROR_READ:
        return VFW_E_CANNOT_LOAD_SOURCE_FILTER;
    case GST_RESOURCE_ERROR_NO_SPACE_LEFT:
        return E_OUTOFMEMORY;
    default:
        return E_FAIL;
    }
}

HResult FromStreamError(int code) {
    switch (code) {
    case GST_STREAM_ERROR_TYPE_NOT_FOUND:
        return VFW_E_UNKNOWN_FILE_TYPE;
    case GST_STREAM_ERROR_WRONG_TYPE:
    case GST_STREAM_ERROR_CODEC_NOT_FOUND:
    case GST_STREAM_ERROR_NOT_IMPLEMENTED:
        return VFW_E_UNSUPPORTED_STREAM;
    case GST_STREAM_ERROR_DEMUX:
    case GST_STREAM_ERROR_DECODE:
    case GST_STREAM_ERROR_FORMAT:
        return VFW_E_INVALID_FILE_FORMAT;
    default:
        return E_FAIL;
    }
}

} // namespace

HResult ResultFromGError(const GError* error) {
    if (error == nullptr) {
        return E_FAIL;
    }
    if (error->domain == GST_RESOURCE_ERROR) {
        return FromResourceError(error->code);
    }
    if (error->domain == GST_STREAM_ERROR) {
        return FromStreamError(error->code);
    }
    if (error->domain == GST_CORE_ERROR && error->code == GST_CORE_ERROR_MISSING_PLUGIN) {
        return VFW_E_UNSUPPORTED_STREAM;
    }
    return E_FAIL;
}

std::string_view ResultName(HResult hr) {
    static constexpr std::pair<HResult, std::string_view> names[] = {
        {S_OK, "S_OK"},
        {S_FALSE, "S_FALSE"},
        {E_NOTIMPL, "E_NOTIMPL"},
        {E_NOINTERFACE, "E_NOINTERFACE"},
        {E_POINTER, "E_POINTER"},
        {E_FAIL, "E_FAIL"},
        {E_UNEXPECTED, "E_UNEXPECTED"},
        {E_OUTOFMEMORY, "E_OUTOFMEMORY"},
        {E_INVALIDARG, "E_INVALIDARG"},
        {REGDB_E_CLASSNOTREG, "REGDB_E_CLASSNOTREG"},
        {VFW_E_INVALIDMEDIATYPE, "VFW_E_INVALIDMEDIATYPE"},
        {VFW_E_ALREADY_CONNECTED, "VFW_E_ALREADY_CONNECTED"},
        {VFW_E_NO_ACCEPTABLE_TYPES, "VFW_E_NO_ACCEPTABLE_TYPES"},
        {VFW_E_INVALID_DIRECTION, "VFW_E_INVALID_DIRECTION"},
        {VFW_E_NOT_CONNECTED, "VFW_E_NOT_CONNECTED"},
        {VFW_E_NOT_FOUND, "VFW_E_NOT_FOUND"},
        {VFW_E_CANNOT_CONNECT, "VFW_E_CANNOT_CONNECT"},
        {VFW_E_CANNOT_RENDER, "VFW_E_CANNOT_RENDER"},
        {VFW_E_WRONG_STATE, "VFW_E_WRONG_STATE"},
        {VFW_E_TYPE_NOT_ACCEPTED, "VFW_E_TYPE_NOT_ACCEPTED"},
        {VFW_E_TIMEOUT, "VFW_E_TIMEOUT"},
        {VFW_E_INVALID_FILE_FORMAT, "VFW_E_INVALID_FILE_FORMAT"},
        {VFW_E_UNKNOWN_FILE_TYPE, "VFW_E_UNKNOWN_FILE_TYPE"},
        {VFW_E_CANNOT_LOAD_SOURCE_FILTER, "VFW_E_CANNOT_LOAD_SOURCE_FILTER"},
        {VFW_E_UNSUPPORTED_STREAM, "VFW_E_UNSUPPORTED_STREAM"},
        {VFW_S_PARTIAL_RENDER, "VFW_S_PARTIAL_RENDER"},
        {VFW_S_STATE_INTERMEDIATE, "VFW_S_STATE_INTERMEDIATE"},
        {VFW_S_VIDEO_NOT_RENDERED, "VFW_S_VIDEO_NOT_RENDERED"},
        {VFW_S_AUDIO_NOT_RENDERED, "VFW_S_AUDIO_NOT_RENDERED"},
        {FILE_NOT_FOUND_RESULT, "HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)"},
        {PATH_NOT_FOUND_RESULT, "HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)"},
    };
    for (const auto& [code, name] : names) {
        if (code == hr) {
            return name;
        }
    }
    thread_local char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return text;
}

} // namespace plat::media
