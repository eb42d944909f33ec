// Telling the user something: the information box, its self-closing form and the plain box.
#pragma once

#include <string>
#include <string_view>

namespace tarn {

inline constexpr int kInfoOk = 1;
inline constexpr int kInfoClosed = 2;

class UserMessages {
public:
    virtual ~UserMessages() = default;
    // 1 when the user pressed OK, 2 for every other way of closing.
    virtual int InfoBox(std::u16string_view message, bool withCancel) = 0;
    // Closes itself after about six seconds with result 2.
    virtual int SelfClosingInfo(std::u16string_view message) = 0;
    // The platform's standard box with the caption "Info".
    virtual void PlainInfo(std::u16string_view message) = 0;
};

// Until a window layer installs its boxes, messages go nowhere and count as closed.
void SetUserMessages(UserMessages* messages);
UserMessages& Messages();

int ShowInfoBox(std::u16string_view message, bool withCancel = false);
int ShowSelfClosingInfo(std::u16string_view message);
void ShowPlainInfo(std::u16string_view message);

// Captions of the information box, by ChineseUi.
std::u16string_view InfoOkCaption();
std::u16string_view InfoCancelCaption();
std::u16string_view InfoTitle();
inline constexpr std::u16string_view kPlainInfoCaption = u"Info";

}  // namespace tarn
