#include "player/ui/TMountWatcher.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <sstream>

namespace {

// Mount points escape blanks, tabs, newlines and backslashes as three octal digits.
std::string Unescape(const std::string& field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (digits.find_first_not_of("01234567") == std::string::npos) {
                out += static_cast<char>(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

} // namespace

TMountWatcher::TMountWatcher(std::string mountInfoPath, THandler arrival, THandler removal)
    : path_(std::move(mountInfoPath)), arrival_(std::move(arrival)), removal_(std::move(removal)) {
    mounts_ = ReadTable().value_or(std::set<std::string>{});
    fd_ = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ >= 0) {
        // The kernel flags a change of the mount table as an exceptional condition on the file.
        notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Exception);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { Rescan(); });
    }
}

TMountWatcher::~TMountWatcher() {
    notifier_.reset();
    if (fd_ >= 0) {
        close(fd_);
    }
}

std::set<std::string> TMountWatcher::ParseMountPoints(const std::string& text) {
    std::set<std::string> points;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, point;
        if (fields >> id >> parent >> device >> root >> point && !point.empty() && point.front() == '/') {
            points.insert(Unescape(point));
        }
    }
    return points;
}

std::optional<std::set<std::string>> TMountWatcher::ReadTable() const {
    std::string text;
    const int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    char buffer[8192];
    ssize_t size = 0;
    // The table of a busy machine is small; a hostile or runaway one is cut at 4 MiB.
    while ((size = read(fd, buffer, sizeof buffer)) > 0 && text.size() < (4u << 20)) {
        text.append(buffer, static_cast<size_t>(size));
    }
    close(fd);
    return ParseMountPoints(text);
}

void TMountWatcher::Rescan() {
    if (fd_ >= 0) {
        lseek(fd_, 0, SEEK_SET); // rearms the change flag
        char scratch[4096];
        while (read(fd_, scratch, sizeof scratch) > 0) {
        }
    }
    const auto read = ReadTable();
    if (!read) {
        return;
    }
    const std::set<std::string>& now = *read;
    const std::set<std::string> before = std::exchange(mounts_, now);
    for (const std::string& point : now) {
        if (before.count(point) == 0 && arrival_) {
            arrival_(point);
        }
    }
    for (const std::string& point : before) {
        if (now.count(point) == 0 && removal_) {
            removal_(point);
        }
    }
}
