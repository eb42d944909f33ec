// CGDIBitmapBtn: the skinned push button. Its pictures are cut from the page's three skins at
// its own rectangle; it reports clicks to its parent by its window handle (id 0).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "base/window_win32.h"
#include "skin/button_look.h"
#include "skin/hover_win32.h"
#include "skin/picture_win32.h"
#include "skin/tooltip_win32.h"

namespace tarn {

class CGDIBitmapBtn : public win::Window {
    TARN_DECLARE_MESSAGES()

public:
    static constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;  // 0x5000000B

    bool CreateButton(const RECT& rect, HWND parent, std::u16string_view caption = {},
                      DWORD style = kStyle);
    // Cuts each given skin at the rectangle into the picture of that state.
    void SetSkinImages(int left, int top, int right, int bottom, HBITMAP normal, HBITMAP over,
                       HBITMAP down, HBITMAP disabled, HBITMAP altNormal = nullptr,
                       HBITMAP altDown = nullptr);
    void SetStateBitmaps(HBITMAP normal, HBITMAP over, HBITMAP down, HBITMAP disabled);
    void SetCaption(std::u16string_view text);
    const std::u16string& CaptionText() const { return caption_; }
    void SetTooltip(std::u16string_view text, bool activate = true);
    void SetCheckMode(bool checkMode, bool toggleOnClick = false);
    void SetChecked(bool checked);
    bool IsChecked() const { return state_.checked; }
    void SetUserValue(int value) { userValue_ = value; }
    int GetUserValue() const { return userValue_; }
    void SetTextColors(COLORREF normal, COLORREF over, COLORREF down);
    void SetHoverEnabled(bool enabled) { state_.hoverEnabled = enabled; }
    void SetUseAltNormal(bool use);
    void SetUseAltDown(bool use);
    void SetLargeFont(bool large);
    void SetPressNotify(bool notify) { pressNotify_ = notify; }
    void SetTextRect(const RECT& rect);
    void Repaint();

private:
    LRESULT OnDrawItem(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnDeferredUp(WPARAM, LPARAM);
    LRESULT OnKillFocus(WPARAM, LPARAM);
    LRESULT OnCaptureChanged(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    const OwnedBitmap& PictureFor(skin::Picture picture) const;
    COLORREF ColourFor(skin::TextRole role) const;

    OwnedBitmap normal_, over_, down_, altNormal_, altDown_, disabled_;
    std::u16string caption_;
    ControlTooltip tooltip_;
    HoverTracker hover_;
    skin::BitmapButtonState state_;
    bool toggleOnClick_ = false;
    bool largeFont_ = false;
    bool pressNotify_ = false;
    std::optional<RECT> textRect_;
    int userValue_ = 0;
    COLORREF textNormal_ = skin::kTextNormal, textOver_ = skin::kTextOver,
             textDown_ = skin::kTextDown;
};

// A caption font: "MS Shell Dlg", weight 300, the given pixel height (of the character cell,
// as the platform's positive font heights mean). Shared by the controls.
HFONT CaptionFont(int pixelHeight);
// The same for a given text: a text with Chinese characters takes a face that has them, as
// "MS Shell Dlg" itself may have none (under Wine it has none).
HFONT CaptionFontFor(int pixelHeight, std::u16string_view text);
// The same with another weight (the lists use 400).
HFONT TextFontFor(int pixelHeight, int weight, std::u16string_view text);

}  // namespace tarn
