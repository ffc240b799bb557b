#pragma once
// The undo log of temporary merit changes: the file "TOVUNDO.LOG" in a folder, UTF-16LE text without
// byte-order mark, one CHANGEMERIT element per line in the order the merits were lowered.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// One logged merit: addressed by display name, or (display name empty) by category and class id.
struct TMeritUndoEntry {
    std::u16string displayName;
    std::u16string category;
    std::u16string clsid;
    std::uint32_t merit = 0;

    static TMeritUndoEntry ByName(std::u16string displayName, std::uint32_t merit) {
        return {std::move(displayName), {}, {}, merit};
    }
    static TMeritUndoEntry ByClsid(std::u16string category, std::u16string clsid, std::uint32_t merit) {
        return {{}, std::move(category), std::move(clsid), merit};
    }

    bool operator==(const TMeritUndoEntry&) const = default;
};

class TMeritUndoLog {
public:
    // A folder path longer than this disables the log.
    static constexpr std::size_t kMaxFolderLength = 248;

    explicit TMeritUndoLog(std::string folder);

    // The log file's path; empty when the folder disables the log.
    std::string Path() const;
    // Appends the entry's line (names escaped) by replacing the log with a longer one, so a crash never
    // leaves half a line; false when the log is disabled, cannot be read or cannot be written.
    bool Append(const TMeritUndoEntry& entry) const;
    // The entries that parse, in file order, each line read on its own; nothing when there is no log or
    // it cannot be read.
    std::optional<std::vector<TMeritUndoEntry>> Read() const;
    // Deletes the log; false when it could not be deleted.
    bool Remove() const;

private:
    std::string folder_;
};
