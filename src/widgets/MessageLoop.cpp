#include <windows.h>

#include "widgets/MessageLoop.h"

namespace purimo {

namespace {
MessagePreview preview;
} // namespace

void SetMessagePreview(MessagePreview handler) {
    preview = std::move(handler);
}

void DispatchThroughPreview(const MSG& msg) {
    if (preview && preview(msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

} // namespace purimo
