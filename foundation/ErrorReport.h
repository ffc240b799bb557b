#pragma once
// The program-wide error sink and ReportError, the one call by which model code reports an error.
#include "foundation/IErrorSink.h"
#include "platform/text/Format.h"

#include <array>
#include <cstdint>

// Installs the sink reports go to; nullptr removes it (reports then go nowhere). The caller keeps the
// sink alive while it is installed.
void InstallErrorSink(IErrorSink* sink);
// The installed sink, nullptr when there is none.
IErrorSink* InstalledErrorSink();

// Formats and reports through the installed sink; nothing when there is none. A text that must not be
// read as a format is passed as the argument of u"%s".
template <class... Args>
void ReportError(int8_t level, plat::text::WFormatString<Args...> format, const Args&... args) {
    if (IErrorSink* sink = InstalledErrorSink()) {
        const std::array<plat::text::FormatArg, sizeof...(Args)> captured{plat::text::MakeArg(args)...};
        sink->Report(level, format.get(), captured);
    }
}
