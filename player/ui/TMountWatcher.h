#pragma once
// Volume arrivals and removals, in place of the system's device-change messages: the mount table
// (a mountinfo file, /proc/self/mountinfo for the player) is read again whenever the kernel flags a
// change, and each mount point that appeared or went is reported on the GUI thread.
#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

class QSocketNotifier;

class TMountWatcher : public QObject {
public:
    using THandler = std::function<void(const std::string& root)>;

    // Reads the table once; changes are reported from then on. While the table cannot be read, the
    // mount points known stay as they were.
    TMountWatcher(std::string mountInfoPath, THandler arrival, THandler removal);
    ~TMountWatcher() override;

    // Reads the table again and reports the differences (the notifier calls it; tests may too).
    void Rescan();

    // The mount points of a mountinfo text (octal escapes decoded); lines that are not well formed
    // are skipped.
    static std::set<std::string> ParseMountPoints(const std::string& text);

private:
    // Nothing when the table cannot be read.
    std::optional<std::set<std::string>> ReadTable() const;

    std::string path_;
    THandler arrival_;
    THandler removal_;
    std::set<std::string> mounts_;
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};
