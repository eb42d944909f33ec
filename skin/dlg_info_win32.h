// CDlgInfo: the skinned information box (template 113), with one OK button or OK and Cancel,
// optionally closing itself after a countdown.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "base/window_win32.h"
#include "skin/bitmap_button_win32.h"
#include "skin/info_box_logic.h"
#include "skin/picture_win32.h"

namespace tarn {

inline constexpr int kInfoDialogTemplate = 113;

class CDlgInfo : public win::Dialog {
    TARN_DECLARE_MESSAGES()

public:
    void SetMessage(std::u16string_view message) { message_.assign(message); }
    void SetWithCancel(bool withCancel) { withCancel_ = withCancel; }
    void SetAutoClose(bool autoClose) { autoClose_ = autoClose; }
    // 1 for OK, 2 for every other way of closing.
    int Run(HWND owner);

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnCommand(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnClose(WPARAM, LPARAM);
    void MakeButton(CGDIBitmapBtn& button, const geo::Rect& r, std::u16string_view caption);
    void Finish(int result);

    std::u16string message_;
    bool withCancel_ = false;
    bool autoClose_ = false;
    skin::InfoCountdown countdown_;
    OwnedBitmap normal_, over_, down_;
    CGDIBitmapBtn ok_, cancel_, close_;
};

}  // namespace tarn
