#include "player/ui/StartCommandLine.h"

#include "platform/text/CaseFold.h"
#include "platform/text/Path.h"
#include "player/ui/TCommandLine.h"

#include <array>
#include <filesystem>
#include <string_view>

namespace {

// Options whose value is a path or a name that may hold blanks and slashes.
constexpr std::array<std::string_view, 4> kPathOptions = {"O:", "SKIN:", "CONFIG:", "AR:"};
// Options kept as they are.
constexpr std::array<std::string_view, 10> kPlainOptions = {
    "SM:", "NOPLUG", "IR:", "NOINTERFACE", "SILENT", "EDITMODE:", "RESETWINPOS", "CMD:", "DS", "SILENTOFF"};

bool HasKeyword(std::string_view option, std::string_view keyword) {
    return plat::text::StartsWithNoCaseA(option, keyword);
}

std::string QuotedValue(std::string_view keyword, std::string_view value) {
    if (!value.empty() && value.front() == '"') {
        return "/" + std::string(keyword) + std::string(value);
    }
    return "/" + std::string(keyword) + TCommandLine::Quote(value);
}

// A play-list value stays as it is when it is a command of its own (DEL:, CLEAR, a queue number).
std::string PlaylistOption(std::string_view value) {
    if (HasKeyword(value, "DEL:") || HasKeyword(value, "CLEAR") || TCommandLine::IsQueueNumber(value) ||
        value.front() == '"') {
        return "/PL:" + std::string(value);
    }
    return "/PL:" + TCommandLine::Quote(value);
}

// The option rebuilt, or nothing when the argument is not an option of the language.
std::string Option(std::string_view argument) {
    std::error_code error;
    if (argument.size() < 2 || argument.front() != '/' || std::filesystem::exists(argument, error)) {
        return {};
    }
    const std::string_view option = argument.substr(1);
    if (HasKeyword(option, "PL:")) {
        const std::string_view value = option.substr(3);
        return value.empty() ? std::string(argument) : PlaylistOption(value);
    }
    for (const std::string_view keyword : kPathOptions) {
        if (HasKeyword(option, keyword)) {
            const std::string_view value = option.substr(keyword.size());
            return value.empty() ? std::string(argument)
                                 : QuotedValue(argument.substr(1, keyword.size()), value);
        }
    }
    for (const std::string_view keyword : kPlainOptions) {
        if (keyword == "DS" ? argument == "/ds" : HasKeyword(option, keyword)) {
            return std::string(argument);
        }
    }
    return {};
}

// One file opens; several fill the play list afresh and play it from the top.
std::string FilesPart(const std::vector<std::string>& files) {
    if (files.size() == 1) {
        return "/O:" + TCommandLine::Quote(files.front());
    }
    if (files.empty()) {
        return {};
    }
    std::string text = "/PL:clear";
    for (const std::string& file : files) {
        text += " /PL:" + TCommandLine::Quote(file);
    }
    return text + " /PL:1";
}

} // namespace

std::string StartCommandLine::Build(const std::vector<std::string>& arguments,
                                    const std::string& currentFolder) {
    std::vector<std::string> parts;
    std::vector<std::string> files;
    std::size_t filesAt = 0;
    for (const std::string& argument : arguments) {
        std::string part = Option(argument);
        if (!part.empty()) {
            parts.push_back(std::move(part));
        } else if (!argument.empty()) {
            if (files.empty()) {
                filesAt = parts.size();
            }
            files.push_back(plat::text::path::IsAbsolute(argument)
                                ? argument
                                : plat::text::path::Join(currentFolder, argument));
        }
    }
    parts.insert(parts.begin() + static_cast<std::ptrdiff_t>(filesAt), FilesPart(files));
    std::string text;
    for (const std::string& part : parts) {
        if (!part.empty()) {
            text += (text.empty() ? "" : " ") + part;
        }
    }
    return text;
}

bool StartCommandLine::UsesDefaultSkin(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        if (argument == "/ds") {
            return true;
        }
    }
    return false;
}
