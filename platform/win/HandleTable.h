#pragma once
// The process-wide table of window handles. Ids are even numbers from 0x10000 upward; a freed id is
// not handed out again before the id space wraps, so a stale handle is reliably invalid. The values
// 0, 1, 0xFFFFFFFE and 0xFFFFFFFF are never ids.
//
// Every access runs under the table's lock; callbacks given to Access/ForChain/FindFirst must not
// call out of the table. Window procedures are called through CallProcedure, which never holds it.
#include "platform/win/Types.h"
#include "platform/win/WindowEntry.h"

#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace plat::win {

class HandleTable {
public:
    static constexpr HWND kFirstId = 0x10000u;
    static constexpr HWND kLastId = 0xFFFFFFFCu;

    HandleTable();
    // A table handing out the even ids of [firstId, lastId] only, for tests of the wrap-around.
    HandleTable(HWND firstId, HWND lastId);

    static HandleTable& Instance();

    // Answers the new id, 0 when every id is in use.
    HWND Add(WindowEntry entry);
    bool Remove(HWND hwnd);
    bool Contains(HWND hwnd) const;
    std::size_t Size() const;

    // Runs f(WindowEntry&) on the window's entry; false for an unknown handle.
    template <class F> bool Access(HWND hwnd, F&& f) {
        std::lock_guard lock(mutex_);
        const auto it = entries_.find(hwnd);
        if (it == entries_.end()) {
            return false;
        }
        f(it->second);
        return true;
    }

    // Runs f(const WindowEntry&) on the window and then on each of its ancestors; false for an
    // unknown handle. The chain ends at a parent that is gone.
    template <class F> bool ForChain(HWND hwnd, F&& f) const {
        std::lock_guard lock(mutex_);
        auto it = entries_.find(hwnd);
        if (it == entries_.end()) {
            return false;
        }
        for (; it != entries_.end(); it = entries_.find(it->second.parent)) {
            f(it->second);
        }
        return true;
    }

    // The lowest id whose entry satisfies pred, 0 when none does.
    template <class P> HWND FindFirst(P&& pred) const {
        std::lock_guard lock(mutex_);
        for (const auto& [hwnd, entry] : entries_) {
            if (pred(entry)) {
                return hwnd;
            }
        }
        return 0;
    }

    // Moves a window under another (0: top level). Fails (nothing) for unknown handles or when the
    // new parent is the window itself or one of its descendants; answers the old parent.
    std::optional<HWND> Reparent(HWND hwnd, HWND parent);

    std::vector<HWND> ChildrenOf(HWND parent) const;
    // Removes every window owned by the queue and answers their ids.
    std::vector<HWND> RemoveWindowsOf(const ThreadQueue* queue);

    std::shared_ptr<ThreadQueue> QueueOf(HWND hwnd) const;
    // The address of a handle that stands for a window of another process; null for others.
    std::shared_ptr<const PeerAddress> PeerOf(HWND hwnd) const;
    bool OwnedByCallingThread(HWND hwnd) const;

    // Calls the window's procedure without holding the lock; nothing for an unknown handle.
    std::optional<LRESULT> CallProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    HWND NextFreeId();

    const HWND firstId_;
    const HWND lastId_;
    mutable std::mutex mutex_;
    std::map<HWND, WindowEntry> entries_;
    HWND next_;
};

} // namespace plat::win
