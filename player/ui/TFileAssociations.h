#pragma once
// The file types of the settings associated with the player on the desktop, the XDG way: one desktop
// entry per kind of file ("tovrin-video.desktop", ...) and the player as the first default of each
// associated type's MIME type in the user's "mimeapps.list". The defaults the user had stay behind
// the player's, so releasing a type brings the user's earlier default back.
#include "platform/shell/XdgAssociations.h"
#include "player/model/settings/TExtensionEntry.h"

#include <array>
#include <string>
#include <vector>

class TFileAssociations {
public:
    // The desktop entries of the five kinds of file types, by kind.
    static constexpr std::array<const char*, 5> kDesktopIds = {
        "tovrin-archivescripts.desktop", "tovrin-video.desktop", "tovrin-audio.desktop", "tovrin-iso.desktop",
        "tovrin-playlist.desktop"};
    static constexpr std::array<const char*, 5> kDescriptions = {
        "Tovrin Archive Scripts", "Tovrin Video files", "Tovrin Audio files", "Tovrin ISO Image files",
        "Tovrin Playlist files"};

    // `program` is the player's absolute path, which the desktop entries run.
    TFileAssociations(plat::shell::XdgAssociations xdg, std::string program);

    // Associates each entry with IsAsso and releases each entry without it (entries of unknown kinds
    // or without extension are skipped); when something changed, or when forced, writes the desktop
    // entries. False when the table is empty.
    bool Apply(const std::vector<TExtensionEntry>& table, bool force);
    // Makes the player the default for the extension's MIME type unless one of its entries already is;
    // true when the list changed.
    bool AssociateExtension(const std::string& desktopId, const std::u16string& extension) const;
    // Takes the player out of the defaults of the extension's MIME type when it is the default there;
    // true when the list changed.
    bool UnassociateExtension(const std::u16string& extension) const;
    // Writes the five desktop entries, each listing the MIME types of its kind's associated entries.
    bool RegisterProgIds(const std::vector<TExtensionEntry>& table) const;

    // The MIME type the desktop gives files of that extension; empty when it knows none.
    static std::string MimeTypeOf(const std::u16string& extension);

private:
    // The player's entry that is the type's first default; empty when none is.
    std::string OurDefault(const std::string& mimeType) const;

    plat::shell::XdgAssociations xdg_;
    std::string program_;
};
