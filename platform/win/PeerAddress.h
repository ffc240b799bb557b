#pragma once
// Where a window of another process of our user listens: its process, its handle in that process and
// the socket its process published for it.
#include "platform/win/Types.h"

#include <sys/types.h>

#include <string>

namespace plat::win {

struct PeerAddress {
    pid_t pid = 0;
    HWND remote = 0;
    std::string socketPath{};
};

} // namespace plat::win
