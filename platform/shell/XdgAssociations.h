#pragma once
// File associations for the user, the XDG way: the program's desktop entry in
// "$XDG_DATA_HOME/applications" (default ~/.local/share) and its defaults in
// "$XDG_CONFIG_HOME/mimeapps.list" (default ~/.config). Every write goes to a new file renamed over
// the old one and answers false when any part of it fails; nothing is held open between calls.
#include "platform/shell/DesktopEntry.h"

#include <string>

namespace plat::shell {

class XdgAssociations {
public:
    // The user's folders from the environment.
    XdgAssociations();
    XdgAssociations(std::string dataHome, std::string configHome);

    std::string DesktopEntryPath(const std::string& desktopId) const;
    std::string MimeAppsPath() const;

    // Writes the entry (refused when not valid), creating the folders it needs.
    bool WriteDesktopEntry(const DesktopEntry& entry) const;
    // Removes the entry's file; true when it is gone (or was never there).
    bool RemoveDesktopEntry(const std::string& desktopId) const;
    // Makes the application the default for the MIME type. False for an unusable type or id, an
    // unreadable or oversized list, or a failed write (the list is then as it was).
    bool SetDefault(const std::string& mimeType, const std::string& desktopId) const;
    // Takes the application out of the type's defaults (as above for failures).
    bool RemoveDefault(const std::string& mimeType, const std::string& desktopId) const;
    // Whether the list names the application first among the type's defaults.
    bool IsDefault(const std::string& mimeType, const std::string& desktopId) const;

private:
    std::string DataHome;
    std::string ConfigHome;
};

} // namespace plat::shell
