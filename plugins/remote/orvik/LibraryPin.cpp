#include "plugins/remote/orvik/LibraryPin.h"

#include <dlfcn.h>

namespace orvik {

bool PinOwnLibrary() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&PinOwnLibrary), &info) == 0 || info.dli_fname == nullptr) {
        return false;
    }
    // A no-delete reference to the already loaded library: later closes leave it mapped. The handle
    // itself is not kept; the reference lasts as long as the process.
    return dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE) != nullptr;
}

} // namespace orvik
