#include "player/model/errors/TErrorControl.h"

#include "player/model/errors/TStderrMessageBox.h"

#include <array>

namespace {

ISystemMessageBox& DefaultMessageBox() {
    static TStderrMessageBox box;
    return box;
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

} // namespace

TErrorControl::TErrorControl() : messageBox_(&DefaultMessageBox()) {}

void TErrorControl::Report(int8_t level, const char16_t* format,
                           std::span<const plat::text::FormatArg> args) {
    std::array<char16_t, kMaxTextUnits + 1> text{};
    const int written =
        plat::text::FormatBounded(text.data(), kMaxTextUnits, format != nullptr ? format : u"", args);
    size_t length = written < 0 ? kMaxTextUnits : static_cast<size_t>(written);
    // A cut text does not end inside a surrogate pair.
    if (written < 0 && IsHighSurrogate(text[length - 1])) {
        --length;
    }
    text[length] = 0;
    if (listeners_.Count > 0) {
        TCallbackFunction::Broadcast(&listeners_, kErrorEvent, reinterpret_cast<intptr_t>(text.data()), level,
                                     0);
    } else if (level != kListenerOnlyLevel) {
        messageBox_->Show(text.data(), u"Error :", ISystemMessageBox::kErrorStyle);
    }
}

int32_t TErrorControl::AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback) {
    return TCallbackFunction::Register(&listeners_, userData, tag, callback);
}

void TErrorControl::SetMessageBox(ISystemMessageBox* box) {
    messageBox_ = box != nullptr ? box : &DefaultMessageBox();
}
