#pragma once
// Every message of the program's thread passes one preview before it is dispatched: the main loop,
// the modal windows' loops and the tests' all go through DispatchThroughPreview, so that a key that
// a control would swallow (Wine's combo box takes Alt+arrow keys) can be caught first.
#include <windows.h>

#include <functional>

namespace purimo {

// true: the preview handled the message, which is then not dispatched.
using MessagePreview = std::function<bool(const MSG&)>;
// The main window sets it while it lives; an empty function removes it.
void SetMessagePreview(MessagePreview preview);
// Translates and dispatches msg unless the preview took it.
void DispatchThroughPreview(const MSG& msg);

} // namespace purimo
