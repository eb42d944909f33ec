// CDlgProgramLinks: the "Programs" dialog of the tray menu. It lists the five profiles with the
// programs that bring them, adds a program from the system's open dialog or from the window in
// front after a countdown, and removes one; every change is saved at once.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "app/program_links_list.h"
#include "base/window_win32.h"
#include "settings/program_links.h"
#include "skin/bitmap_button_win32.h"
#include "skin/picture_win32.h"

namespace tarn {

inline constexpr int kLinksDialogTemplate = 115;
inline constexpr wchar_t kLinksDialogTitle[] = L"NirelTarnLinksDlg";

class CDlgProgramLinks : public win::Dialog {
    TARN_DECLARE_MESSAGES()

public:
    // The list opens on the profile of selectedSlot.
    explicit CDlgProgramLinks(int selectedSlot);
    ~CDlgProgramLinks() override;
    // Modal to owner; true when the links changed.
    bool Run(HWND owner);

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnCommand(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnMouseWheel(WPARAM, LPARAM);

    void MakeButton(CGDIBitmapBtn& button, const geo::Rect& r, std::u16string_view caption);
    void AddFromFile();
    void TogglePick();
    void FinishPick();
    void StopPick();
    void RemoveSelected();
    void Link(int slot, const std::u16string& program);
    bool Save(const ProgramLinks& before);
    void SetStatus(std::u16string text);
    void PaintRows(HDC dc);
    void PaintScrollBar(HDC dc);
    void RepaintList();
    HFONT BoldFont(std::u16string_view text);

    std::u16string path_;
    ProgramLinks links_;
    LinksLoad load_;
    ProgramLinksList list_;
    int initialSlot_;
    bool changed_ = false;
    bool picking_ = false;
    int countdown_ = 0;
    bool draggingThumb_ = false;
    int dragOffset_ = 0;
    std::u16string status_;
    std::u16string savedNote_;
    OwnedBitmap normal_, over_, down_;
    CGDIBitmapBtn close_, add_, pick_, remove_, closeButton_;
    HFONT bold_ = nullptr, boldChinese_ = nullptr;
};

}  // namespace tarn
