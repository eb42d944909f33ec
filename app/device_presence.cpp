#include "app/device_presence.h"

#include <string>

#include "app/start_up_sequence.h"
#include "base/language_state.h"
#include "base/user_messages.h"

namespace tarn {

bool IsMouseDevicePath(std::u16string_view path) {
    return ContainsNoCase(path, kMouseDeviceName);
}

std::u16string_view MouseFoundText() {
    return Localized(u"发现Tarn游戏鼠标.", u"The Tarn gaming mouse is found.");
}

std::u16string_view MouseLostText() {
    return MouseMissingText();
}

DevicePresence::DevicePresence(DevicePresenceShell& shell, ApplyShared& apply)
    : shell_(shell), apply_(apply) {}

void DevicePresence::OnDeviceChange(uint32_t event, std::u16string_view path) {
    if (ending_ || !IsMouseDevicePath(path)) return;
    if (event == kDeviceArrival) OnArrival();
    if (event == kDeviceRemoveComplete) OnRemoval();
}

void DevicePresence::OnArrival() {
    // A second arrival while one re-open runs starts it again, which opens afresh anyway.
    if (reopening_) shell_.CancelReopen();
    present_ = true;
    reopening_ = ++lastAttempt_;
    shell_.StartReopen(reopening_);
}

void DevicePresence::OnReopened(uint32_t attempt, bool opened, uint32_t version) {
    if (ending_ || attempt == 0 || attempt != reopening_) return;
    reopening_ = 0;
    if (!opened) {
        // The mouse is there but cannot be reached: as at start-up, the program ends.
        EndProgram();
        return;
    }
    shell_.SetDeviceFirmwareText(version == 0 ? std::u16string() : [&] {
        const std::string digits = std::to_string(version);
        return std::u16string(digits.begin(), digits.end());
    }());
    shell_.InstallGlobalHooks();
    if (apply_.applyIdle == 0) {
        apply_.applyIdle = 1;
        shell_.ShowApplyButtonNormal();
    } else if (apply_.linkPhase == 1) {
        ShowSelfClosingInfo(MouseFoundText());
    }
}

void DevicePresence::OnRemoval() {
    if (!present_) return;
    present_ = false;
    if (reopening_) {
        shell_.CancelReopen();
        reopening_ = 0;
    }
    shell_.CloseLink();
    shell_.RemoveGlobalHooks();
    // The mouse restarts within the last moments of an apply, often before the main window has
    // seen the apply end: that removal is the expected one too, so a later unplug still counts.
    if (apply_.linkPhase == 2) {
        apply_.linkPhase = 0;
        return;
    }
    if (apply_.applyIdle == 1) EndProgram();
}

void DevicePresence::EndProgram() {
    ending_ = true;
    ShowSelfClosingInfo(MouseLostText());
    shell_.PostClose();
}

}  // namespace tarn
