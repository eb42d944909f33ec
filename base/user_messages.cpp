#include "base/user_messages.h"

#include "base/language_state.h"

namespace tarn {

namespace {

class SilentMessages final : public UserMessages {
public:
    int InfoBox(std::u16string_view, bool) override { return kInfoClosed; }
    int SelfClosingInfo(std::u16string_view) override { return kInfoClosed; }
    void PlainInfo(std::u16string_view) override {}
};

UserMessages* g_messages = nullptr;

}  // namespace

void SetUserMessages(UserMessages* messages) {
    g_messages = messages;
}

UserMessages& Messages() {
    static SilentMessages silent;
    return g_messages ? *g_messages : silent;
}

int ShowInfoBox(std::u16string_view message, bool withCancel) {
    return Messages().InfoBox(message, withCancel) == kInfoOk ? kInfoOk : kInfoClosed;
}

int ShowSelfClosingInfo(std::u16string_view message) {
    return Messages().SelfClosingInfo(message) == kInfoOk ? kInfoOk : kInfoClosed;
}

void ShowPlainInfo(std::u16string_view message) {
    Messages().PlainInfo(message);
}

std::u16string_view InfoOkCaption() {
    return Localized(u"确定", u"OK");
}
std::u16string_view InfoCancelCaption() {
    return Localized(u"取消", u"Cancel");
}
std::u16string_view InfoTitle() {
    return Localized(u"提示", u"Tips");
}

}  // namespace tarn
