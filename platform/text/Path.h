#pragma once
// Path helpers: parsing accepts both '\' and '/', paths are written with '/'. Program data is found
// without regard to case, as on Windows. Paths are UTF-8 (the ANSI code page).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat::text::path {

bool IsSeparator(char c);

// The non-empty components of a path ("a\\b//c" -> a, b, c).
std::vector<std::string> Split(std::string_view path);

// Turns every '\' into '/' and collapses repeated separators; keeps a leading '/'.
std::string Normalize(std::string_view path);

// Joins two parts with exactly one '/' between them; an absolute second part wins.
std::string Join(std::string_view base, std::string_view relative);

bool IsAbsolute(std::string_view path);

// The last component ("dir/name.ext" -> "name.ext"), the folder before it without a trailing
// separator ("dir"), the extension with its dot (".ext", empty when none) and the name without it.
std::string FileName(std::string_view path);
std::string Folder(std::string_view path);
std::string Extension(std::string_view path);
std::string StripExtension(std::string_view path);

// Resolves a relative path below an existing folder, matching each component without regard to
// case; an exact match wins. Nothing when a component is missing. An absolute path is looked up
// from the root.
std::optional<std::string> FindNoCase(std::string_view folder, std::string_view relative);

} // namespace plat::text::path
