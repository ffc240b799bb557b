#include "platform/media/Result.h"

#include <gst/gst.h>
#include <gtest/gtest.h>

namespace plat::media {
namespace {

TEST(ResultTest, SuccessAndFailureFollowTheSign) {
    EXPECT_TRUE(Succeeded(S_OK));
    EXPECT_TRUE(Succeeded(S_FALSE));
    EXPECT_TRUE(Succeeded(VFW_S_PARTIAL_RENDER));
    EXPECT_TRUE(Failed(E_FAIL));
    EXPECT_TRUE(Failed(VFW_E_NOT_FOUND));
    EXPECT_EQ(static_cast<std::uint32_t>(PATH_NOT_FOUND_RESULT), 0x80070003u);
    EXPECT_EQ(static_cast<std::uint32_t>(FILE_NOT_FOUND_RESULT), 0x80070002u);
}

TEST(ResultTest, MapsGStreamerErrors) {
    struct Case {
        GQuark domain;
        int code;
        HResult expected;
    };
    const Case cases[] = {
        {GST_RESOURCE_ERROR, GST_RESOURCE_ERROR_NOT_FOUND, FILE_NOT_FOUND_RESULT},
        {GST_RESOURCE_ERROR, GST_RESOURCE_ERROR_OPEN_READ, VFW_E_CANNOT_LOAD_SOURCE_FILTER},
        {GST_STREAM_ERROR, GST_STREAM_ERROR_TYPE_NOT_FOUND, VFW_E_UNKNOWN_FILE_TYPE},
        {GST_STREAM_ERROR, GST_STREAM_ERROR_CODEC_NOT_FOUND, VFW_E_UNSUPPORTED_STREAM},
        {GST_STREAM_ERROR, GST_STREAM_ERROR_DEMUX, VFW_E_INVALID_FILE_FORMAT},
        {GST_CORE_ERROR, GST_CORE_ERROR_MISSING_PLUGIN, VFW_E_UNSUPPORTED_STREAM},
        {GST_LIBRARY_ERROR, GST_LIBRARY_ERROR_INIT, E_FAIL},
    };
    for (const Case& c : cases) {
        GError* error = g_error_new_literal(c.domain, c.code, "test");
        EXPECT_EQ(ResultFromGError(error), c.expected) << ResultName(c.expected);
        g_error_free(error);
    }
    EXPECT_EQ(ResultFromGError(nullptr), E_FAIL);
}

TEST(ResultTest, NamesCodes) {
    EXPECT_EQ(ResultName(VFW_E_NOT_FOUND), "VFW_E_NOT_FOUND");
    EXPECT_EQ(ResultName(MakeResult(0x80041234u)), "0x80041234");
}

} // namespace
} // namespace plat::media
