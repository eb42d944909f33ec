// The main window's look: its skin, its controls at their geometry, the hint line and the
// language menu's placement.
#include <objbase.h>

#include <string>
#include <thread>

#include "app/hint_table.h"
#include "base/language_state.h"
#include "app/main_window_win32.h"
#include "base/window_messages.h"
#include "skin/popup_menu_win32.h"

namespace tarn {

namespace {

namespace mw = geo::main_window;

constexpr DWORD kShapedStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
// The language menu's top sits this far above the language button's bottom.
constexpr int kLanguageMenuRise = 287;
constexpr int kLanguageMenuShift = 4;
constexpr int kLanguageMenuBackground = 129;
constexpr COLORREF kHintColour = RGB(0xBE, 0xBE, 0xBE);

RECT ToRect(const geo::Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// The tab and button pictures (normal, down, over) follow the interface language at the moment
// the view is built; the normal one serves as the disabled one too.
constexpr int kShapedChinese[] = {154, 156, 155};
constexpr int kShapedEnglish[] = {157, 159, 158};

}  // namespace

void COstraDriverDlg::BuildView() {
    // The skin is read and decoded on a second thread while the buttons are made: the shaped
    // ones have pictures of their own, and the small ones get their looks once it is there.
    OwnedBitmap skin;
    std::thread loader([&skin, path = SkinPath(L"Main_Normal.bmp")] {
        const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        skin = LoadPictureFile(path);
        if (SUCCEEDED(com)) CoUninitialize();
    });
    CreateSmallButtons();
    CreateShapedButtons();
    loader.join();
    skinNormal_ = std::move(skin);
    CutSmallButtons();
    // What the first look does not need comes once the window shows.
    PostMessageW(hwnd_, kMsgFinishView, 0, 0);
    const int width = skinNormal_ ? skinNormal_.width() : mw::kSize.width;
    const int height = skinNormal_ ? skinNormal_.height() : mw::kSize.height;
    CentreWindow(width, height);
}

void COstraDriverDlg::CentreWindow(int width, int height) {
    // The template makes the window a borderless pop-up with a taskbar button and no minimize
    // box yet. Its frame is only set here when it differs: a frame change makes the window
    // system rebuild the window, the costliest step of the whole view.
    constexpr LONG_PTR kFrameStyles = WS_POPUP | WS_CHILD | WS_CAPTION | WS_THICKFRAME |
                                      WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    constexpr LONG_PTR kFrameExStyles = WS_EX_APPWINDOW | WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE |
                                        WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME;
    constexpr LONG_PTR kStyle = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU;
    constexpr LONG_PTR kExStyle = WS_EX_APPWINDOW;
    UINT frame = 0;
    if ((GetWindowLongPtrW(hwnd_, GWL_STYLE) & kFrameStyles) != (kStyle & kFrameStyles) ||
        (GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & kFrameExStyles) != kExStyle) {
        SetWindowLongPtrW(hwnd_, GWL_STYLE, kStyle);
        SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, kExStyle);
        frame = SWP_FRAMECHANGED;
    }
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + (work.right - work.left - width) / 2;
    const int y = work.top + (work.bottom - work.top - height) / 2;
    SetWindowPos(hwnd_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | frame);
}

void COstraDriverDlg::CreateSmallButtons() {
    for (const auto& [button, rect] : SmallButtons()) button->CreateButton(ToRect(*rect), hwnd_);
}

// The small buttons start with their normal look only; their pressed and hover looks follow in
// FinishView.
void COstraDriverDlg::CutSmallButtons() {
    for (const auto& [button, rect] : SmallButtons()) {
        button->SetSkinImages(rect->left, rect->top, rect->right, rect->bottom, skinNormal_.get(),
                              skinNormal_.get(), skinNormal_.get(), skinNormal_.get());
    }
}

std::array<std::pair<CGDIBitmapBtn*, const geo::Rect*>, 3> COstraDriverDlg::SmallButtons() {
    return {{{&minimizeButton_, &mw::kMinimize},
             {&hideButton_, &mw::kHide},
             {&languageButton_, &mw::kLanguageButton}}};
}

// What the first look does not need: the hidden pages, and the small buttons' pressed and hover
// looks (skin files that are only for them; each keeps its own pieces). The tooltips get their
// texts (again after each language change).
LRESULT COstraDriverDlg::OnFinishView(WPARAM, LPARAM) {
    CreateHiddenPages();
    const OwnedBitmap down = LoadPictureFile(SkinPath(L"Main_Down.bmp"));
    const OwnedBitmap over = LoadPictureFile(SkinPath(L"Main_Over.bmp"));
    for (const auto& [button, rect] : SmallButtons()) {
        button->SetSkinImages(rect->left, rect->top, rect->right, rect->bottom, skinNormal_.get(),
                              over.get(), down.get(), skinNormal_.get());
    }
    RefreshTooltips();
    return 0;
}

// The eleven shaped buttons cut their looks from one set of full-window pictures, which goes
// once they have their pieces. The selected tab and profile show pressed from the first look.
void COstraDriverDlg::CreateShapedButtons() {
    for (int k = 0; k < kPageCount; ++k) {
        tabs_[k].CreateShaped(u"", kShapedStyle, mw::kTabs[k], hwnd_);
        tabs_[k].SetSticky(true);
        profileButtons_[k].CreateShaped(u"", kShapedStyle, mw::kProfiles[k], hwnd_);
        profileButtons_[k].SetSticky(true);
    }
    okButton_.CreateShaped(u"", kShapedStyle, mw::kOk, hwnd_);
    const int* ids = ChineseUi == 1 ? kShapedChinese : kShapedEnglish;
    const OwnedBitmap normal = LoadBitmapResource(ids[0]);
    const OwnedBitmap down = LoadBitmapResource(ids[1]);
    const OwnedBitmap over = LoadBitmapResource(ids[2]);
    for (int k = 0; k < kPageCount; ++k) {
        tabs_[k].CutStateBitmaps(normal.get(), down.get(), over.get(), normal.get());
        profileButtons_[k].CutStateBitmaps(normal.get(), down.get(), over.get(), normal.get());
    }
    okButton_.CutStateBitmaps(normal.get(), down.get(), over.get(), normal.get());
    // The tooltips come with the language (ApplyLanguage) and once the window shows: making
    // eleven tooltip windows here would hold the window back.
}

LRESULT COstraDriverDlg::OnEraseBackground(WPARAM, LPARAM) {
    return 1;
}

LRESULT COstraDriverDlg::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client;
    GetClientRect(hwnd_, &client);
    if (!PaintPicture(dc, skinNormal_)) {
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    PaintHint(dc);
    EndPaint(hwnd_, &ps);
    return 0;
}

void COstraDriverDlg::PaintHint(HDC dc) {
    if (hintText_.empty()) return;
    const std::wstring text(hintText_.begin(), hintText_.end());
    // A Chinese hint needs a face with Chinese glyphs ("MS Shell Dlg" has none under Wine).
    HGDIOBJ oldFont = SelectObject(dc, CaptionFontFor(14, hintText_));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kHintColour);
    const RECT line = ToRect(mw::kHintLine);
    const UINT format = DT_WORDBREAK | DT_END_ELLIPSIS | DT_EDITCONTROL | DT_NOPREFIX | DT_NOCLIP;
    // Word-wrapped text has no vertical centring of its own: measure, then place it.
    RECT measured = line;
    DrawTextW(dc, text.c_str(), -1, &measured, format | DT_CALCRECT);
    RECT box = line;
    const int height = measured.bottom - measured.top;
    if (height < line.bottom - line.top) box.top += (line.bottom - line.top - height) / 2;
    DrawTextW(dc, text.c_str(), -1, &box, format);
    SelectObject(dc, oldFont);
}

void COstraDriverDlg::RepaintHint() {
    const RECT line = ToRect(mw::kHintLine);
    InvalidateRect(hwnd_, &line, FALSE);
}

void COstraDriverDlg::OpenLanguageMenu() {
    if (languagePopup_) return;
    RECT button{};
    GetWindowRect(languageButton_.hwnd(), &button);
    auto* popup = new CMenuExA();
    popup->SetPopupBackground(kLanguageMenuBackground);
    if (!popup->CreatePopup(hwnd_, button.left - kLanguageMenuShift,
                            button.bottom - kLanguageMenuRise, button.right, button.bottom,
                            kMsgLanguage)) {
        delete popup;
        return;
    }
    languagePopup_ = popup;
}

}  // namespace tarn
