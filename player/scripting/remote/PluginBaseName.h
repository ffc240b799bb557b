#pragma once
// The name a plug-in is known by (its key in the settings): the part of the path between the last
// separator and the last dot; the whole path when there is no separator, no dot, or the dot stands
// before the separator.
#include <string>
#include <string_view>

std::string PluginBaseName(std::string_view path);
