#include "player/ui/TFileAssociations.h"

#include <QMimeDatabase>

#include <algorithm>

TFileAssociations::TFileAssociations(plat::shell::XdgAssociations xdg, std::string program)
    : xdg_(std::move(xdg)), program_(std::move(program)) {}

bool TFileAssociations::Apply(const std::vector<TExtensionEntry>& table, bool force) {
    if (table.empty()) {
        return false;
    }
    bool changed = false;
    for (const TExtensionEntry& entry : table) {
        if (entry.Extension.empty() || entry.Type >= kDesktopIds.size()) {
            continue;
        }
        changed = (entry.Associate ? AssociateExtension(kDesktopIds[entry.Type], entry.Extension)
                                   : UnassociateExtension(entry.Extension)) ||
                  changed;
    }
    if (changed || force) {
        RegisterProgIds(table);
    }
    return true;
}

std::string TFileAssociations::MimeTypeOf(const std::u16string& extension) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(
        QStringLiteral("file") + QString::fromStdU16String(extension), QMimeDatabase::MatchExtension);
    return type.isValid() && !type.isDefault() ? type.name().toStdString() : std::string();
}

std::string TFileAssociations::OurDefault(const std::string& mimeType) const {
    for (const char* id : kDesktopIds) {
        if (xdg_.IsDefault(mimeType, id)) {
            return id;
        }
    }
    return {};
}

bool TFileAssociations::AssociateExtension(const std::string& desktopId,
                                           const std::u16string& extension) const {
    const std::string mimeType = MimeTypeOf(extension);
    if (mimeType.empty() || !OurDefault(mimeType).empty()) {
        return false;
    }
    return xdg_.SetDefault(mimeType, desktopId);
}

bool TFileAssociations::UnassociateExtension(const std::u16string& extension) const {
    const std::string mimeType = MimeTypeOf(extension);
    const std::string ours = mimeType.empty() ? std::string() : OurDefault(mimeType);
    return !ours.empty() && xdg_.RemoveDefault(mimeType, ours);
}

bool TFileAssociations::RegisterProgIds(const std::vector<TExtensionEntry>& table) const {
    bool written = true;
    for (std::size_t kind = 0; kind < kDesktopIds.size(); ++kind) {
        plat::shell::DesktopEntry entry{kDesktopIds[kind], kDescriptions[kind], program_, {}, {}, {}};
        for (const TExtensionEntry& type : table) {
            const std::string mimeType =
                type.Type == kind && type.Associate ? MimeTypeOf(type.Extension) : "";
            if (!mimeType.empty() && std::find(entry.MimeTypes.begin(), entry.MimeTypes.end(), mimeType) ==
                                         entry.MimeTypes.end()) {
                entry.MimeTypes.push_back(mimeType);
            }
        }
        written = xdg_.WriteDesktopEntry(entry) && written;
    }
    return written;
}
