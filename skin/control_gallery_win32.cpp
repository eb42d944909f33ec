#include "skin/control_gallery_win32.h"

#include <windows.h>

#include <string>

#include "base/language_state.h"
#include "base/user_messages.h"
#include "base/window_messages.h"
#include "base/window_win32.h"
#include "skin/bitmap_button_win32.h"
#include "skin/bitmap_edit_win32.h"
#include "skin/color_button_win32.h"
#include "skin/irr_button_win32.h"
#include "skin/list_box_win32.h"
#include "skin/picture_win32.h"
#include "skin/progress_bar_win32.h"
#include "skin/skin_geometry.h"
#include "skin/skin_scroll_wnd_win32.h"
#include "skin/slider_win32.h"

namespace tarn {

namespace {

constexpr int kLogHeight = 40;
constexpr UINT kSliderA = 2560, kSliderB = 2562, kProgressId = 777;
constexpr RECT kProgressRect{600, 340, 860, 349};
// Two skinned lists: one longer than it can show, one whose entries all fit.
constexpr UINT kLongList = 900, kShortList = 901;
constexpr RECT kLongListRect{600, 96, 780, 246};
constexpr RECT kShortListRect{790, 96, 900, 246};
constexpr UINT_PTR kTopIndexTimer = 7;

RECT R(const geo::Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// The fallback template has a dialog frame; the skinned windows have none, so client and
// window coordinates agree for the tests that click at fixed points.
void Borderless(HWND hwnd, int x, int y, int width, int height) {
    SetWindowLongPtrW(hwnd, GWL_STYLE, WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU);
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, WS_EX_APPWINDOW);
    SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_FRAMECHANGED);
}

std::wstring LogPath() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    return std::wstring(temp) + L"TarnGallery.log";
}

void AppendLog(const std::string& line) {
    HANDLE file = CreateFileW(LogPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

class Gallery : public win::Dialog {
    TARN_DECLARE_MESSAGES()

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnCommand(WPARAM, LPARAM);
    LRESULT OnPress(WPARAM, LPARAM);
    LRESULT OnSlider(WPARAM, LPARAM);
    LRESULT OnSeek(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnListSelect(WPARAM, LPARAM);
    LRESULT OnListRename(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    void MakeLists();
    void Log(const std::string& line);
    std::string NameOf(HWND button) const;
    void Skin(CGDIBitmapBtn& b, const geo::Rect& r);

    OwnedBitmap normal_, over_, down_, page_;
    Image progressTrack_, progressFill_;
    CGDIBitmapBtn press_, toggle_, infoOk_, infoCancel_, infoAuto_;
    CIrrButton shaped_;
    CPngHSliderBar sliderA_, sliderB_;
    CPngHProgressBar progress_;
    CColorBtn swatch_;
    CBitmapEdit edit_;
    CListBoxEx longList_, shortList_;
    OwnedBitmap scrollSkin_;
    int lastTop_ = 0;
    std::string last_ = "ready";
};

TARN_BEGIN_MESSAGES(Gallery)
TARN_ON(WM_PAINT, OnPaint)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_ON(WM_COMMAND, OnCommand)
TARN_ON(kMsgButtonPress, OnPress)
TARN_ON(kMsgSlider, OnSlider)
TARN_ON(kMsgProgressSeek, OnSeek)
TARN_ON(WM_LBUTTONDOWN, OnLButtonDown)
TARN_ON(WM_CLOSE, OnClose)
TARN_ON(kMsgListSelect, OnListSelect)
TARN_ON(kMsgListRename, OnListRename)
TARN_ON(WM_TIMER, OnTimer)
TARN_END_MESSAGES(win::Dialog)

void Gallery::Log(const std::string& line) {
    AppendLog(line);
    last_ = line;
    RECT strip{0, geo::support_page::kSize.height, geo::support_page::kSize.width,
               geo::support_page::kSize.height + kLogHeight};
    InvalidateRect(hwnd_, &strip, FALSE);
}

void Gallery::Skin(CGDIBitmapBtn& b, const geo::Rect& r) {
    b.CreateButton(R(r), hwnd_);
    b.SetSkinImages(r.left, r.top, r.right, r.bottom, normal_.get(), over_.get(), down_.get(),
                    normal_.get());
}

BOOL Gallery::OnInitDialog() {
    DeleteFileW(LogPath().c_str());
    SetWindowTextW(hwnd_, L"TarnGallery");
    using namespace geo::support_page;
    normal_ = LoadPictureFile(SkinPath(L"support_normal.bmp"));
    over_ = LoadPictureFile(SkinPath(L"support_over.bmp"));
    down_ = LoadPictureFile(SkinPath(L"support_down.bmp"));
    page_ = LoadBitmapResource(163);
    Borderless(hwnd_, 20, 20, kSize.width, kSize.height + kLogHeight);

    Skin(press_, kUpdate);
    press_.SetPressNotify(true);
    press_.SetTooltip(u"press notify");
    Skin(toggle_, kWebSite);
    toggle_.SetCheckMode(true, true);
    Skin(infoOk_, kImport);
    Skin(infoCancel_, kExport);
    Skin(infoAuto_, kRestore);

    shaped_.LoadStateBitmaps(157, 159, 158, 157);
    shaped_.CreateShaped(u"", WS_CHILD | WS_VISIBLE, geo::main_window::kTabs[0], hwnd_);

    const geo::Rect a = geo::button_page::kPointerSpeed, b = geo::button_page::kSecondSlider;
    const std::wstring thumb = SkinPath(L"Slider.png");
    sliderA_.CreateSlider(thumb, a.left, a.top, a.right, a.bottom, hwnd_, kSliderA);
    sliderA_.SetTrackRect(a.left, a.top, a.right - 20, a.bottom);
    sliderA_.SetSliderRange(1, 5);
    sliderA_.SetSliderBackground(a.left, a.top, a.width(), a.height(), page_.get());
    sliderA_.SetSliderPos(1);
    sliderB_.CreateSlider(thumb, b.left, b.top, b.right, b.bottom, hwnd_, kSliderB);
    sliderB_.SetTrackRect(b.left, b.top, b.right - 20, b.bottom);
    sliderB_.SetSliderRange(1, 30);
    sliderB_.SetSliderBackground(b.left, b.top, b.width(), b.height(), page_.get());
    sliderB_.SetSliderPos(10);
    sliderB_.EnableSlider(false);

    progressTrack_ = LoadImageFile(SkinPath(L"ProgressBar\\Progress_Normal.png"));
    progressFill_ = LoadImageFile(SkinPath(L"ProgressBar\\Progress_Over.png"));
    const geo::Rect bar = geo::progress_window::kBar;
    progress_.CreateProgress(kProgressRect.left, kProgressRect.top, kProgressRect.right,
                             kProgressRect.bottom, hwnd_, kProgressId);
    progress_.SetProgressImages(bar.left, bar.top, bar.width(), bar.height(), progressTrack_.get(),
                                progressFill_.get());
    progress_.SetProgressRange(0, 100);
    progress_.SetProgressPos(40);

    swatch_.CreateButton({40, 300, 70, 330}, hwnd_);
    swatch_.SetSwatchColor(RGB(232, 120, 20));
    swatch_.SetFrame(true);
    edit_.CreateEdit(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, {90, 306, 200, 322}, hwnd_, 0xA03);
    edit_.SetSkinBackground(90, 306, 110, 16, normal_.get());
    SetWindowTextW(edit_.hwnd(), L"12");
    MakeLists();
    Log("ready");
    return TRUE;
}

LRESULT Gallery::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client{};
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    PaintPicture(dc, normal_);
    RECT strip{10, geo::support_page::kSize.height, client.right - 10, client.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(232, 190, 28));
    HGDIOBJ oldFont = SelectObject(dc, CaptionFont(14));
    DrawTextA(dc, last_.c_str(), -1, &strip, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    EndPaint(hwnd_, &ps);
    return 0;
}

LRESULT Gallery::OnEraseBackground(WPARAM, LPARAM) {
    return TRUE;
}

std::string Gallery::NameOf(HWND button) const {
    if (button == press_.hwnd()) return "press";
    if (button == toggle_.hwnd()) return "toggle";
    if (button == shaped_.hwnd()) return "shaped";
    if (button == swatch_.hwnd()) return "swatch";
    return "other";
}

LRESULT Gallery::OnCommand(WPARAM wParam, LPARAM lParam) {
    HWND from = reinterpret_cast<HWND>(lParam);
    if (!from) return 0;
    if (from == edit_.hwnd()) return 0;
    const auto runBox = [&](const char* name, auto show) {
        const DWORD start = GetTickCount();
        const int result = show();
        Log(std::string("info ") + name + " " + std::to_string(result) + " " +
            std::to_string(GetTickCount() - start));
    };
    if (from == infoOk_.hwnd()) {
        runBox("ok-only",
               [] { return ShowInfoBox(u"The profile was saved to the mouse.", false); });
    } else if (from == infoCancel_.hwnd()) {
        runBox("with-cancel", [] {
            return ShowInfoBox(
                Localized(u"确定要重置奖杯和统计数据么？", u"Do you want to reset trophy data ?"),
                true);
        });
    } else if (from == infoAuto_.hwnd()) {
        runBox("self-closing", [] {
            return ShowSelfClosingInfo(
                Localized(u"没有找到Tarn游戏鼠标.", u"The Tarn gaming mouse cannot be found."));
        });
    } else if (HIWORD(wParam) == BN_CLICKED || from == shaped_.hwnd()) {
        std::string line = "click " + NameOf(from);
        if (from == toggle_.hwnd()) line += toggle_.IsChecked() ? " checked" : " unchecked";
        Log(line);
    }
    return 0;
}

LRESULT Gallery::OnPress(WPARAM wParam, LPARAM lParam) {
    char line[64];
    wsprintfA(line, "notify %X %s", static_cast<unsigned>(wParam),
              NameOf(reinterpret_cast<HWND>(lParam)).c_str());
    Log(line);
    return 0;
}

LRESULT Gallery::OnSlider(WPARAM wParam, LPARAM lParam) {
    Log("slider " + std::to_string(lParam) + " " + std::to_string(wParam));
    return 1;
}

LRESULT Gallery::OnSeek(WPARAM wParam, LPARAM lParam) {
    Log("seek " + std::to_string(lParam) + " " + std::to_string(wParam));
    return 0;
}

LRESULT Gallery::OnLButtonDown(WPARAM, LPARAM lParam) {
    Log("background " + std::to_string(LOWORD(lParam)) + " " + std::to_string(HIWORD(lParam)));
    return 0;
}

// The long list mixes the three icon types and can be renamed in place; the gallery logs
// selections, renames and every change of the first entry shown.
void Gallery::MakeLists() {
    scrollSkin_ = LoadBitmapResource(166);
    const auto style = [](CListBoxEx& list) {
        list.SetListColors(0x0F0F0F, 0x252525);
        list.SetTextColors(0x6B5C53, 0x969696);
        list.SetItemHeight(18);
    };
    longList_.CreateList(kLongListRect, hwnd_, kLongList);
    style(longList_);
    longList_.EnableRename(true);
    for (int i = 0; i < 30; ++i) {
        const std::string text = "Entry " + std::to_string(i);
        longList_.AddEntry(2 + i % 3, std::u16string(text.begin(), text.end()), 100 + i);
    }
    longList_.Select(-1);
    longList_.SetTopIndex(0);
    AttachSkinScroll(longList_.hwnd(), scrollSkin_.get());
    shortList_.CreateList(kShortListRect, hwnd_, kShortList);
    style(shortList_);
    for (const char16_t* text : {u"Click", u"Menu", u"Middle"}) shortList_.AddEntry(0, text, 0);
    AttachSkinScroll(shortList_.hwnd(), scrollSkin_.get());
    SetTimer(hwnd_, kTopIndexTimer, 50, nullptr);
}

LRESULT Gallery::OnListSelect(WPARAM wParam, LPARAM lParam) {
    Log("list select " + std::to_string(wParam) + " " + std::to_string(lParam));
    return 0;
}

LRESULT Gallery::OnListRename(WPARAM wParam, LPARAM lParam) {
    const std::u16string text = longList_.EntryText(static_cast<int>(lParam));
    Log("list rename " + std::to_string(wParam) + " " + std::to_string(lParam) + " " +
        std::string(text.begin(), text.end()) + " " +
        std::to_string(longList_.EntryValue(static_cast<int>(lParam))));
    return 0;
}

LRESULT Gallery::OnTimer(WPARAM id, LPARAM) {
    if (id != kTopIndexTimer) return Default();
    const int top = static_cast<int>(SendMessageW(longList_.hwnd(), LB_GETTOPINDEX, 0, 0));
    if (top != lastTop_) {
        lastTop_ = top;
        Log("list top " + std::to_string(top));
    }
    return 0;
}

LRESULT Gallery::OnClose(WPARAM, LPARAM) {
    EndDialog(0);
    return 0;
}

// One picture of the skins folder (or a bitmap resource) at its own size.
class SkinView : public win::Dialog {
    TARN_DECLARE_MESSAGES()

public:
    explicit SkinView(std::wstring name) : name_(std::move(name)) {}

protected:
    BOOL OnInitDialog() override {
        SetWindowTextW(hwnd_, L"TarnSkinView");
        int w = 100, h = 100;
        if (name_.rfind(L"res:", 0) == 0) {
            bitmap_ = LoadBitmapResource(_wtoi(name_.c_str() + 4));
        } else if (name_.size() > 4 && _wcsicmp(name_.c_str() + name_.size() - 4, L".png") == 0) {
            image_ = LoadImageFile(SkinPath(name_));
        } else {
            bitmap_ = LoadPictureFile(SkinPath(name_));
        }
        if (bitmap_) {
            w = bitmap_.width();
            h = bitmap_.height();
        } else if (image_) {
            w = static_cast<int>(image_->GetWidth());
            h = static_cast<int>(image_->GetHeight());
        }
        Borderless(hwnd_, 0, 0, w, h);
        return TRUE;
    }

private:
    LRESULT OnPaint(WPARAM, LPARAM) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        RECT client{};
        GetClientRect(hwnd_, &client);
        // A checker behind PNG pictures shows their transparency.
        for (int y = 0; y < client.bottom; y += 8) {
            for (int x = 0; x < client.right; x += 8) {
                RECT cell{x, y, x + 8, y + 8};
                HBRUSH b = CreateSolidBrush(((x + y) / 8) % 2 ? RGB(90, 90, 90) : RGB(60, 60, 60));
                FillRect(dc, &cell, b);
                DeleteObject(b);
            }
        }
        if (bitmap_) {
            HDC src = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(src, bitmap_.get());
            BitBlt(dc, 0, 0, bitmap_.width(), bitmap_.height(), src, 0, 0, SRCCOPY);
            SelectObject(src, old);
            DeleteDC(src);
        } else if (image_) {
            Gdiplus::Graphics g(dc);
            g.DrawImage(image_.get(), 0, 0, static_cast<int>(image_->GetWidth()),
                        static_cast<int>(image_->GetHeight()));
        }
        EndPaint(hwnd_, &ps);
        return 0;
    }
    LRESULT OnEraseBackground(WPARAM, LPARAM) { return TRUE; }
    LRESULT OnClose(WPARAM, LPARAM) {
        EndDialog(0);
        return 0;
    }

    std::wstring name_;
    OwnedBitmap bitmap_;
    Image image_;
};

TARN_BEGIN_MESSAGES(SkinView)
TARN_ON(WM_PAINT, OnPaint)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_ON(WM_CLOSE, OnClose)
TARN_END_MESSAGES(win::Dialog)

}  // namespace

int RunControlGallery(const std::wstring& skinToShow, bool chineseUi) {
    if (chineseUi) ChineseUi = 1;
    // No template of this id exists: both windows are built in code on an empty popup.
    constexpr int kNoTemplate = 0x7FFF;
    if (!skinToShow.empty()) {
        SkinView view(skinToShow);
        view.DoModal(nullptr, kNoTemplate);
        return 0;
    }
    Gallery gallery;
    gallery.DoModal(nullptr, kNoTemplate);
    return 0;
}

}  // namespace tarn
