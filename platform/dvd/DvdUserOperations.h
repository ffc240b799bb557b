#pragma once
// The disc's prohibited user operations as the core's flag mask, and the flag each operation needs.
#include "platform/dvd/DvdTypes.h"

#include <dvdread/ifo_types.h>

namespace plat::dvd {

class DvdUserOperations {
public:
    // The mask of the operations the disc prohibits (a set bit prohibits), from the named fields.
    static std::uint32_t ProhibitedMask(const user_ops_t& operations);
    // The flag that prohibits showing the menu.
    static std::uint32_t MenuFlag(DvdMenuId menu);
};

} // namespace plat::dvd
