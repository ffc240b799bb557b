#pragma once
// Where model code reports its errors and notices: the programs' error control implements it and
// installs itself (InstallErrorSink), so that libraries report without knowing which program runs them.
#include "platform/text/Format.h"

#include <cstdint>
#include <span>

class IErrorSink {
public:
    // Level of texts meant only for those who listen (traces), never shown in a message box.
    static constexpr int8_t kListenerOnlyLevel = 6;

    virtual ~IErrorSink() = default;
    // Formats the text and hands it on.
    virtual void Report(int8_t level, const char16_t* format,
                        std::span<const plat::text::FormatArg> args) = 0;
};
