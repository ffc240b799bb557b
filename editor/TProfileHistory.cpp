#include "editor/TProfileHistory.h"

#include <algorithm>

bool TProfileHistory::Add(const std::string& path) {
    const auto found = std::find(entries_.begin(), entries_.end(), path);
    if (found == entries_.begin()) {
        return false;
    }
    const auto last = found != entries_.end() ? found : entries_.end() - 1;
    std::move_backward(entries_.begin(), last, last + 1);
    entries_.front() = path;
    return true;
}
