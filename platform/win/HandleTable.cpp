#include "platform/win/HandleTable.h"

#include "platform/win/ThreadQueue.h"

#include <algorithm>
#include <thread>
#include <utility>

namespace plat::win {

HandleTable::HandleTable() : HandleTable(kFirstId, kLastId) {}

HandleTable::HandleTable(HWND firstId, HWND lastId)
    : firstId_(std::clamp(firstId, kFirstId, kLastId) & ~HWND{1}),
      lastId_(std::clamp(lastId, firstId_, kLastId) & ~HWND{1}), next_(firstId_) {}

HandleTable& HandleTable::Instance() {
    // Never destroyed: threads that end after static destruction still unregister their windows.
    static auto* const table = new HandleTable;
    return *table;
}

HWND HandleTable::NextFreeId() {
    if (entries_.size() > (lastId_ - firstId_) / 2) {
        return 0;
    }
    for (;;) {
        const HWND id = next_;
        next_ = next_ >= lastId_ ? firstId_ : next_ + 2;
        if (!entries_.contains(id)) {
            return id;
        }
    }
}

HWND HandleTable::Add(WindowEntry entry) {
    std::lock_guard lock(mutex_);
    const HWND id = NextFreeId();
    if (id != 0) {
        entries_.emplace(id, std::move(entry));
    }
    return id;
}

bool HandleTable::Remove(HWND hwnd) {
    std::lock_guard lock(mutex_);
    return entries_.erase(hwnd) > 0;
}

bool HandleTable::Contains(HWND hwnd) const {
    std::lock_guard lock(mutex_);
    return entries_.contains(hwnd);
}

std::size_t HandleTable::Size() const {
    std::lock_guard lock(mutex_);
    return entries_.size();
}

std::optional<HWND> HandleTable::Reparent(HWND hwnd, HWND parent) {
    std::lock_guard lock(mutex_);
    const auto it = entries_.find(hwnd);
    if (it == entries_.end() || (parent != 0 && !entries_.contains(parent))) {
        return std::nullopt;
    }
    for (HWND up = parent; up != 0;) {
        if (up == hwnd) {
            return std::nullopt;
        }
        const auto above = entries_.find(up);
        up = above == entries_.end() ? 0 : above->second.parent;
    }
    return std::exchange(it->second.parent, parent);
}

std::vector<HWND> HandleTable::ChildrenOf(HWND parent) const {
    std::lock_guard lock(mutex_);
    std::vector<HWND> children;
    for (const auto& [hwnd, entry] : entries_) {
        if (entry.parent == parent) {
            children.push_back(hwnd);
        }
    }
    return children;
}

std::vector<HWND> HandleTable::RemoveWindowsOf(const ThreadQueue* queue) {
    std::lock_guard lock(mutex_);
    std::vector<HWND> removed;
    std::erase_if(entries_, [&](const auto& item) {
        if (item.second.queue.get() != queue) {
            return false;
        }
        removed.push_back(item.first);
        return true;
    });
    return removed;
}

std::shared_ptr<ThreadQueue> HandleTable::QueueOf(HWND hwnd) const {
    std::lock_guard lock(mutex_);
    const auto it = entries_.find(hwnd);
    return it == entries_.end() ? nullptr : it->second.queue;
}

std::shared_ptr<const PeerAddress> HandleTable::PeerOf(HWND hwnd) const {
    std::lock_guard lock(mutex_);
    const auto it = entries_.find(hwnd);
    return it == entries_.end() ? nullptr : it->second.peer;
}

bool HandleTable::OwnedByCallingThread(HWND hwnd) const {
    const auto queue = QueueOf(hwnd);
    return queue && queue->OwnerThread() == std::this_thread::get_id();
}

std::optional<LRESULT> HandleTable::CallProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC proc = nullptr;
    if (!Access(hwnd, [&](const WindowEntry& entry) { proc = entry.proc; }) || proc == nullptr) {
        return std::nullopt;
    }
    return proc(hwnd, msg, wParam, lParam);
}

} // namespace plat::win
