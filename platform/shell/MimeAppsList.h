#pragma once
// The text of an XDG "mimeapps.list": groups of "type/subtype=app.desktop;other.desktop;" lines.
// Changes touch only the keys they are about; other lines, comments and groups stay as they were.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace plat::shell {

class MimeAppsList {
public:
    static constexpr std::size_t kMaxSize = 1024 * 1024;
    static constexpr char kDefaults[] = "Default Applications";
    static constexpr char kAdded[] = "Added Associations";
    static constexpr char kRemoved[] = "Removed Associations";

    // Takes the file's text; false, with nothing taken, when it is larger than kMaxSize.
    bool Parse(std::string_view text);
    std::string Text() const;

    // Makes the application the default for the MIME type: first in its default and added lists,
    // and no longer in its removed list.
    void SetDefault(const std::string& mimeType, const std::string& desktopId);
    // Takes the application out of the type's default and added lists (keys left empty go).
    void RemoveDefault(const std::string& mimeType, const std::string& desktopId);
    // The applications listed for the type in the group, in order.
    std::vector<std::string> Applications(std::string_view group, const std::string& mimeType) const;

private:
    // The index of the group's header line, or npos.
    std::size_t FindGroup(std::string_view group) const;
    // The index of the key's line in the group, or npos.
    std::size_t FindKey(std::string_view group, const std::string& key) const;
    // Writes the list (removes the key for an empty list), adding the group when it is missing.
    void SetApplications(std::string_view group, const std::string& mimeType,
                         const std::vector<std::string>& ids);

    std::vector<std::string> Lines;
};

} // namespace plat::shell
