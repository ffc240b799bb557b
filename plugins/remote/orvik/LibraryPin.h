#pragma once
// Keeps this plug-in's code mapped for the rest of the process, for work that may still run after the
// host has unloaded the library: a reader thread held in the player's callback, a queued message box.
namespace orvik {

// False when the code does not live in a loaded library of its own (a test program), where there
// is nothing to keep.
bool PinOwnLibrary();

} // namespace orvik
