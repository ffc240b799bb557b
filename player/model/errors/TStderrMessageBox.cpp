#include "player/model/errors/TStderrMessageBox.h"

#include "platform/text/CodePage.h"
#include "platform/text/WideString.h"

#include <cstdio>

void TStderrMessageBox::Show(const char16_t* text, const char16_t* caption, uint32_t style) {
    using plat::text::WideToAnsi;
    const std::string line = WideToAnsi(caption != nullptr ? caption : u"") + " " +
                             WideToAnsi(text != nullptr ? text : u"") + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}
