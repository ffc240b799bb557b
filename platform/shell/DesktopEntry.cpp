#include "platform/shell/DesktopEntry.h"

#include <algorithm>
#include <string_view>

namespace plat::shell {
namespace {

bool HasControl(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

bool IsIdChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_' || c == '-';
}

bool IsMimeToken(std::string_view token) {
    return !token.empty() && std::all_of(token.begin(), token.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               std::string_view("!#$&^_.+-").find(c) != std::string_view::npos;
    });
}

// A value of the string type: backslashes doubled, as the format asks.
std::string EscapeValue(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\') {
            out += "\\\\";
        } else {
            out += c;
        }
    }
    return out;
}

// One Exec argument: quoted when it holds a reserved character, with '"', '`', '$' and '\' escaped
// inside the quotes; '%' doubled so it is not taken for a field code.
std::string ExecArgument(std::string_view argument) {
    constexpr std::string_view kReserved = " \t\"'\\><~|&;$*?#()`";
    std::string body;
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            body += '\\';
        }
        body += c;
        if (c == '%') {
            body += '%';
        }
    }
    const bool quote = argument.empty() || argument.find_first_of(kReserved) != std::string_view::npos;
    return quote ? '"' + body + '"' : body;
}

} // namespace

bool IsDesktopId(const std::string& id) {
    constexpr std::string_view kSuffix = ".desktop";
    return id.size() > kSuffix.size() && id.size() <= 255 && id.ends_with(kSuffix) && id.front() != '.' &&
           std::all_of(id.begin(), id.end(), IsIdChar);
}

bool IsMimeType(const std::string& mimeType) {
    const std::size_t slash = mimeType.find('/');
    return slash != std::string::npos && mimeType.size() <= 255 &&
           IsMimeToken(std::string_view(mimeType).substr(0, slash)) &&
           IsMimeToken(std::string_view(mimeType).substr(slash + 1));
}

bool DesktopEntry::IsValid() const {
    const bool fieldsClean =
        !HasControl(Name) && !HasControl(Program) && !HasControl(Icon) &&
        std::none_of(Arguments.begin(), Arguments.end(), [](const std::string& a) { return HasControl(a); });
    return IsDesktopId(Id) && !Name.empty() && Program.starts_with('/') && fieldsClean &&
           std::all_of(MimeTypes.begin(), MimeTypes.end(), IsMimeType);
}

std::string DesktopEntry::Text() const {
    std::string exec = ExecArgument(Program);
    for (const std::string& argument : Arguments) {
        exec += ' ' + ExecArgument(argument);
    }
    exec += " %F";
    std::string text = "[Desktop Entry]\nType=Application\nVersion=1.0\nName=" + EscapeValue(Name) +
                       "\nExec=" + EscapeValue(exec) + "\nTerminal=false\n";
    if (!Icon.empty()) {
        text += "Icon=" + EscapeValue(Icon) + "\n";
    }
    text += "MimeType=";
    for (const std::string& mimeType : MimeTypes) {
        text += mimeType + ';';
    }
    return text + "\n";
}

} // namespace plat::shell
