#pragma once
// The system's text for an error number, in the neutral (C) language.
#include <string>

namespace plat::serial {

std::string SystemErrorText(int error);

} // namespace plat::serial
