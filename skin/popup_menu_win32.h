// The language menu's window classes. CWndPopup is a bare top-most popup that closes itself when
// it loses activation and deletes its object with its window; CMenuEx lays out, draws and tracks
// a list of items on it as a layered window; CMenuExA fills it with the twelve languages.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

#include "base/window_win32.h"
#include "skin/picture_win32.h"
#include "skin/popup_menu_layout.h"

namespace tarn {

// Sent to the parent when a popup closes (wParam 0, lParam 0), whatever its own message.
inline constexpr UINT kPopupClosedMessage = 0x401;

class CWndPopup : public win::Window {
    TARN_DECLARE_MESSAGES()

public:
    CWndPopup();
    ~CWndPopup() override;
    void SetPopupBackground(int pngResource);
    // Shows the popup at (x, y) in screen coordinates; right and bottom bound the place the
    // caller offers and are not needed by the layout. Chosen items are sent as notifyMessage.
    bool CreatePopup(HWND parent, int x, int y, int right, int bottom, UINT notifyMessage);

protected:
    virtual void FillItems() {}
    virtual geo::Size LayoutItems() { return {0, 0}; }
    virtual void Render() {}
    void OnFinalMessage() override;

    HWND parent_ = nullptr;
    UINT notifyMessage_ = 0;
    Image background_;
    HFONT font_ = nullptr;
    geo::Size size_{};
    bool trackingRequested_ = false;
    bool leftDown_ = false;
    bool captured_ = false;

private:
    LRESULT OnActivate(WPARAM, LPARAM);
    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnNcCalcSize(WPARAM, LPARAM);
    LRESULT OnNcHitTest(WPARAM, LPARAM);
};

class CMenuEx : public CWndPopup {
    TARN_DECLARE_MESSAGES()

public:
    void AddMenuItem(std::u16string_view text, int pngResource, int id);
    void AddSeparator();
    int HoveredItem() const { return hovered_; }

protected:
    geo::Size LayoutItems() override;
    void Render() override;
    void AddItem(PopupItem item);

    std::vector<PopupItem> items_;
    std::vector<Image> icons_;
    int hovered_ = -1;

private:
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnMouseHover(WPARAM, LPARAM);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnCaptureChanged(WPARAM, LPARAM);
    void RequestTracking();
    void HoverAt(POINT client);
    POINT CursorInClient() const;
};

// The language menu.
class CMenuExA : public CMenuEx {
protected:
    void FillItems() override;
};

}  // namespace tarn
