#pragma once
// The private folder in which the programs of one user meet: published windows and single-instance
// locks. TOVRIN_RUNTIME_DIR names it (tests give each run its own), else $XDG_RUNTIME_DIR/tovrin, else
// /tmp/tovrin-<uid>. It is created with mode 0700 and used only when it is a real folder owned by
// the user that nobody else may enter.
#include <string>

namespace plat::win {

// The folder without a trailing slash; empty when it cannot be made or is not safe to use.
std::string RuntimeFolder();

} // namespace plat::win
