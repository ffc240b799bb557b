#include "platform/shell/XdgAssociations.h"

#include "foundation/FileIo.h"
#include "platform/shell/MimeAppsList.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace plat::shell {
namespace {

// The variable's value when it is an absolute path (the XDG rule), else the home-based default.
std::string XdgFolder(const char* variable, const char* homeRelative) {
    const char* value = std::getenv(variable);
    if (value && value[0] == '/') {
        return value;
    }
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + homeRelative;
}

bool MakeFolders(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return !error && std::filesystem::is_directory(folder, error);
}

// The list as stored: empty when there is no file yet; none when it cannot be read or is too large.
std::optional<MimeAppsList> ReadList(const std::string& path) {
    MimeAppsList list;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return errno == ENOENT ? std::optional<MimeAppsList>(list) : std::nullopt;
    }
    std::string text;
    if (!S_ISREG(info.st_mode) || info.st_size > static_cast<off_t>(MimeAppsList::kMaxSize) ||
        !fileio::ReadWholeFile(path.c_str(), text) || !list.Parse(text)) {
        return std::nullopt;
    }
    return list;
}

bool WriteText(const std::string& path, const std::string& text) {
    return MakeFolders(std::filesystem::path(path).parent_path().string()) &&
           fileio::WriteWholeFile(path.c_str(), text.data(), text.size());
}

} // namespace

XdgAssociations::XdgAssociations()
    : XdgAssociations(XdgFolder("XDG_DATA_HOME", "/.local/share"), XdgFolder("XDG_CONFIG_HOME", "/.config")) {
}

XdgAssociations::XdgAssociations(std::string dataHome, std::string configHome)
    : DataHome(std::move(dataHome)), ConfigHome(std::move(configHome)) {}

std::string XdgAssociations::DesktopEntryPath(const std::string& desktopId) const {
    return DataHome + "/applications/" + desktopId;
}

std::string XdgAssociations::MimeAppsPath() const {
    return ConfigHome + "/mimeapps.list";
}

bool XdgAssociations::WriteDesktopEntry(const DesktopEntry& entry) const {
    return entry.IsValid() && WriteText(DesktopEntryPath(entry.Id), entry.Text());
}

bool XdgAssociations::RemoveDesktopEntry(const std::string& desktopId) const {
    if (!IsDesktopId(desktopId)) {
        return false;
    }
    return ::unlink(DesktopEntryPath(desktopId).c_str()) == 0 || errno == ENOENT;
}

bool XdgAssociations::SetDefault(const std::string& mimeType, const std::string& desktopId) const {
    if (!IsMimeType(mimeType) || !IsDesktopId(desktopId)) {
        return false;
    }
    std::optional<MimeAppsList> list = ReadList(MimeAppsPath());
    if (!list) {
        return false;
    }
    list->SetDefault(mimeType, desktopId);
    return WriteText(MimeAppsPath(), list->Text());
}

bool XdgAssociations::RemoveDefault(const std::string& mimeType, const std::string& desktopId) const {
    if (!IsMimeType(mimeType) || !IsDesktopId(desktopId)) {
        return false;
    }
    std::optional<MimeAppsList> list = ReadList(MimeAppsPath());
    if (!list) {
        return false;
    }
    list->RemoveDefault(mimeType, desktopId);
    return WriteText(MimeAppsPath(), list->Text());
}

bool XdgAssociations::IsDefault(const std::string& mimeType, const std::string& desktopId) const {
    const std::optional<MimeAppsList> list = ReadList(MimeAppsPath());
    if (!list) {
        return false;
    }
    const std::vector<std::string> defaults = list->Applications(MimeAppsList::kDefaults, mimeType);
    return !defaults.empty() && defaults.front() == desktopId;
}

} // namespace plat::shell
