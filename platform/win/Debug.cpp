#include "platform/win/Debug.h"

#include "platform/text/CodePage.h"

#include <cstdio>
#include <cstdlib>

namespace plat::win {

namespace {

bool Enabled() {
    return std::getenv("TOVRIN_DEBUG_OUTPUT") != nullptr;
}

void Write(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

} // namespace

void OutputDebugString(std::string_view text) {
    if (Enabled()) {
        Write(text);
    }
}

void OutputDebugString(std::u16string_view text) {
    if (Enabled()) {
        Write(text::WideToAnsi(text));
    }
}

} // namespace plat::win
