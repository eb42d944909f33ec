// CSkinScrollWnd: wraps a window that has native scroll bars (the skinned lists) so that only
// skinned bars show. A frame takes the window's place in its parent; inside it an inner window
// ("LIMIT") holds the wrapped window, sized so that the native bars fall outside it, and the
// two CSkinScrollBar controls sit along the frame's edges where the native bars would be. The
// wrapped window keeps its id, its messages and its scrolling; the bars follow its scroll
// information and pass their scrolling on to it.
#pragma once

#include <windows.h>

#include "base/window_win32.h"
#include "skin/picture_win32.h"
#include "skin/skin_scroll_bar_win32.h"

namespace tarn {

class CSkinScrollWnd : public win::Window {
    TARN_DECLARE_MESSAGES()

public:
    enum class Corner { None, BottomRight, BottomLeft };

    // Takes a copy of the skin; the caller keeps its own.
    bool Attach(HWND wrapped, HBITMAP skin);
    HWND Wrapped() const { return wrapped_; }
    CSkinScrollBar& VerticalBar() { return vbar_; }
    CSkinScrollBar& HorizontalBar() { return hbar_; }
    Corner CornerMode() const { return corner_; }
    // Takes the wrapped window's scroll information into the bars now.
    void SyncBars();

private:
    LRESULT OnLayoutBars(WPARAM, LPARAM);
    LRESULT OnVScroll(WPARAM, LPARAM);
    LRESULT OnHScroll(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    void OnFinalMessage() override;

    static LRESULT CALLBACK WrappedProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT OnWrappedMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Layout();
    void SyncBar(CSkinScrollBar& bar, int which);
    void PassScroll(UINT message, WPARAM wParam);
    void Unhook();

    HWND wrapped_ = nullptr;
    HWND oldParent_ = nullptr;
    RECT oldRect_{};
    DWORD movedStyle_ = 0, movedExStyle_ = 0;
    win::Window limit_;
    CSkinScrollBar hbar_, vbar_;
    OwnedBitmap skin_;
    int cell_ = 0;
    Corner corner_ = Corner::None;
    bool updating_ = false;
    bool destroying_ = false;
    bool hooked_ = false;
    int lastBars_ = -1;  // the native bars last laid out for, as a bit set
};

// Wraps window in a new CSkinScrollWnd, which deletes itself when its frame is destroyed; when
// the wrapped window is destroyed first, it is put back into its old parent at its old place.
// Null when the window cannot be wrapped.
CSkinScrollWnd* AttachSkinScroll(HWND window, HBITMAP skin);

}  // namespace tarn
