#pragma once
// Runs work on the thread of the application object and waits until it has run. The hand-over goes
// through our own lock and condition, so thread checkers see it; the application's event loop only
// gets a wake-up that carries nothing.
#include <functional>

namespace plat::forms {

// The application's event loop must be running (or run later), or the caller waits for ever.
void RunOnApplicationThread(std::function<void()> work);

} // namespace plat::forms
