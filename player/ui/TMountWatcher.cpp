#include "player/ui/TMountWatcher.h"

#include "platform/shell/MountTable.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

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
    for (const plat::shell::MountEntry& entry : plat::shell::ParseMountInfo(text)) {
        points.insert(entry.MountPoint);
    }
    return points;
}

std::optional<std::set<std::string>> TMountWatcher::ReadTable() const {
    const std::optional<std::string> text = plat::shell::ReadMountInfo(path_);
    if (!text) {
        return std::nullopt;
    }
    return ParseMountPoints(*text);
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
