#include "platform/serial/SystemErrorText.h"

#include <cstring>

namespace plat::serial {

std::string SystemErrorText(int error) {
    char buffer[256] = {};
    // The GNU variant answers a pointer that may or may not be the buffer.
    return strerror_r(error, buffer, sizeof buffer);
}

} // namespace plat::serial
