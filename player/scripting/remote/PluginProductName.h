#pragma once
// Reads a plug-in's product name (the exported text tovplug_ProductName) straight from its ELF file,
// so that listing plug-ins runs none of their code. The file is outside input: every offset and size
// is checked against the file before it is used.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The name as UTF-8, at most kMaxPluginProductName bytes; nothing when the file is not a 64-bit
// little-endian ELF file, has no such symbol, or the symbol's text does not lie in the file.
std::optional<std::string> ReadPluginProductName(const std::string& path);
std::optional<std::string> ParsePluginProductName(std::string_view image);

inline constexpr std::size_t kMaxPluginProductName = 255;
