#include "app/key_filter.h"

namespace tarn {

namespace {

bool IsDialogKey(uint32_t message, uint32_t virtualKey) {
    if (message != kKeyDownMessage && message != kKeyUpMessage) return false;
    return virtualKey == kVkReturn || virtualKey == kVkEscape || virtualKey == kVkSpace;
}

bool IsAltF4(uint32_t message, uint32_t virtualKey) {
    return message == kSysKeyDownMessage && virtualKey == kVkF4;
}

}  // namespace

KeyFilter FilterMainWindowKey(uint32_t message, uint32_t virtualKey) {
    if (IsDialogKey(message, virtualKey)) return KeyFilter::Swallow;
    if (IsAltF4(message, virtualKey)) return KeyFilter::HideToTray;
    return KeyFilter::Pass;
}

KeyFilter FilterProgressKey(uint32_t message, uint32_t virtualKey) {
    if (IsDialogKey(message, virtualKey) || IsAltF4(message, virtualKey)) return KeyFilter::Swallow;
    return KeyFilter::Pass;
}

}  // namespace tarn
