#include "platform/win/Debug.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace plat::win {
namespace {

std::string Captured(const std::function<void()>& write) {
    ::testing::internal::CaptureStderr();
    write();
    return ::testing::internal::GetCapturedStderr();
}

TEST(Debug, OutputGoesToStandardErrorOnlyWhenEnabled) {
    ::unsetenv("TOVRIN_DEBUG_OUTPUT");
    EXPECT_EQ(Captured([] {
                  OutputDebugString("hidden\n");
                  OutputDebugString(u"hidden too\n");
              }),
              "");
    ::setenv("TOVRIN_DEBUG_OUTPUT", "1", 1);
    EXPECT_EQ(Captured([] {
                  OutputDebugString("plain ");
                  OutputDebugString(u"wide \u00e9\u20ac\n");
              }),
              "plain wide \xC3\xA9\xE2\x82\xAC\n");
    ::unsetenv("TOVRIN_DEBUG_OUTPUT");
}

} // namespace
} // namespace plat::win
