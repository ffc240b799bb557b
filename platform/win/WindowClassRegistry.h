#pragma once
// The process-wide registry of window classes; names compare without regard to case.
#include "platform/win/Window.h"

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace plat::win {

class WindowClassRegistry {
public:
    static WindowClassRegistry& Instance();

    // False when the name is empty or taken, or the class has no procedure.
    bool Register(const WNDCLASS& wc);
    std::optional<WNDCLASS> Find(std::string_view name) const;

    // Runs f(const WNDCLASS&) while the class cannot be unregistered; false for an unknown class.
    template <class F> bool WithClass(std::string_view name, F&& f) const {
        std::lock_guard lock(mutex_);
        const auto it = classes_.find(Key(name));
        if (it == classes_.end()) {
            return false;
        }
        f(it->second);
        return true;
    }

    // Removes the class unless inUse(registered name) says windows of it exist.
    bool Unregister(std::string_view name, const std::function<bool(const std::string&)>& inUse);

private:
    static std::string Key(std::string_view name);

    mutable std::mutex mutex_;
    std::map<std::string, WNDCLASS> classes_; // by case-folded name
};

} // namespace plat::win
