#pragma once
// A desktop entry for an application (the XDG file "<id>.desktop"), as the file associations write
// it: the program and its fixed arguments, with the files to open appended ("%F").
#include <string>
#include <vector>

namespace plat::shell {

struct DesktopEntry {
    std::string Id;      // "name.desktop": letters, digits, '.', '_', '-'
    std::string Name;    // shown to the user
    std::string Program; // absolute path
    std::vector<std::string> Arguments;
    std::string Icon; // a path or an icon name; may be empty
    std::vector<std::string> MimeTypes;

    // Whether every field can be written: a usable id, a name, an absolute program path, MIME types of
    // the form type/subtype, and no control characters anywhere.
    bool IsValid() const;
    // The file's text (valid entries only).
    std::string Text() const;
};

// Whether the text is a desktop-file id ("name.desktop" of letters, digits, '.', '_', '-').
bool IsDesktopId(const std::string& id);
// Whether the text is a MIME type ("type/subtype" of the characters MIME allows, lower case).
bool IsMimeType(const std::string& mimeType);

} // namespace plat::shell
