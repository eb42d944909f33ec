#pragma once

#include <windows.h>

#include <string_view>

#include "base/user_messages.h"

namespace tarn {

// The platform's standard box with the caption "Info" and one OK button.
void ShowPlainInfoBox(HWND owner, std::u16string_view message);
// Message boxes from the standard dialogs, for use until the skinned box is installed.
UserMessages& StandardUserMessages();

}  // namespace tarn
