#pragma once
// The nested event loop of a modal window: its owner takes no input meanwhile, and gets the
// activation back when the window goes.
#include <windows.h>

#include <functional>

namespace purimo {

// Shows dialog over owner, calls shown, and handles messages while showing() holds. preview sees
// each message first; true means it was handled. A WM_QUIT ends the loop and is left for the main
// loop.
void RunModal(HWND dialog, HWND owner, const std::function<void()>& shown, const std::function<bool()>& showing,
              const std::function<bool(const MSG&)>& preview);
// Ends the modal showing's look: the owner enabled first, then the dialog hidden.
void EndModal(HWND dialog, HWND owner);

} // namespace purimo
