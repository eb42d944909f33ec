// The information box of the user messages, shown as the skinned CDlgInfo.
#pragma once

#include "base/user_messages.h"

namespace tarn {

UserMessages& SkinnedUserMessages();

}  // namespace tarn
