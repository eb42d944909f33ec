// CPage: one page of the main window, a child dialog on its template placed over the page area.
// The main window makes the five pages and tells them when to redraw and when the language
// changed; what a page shows and does is its own.
#pragma once

#include <windows.h>

#include "base/window_win32.h"
#include "skin/skin_geometry.h"

namespace tarn {

class CPage : public win::Dialog {
public:
    // Makes the page on its template as a child of the main window at area, shown or hidden.
    bool CreatePage(HWND mainWindow, int templateId, const geo::Rect& area, bool shown);

    // Redraw from currentProfile (on show, after a profile change or a reset).
    virtual void Refresh() {}
    // Tooltips and painted texts follow the interface language.
    virtual void LanguageChanged() {}

protected:
    // Posts 0x805 with a hint id to the main window.
    void PostHint(int hintId) const;
};

// A page that is not built yet: it shows the main window's skin under it, so the window looks
// whole, and hides the fields its template brings.
class CEmptyPage : public CPage {
    TARN_DECLARE_MESSAGES()

public:
    void SetBackground(HBITMAP mainSkin, POINT offset) {
        skin_ = mainSkin;
        offset_ = offset;
    }

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    HBITMAP skin_ = nullptr;
    POINT offset_{};
};

}  // namespace tarn
