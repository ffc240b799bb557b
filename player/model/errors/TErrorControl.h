#pragma once
// The one place where the programs report errors and notices. A report is formatted and given to the
// listeners as player event 32 (a = the text, b = the level); when nobody listens the text goes to the
// system message box, unless its level is 6 (texts meant only for listeners).
#include "foundation/IErrorSink.h"
#include "platform/text/Format.h"
#include "player/model/errors/ISystemMessageBox.h"
#include "player/model/events/TCallbackFunction.h"

#include <cstdint>
#include <span>

class TErrorControl : public IErrorSink {
public:
    static constexpr uint32_t kErrorEvent = 32;
    // Longest text handed on, in UTF-16 units.
    static constexpr size_t kMaxTextUnits = 4095;

    TErrorControl();
    TErrorControl(const TErrorControl&) = delete;
    TErrorControl& operator=(const TErrorControl&) = delete;

    // Formats the text (cut to kMaxTextUnits) and hands it on. The text given with event 32 lives only
    // for the broadcast; a listener that keeps it copies it. b is the level sign-extended.
    void Report(int8_t level, const char16_t* format, std::span<const plat::text::FormatArg> args) override;

    // Registers a listener, or with no callback removes the first one with that user data.
    int32_t AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback);

    // Installs the box shown when nobody listens; nullptr restores the default (standard error).
    // The caller keeps the box alive while it is installed.
    void SetMessageBox(ISystemMessageBox* box);

private:
    TPointer<TCallbackFunction> listeners_;
    ISystemMessageBox* messageBox_;
};
