#pragma once
// The two program-wide objects of the player model, the error control and the core binding, and
// ReportError, the one call by which client code reports an error.
#include "platform/text/Format.h"
#include "player/model/binding/TSendToCore.h"
#include "player/model/errors/TErrorControl.h"

#include <array>
#include <cstdint>
#include <memory>

// Creates the error control and the binding (no library loaded yet), each unless it exists. A program
// gives its own binding to use a variant of it; by default a plain TSendToCore is made.
void CreatePlayerGlobals(std::unique_ptr<TSendToCore> binding = nullptr);
// Destroys both; the programs unload the library first (TMainControl::Stop).
void DestroyPlayerGlobals();

// The program-wide objects, nullptr when they do not exist.
TErrorControl* ErrorControl();
TSendToCore* SendToCore();

// Formats and reports through the program-wide error control; nothing when there is none. A text
// that must not be read as a format is passed as the argument of u"%s".
template <class... Args>
void ReportError(int8_t level, plat::text::WFormatString<Args...> format, const Args&... args) {
    if (TErrorControl* control = ErrorControl()) {
        const std::array<plat::text::FormatArg, sizeof...(Args)> captured{plat::text::MakeArg(args)...};
        control->Report(level, format.get(), captured);
    }
}
