#include "skin/info_box_win32.h"

#include <windows.h>

#include "base/user_messages_win32.h"
#include "skin/dlg_info_win32.h"

namespace tarn {

namespace {

// Modal over whichever window of this thread is active.
HWND Owner() {
    return GetActiveWindow();
}

class SkinnedMessages final : public UserMessages {
public:
    int InfoBox(std::u16string_view message, bool withCancel) override {
        CDlgInfo box;
        box.SetMessage(message);
        box.SetWithCancel(withCancel);
        return box.Run(Owner());
    }
    int SelfClosingInfo(std::u16string_view message) override {
        CDlgInfo box;
        box.SetMessage(message);
        box.SetAutoClose(true);
        return box.Run(Owner());
    }
    void PlainInfo(std::u16string_view message) override { ShowPlainInfoBox(Owner(), message); }
};

}  // namespace

UserMessages& SkinnedUserMessages() {
    static SkinnedMessages messages;
    return messages;
}

}  // namespace tarn
