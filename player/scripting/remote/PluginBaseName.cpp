#include "player/scripting/remote/PluginBaseName.h"

std::string PluginBaseName(std::string_view path) {
    const auto separator = path.find_last_of("/\\");
    const auto dot = path.rfind('.');
    if (separator == std::string_view::npos || dot == std::string_view::npos || dot < separator) {
        return std::string(path);
    }
    return std::string(path.substr(separator + 1, dot - separator - 1));
}
