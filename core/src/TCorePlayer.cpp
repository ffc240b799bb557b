#include "core/src/TCorePlayer.h"

#include "core/src/framework/TCoreLogFile.h"
#include "platform/text/CodePage.h"

namespace win = plat::win;

TCorePlayer::TCorePlayer(TCoreObject* owner) : TCoreWindow(owner) {
    SetStyle(win::WS_POPUP);
    SetExStyle(win::WS_EX_TOOLWINDOW);
    CreateDefault("PlayerControl", "", 0);
}

TCorePlayer::~TCorePlayer() = default;

int TCorePlayer::SendOrder(std::uint32_t order, void* record, void** out) {
    return dispatcher_.Dispatch(order, record, out);
}

void TCorePlayer::SetLogFile(std::string_view name) {
    TCoreLogFile& log = TCoreLogFile::Instance();
    log.SetPath(plat::text::AnsiToWide(name).c_str());
    log.SetEnabled(true);
    log.WriteNarrow(nullptr);
}
