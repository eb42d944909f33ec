#include "skin/bitmap_button_win32.h"

#include <map>
#include <utility>
#include <vector>

#include "base/window_messages.h"

namespace tarn {

namespace {
// The release is handled one message later, so the posted 0x70D 0x202 reaches the parent
// before the click notification that the platform's release handling sends.
constexpr UINT kMsgDeferredUp = WM_APP + 0x2A1;

void Blit(HDC dc, const OwnedBitmap& picture, int width, int height) {
    if (!picture) return;
    HDC src = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(src, picture.get());
    BitBlt(dc, 0, 0, width, height, src, 0, 0, SRCCOPY);
    SelectObject(src, old);
    DeleteDC(src);
}
}  // namespace

namespace {
// A face with Chinese glyphs that is present: the usual Windows ones first, then whichever
// font the system offers for the Chinese character set ("MS Shell Dlg" has none under Wine).
int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM list) {
    reinterpret_cast<std::vector<std::wstring>*>(list)->push_back(font->lfFaceName);
    return 1;
}

const std::wstring& ChineseFace() {
    static const std::wstring face = [] {
        std::vector<std::wstring> faces;
        LOGFONTW query{};
        query.lfCharSet = GB2312_CHARSET;
        HDC dc = GetDC(nullptr);
        EnumFontFamiliesExW(dc, &query, &CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
        ReleaseDC(nullptr, dc);
        for (const wchar_t* preferred : {L"Microsoft YaHei", L"SimSun", L"Noto Sans CJK SC"}) {
            for (const std::wstring& f : faces) {
                if (f == preferred) return f;
            }
        }
        for (const std::wstring& f : faces) {
            if (!f.empty() && f[0] != L'@') return f;  // '@' faces are the vertical forms
        }
        return std::wstring(L"MS Shell Dlg");
    }();
    return face;
}

HFONT CachedFont(int pixelHeight, bool chinese, int weight = 300) {
    // A handful of heights serve the whole program; they live as long as it does.
    static std::map<std::pair<int, int>, HFONT> fonts;
    HFONT& font = fonts[{pixelHeight * 2 + (chinese ? 1 : 0), weight}];
    if (!font) {
        font = CreateFontW(pixelHeight, 0, 0, 0, weight, FALSE, FALSE, FALSE,
                           chinese ? GB2312_CHARSET : DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH,
                           chinese ? ChineseFace().c_str() : L"MS Shell Dlg");
    }
    return font;
}

bool HasChinese(std::u16string_view text) {
    for (char16_t c : text) {
        if (c >= 0x2E80 && c < 0xA000) return true;  // CJK radicals .. unified ideographs
        if (c >= 0xF900 && c < 0xFB00) return true;  // compatibility ideographs
        if (c >= 0xFF00 && c < 0xFFF0) return true;  // full-width forms
    }
    return false;
}
}  // namespace

HFONT CaptionFont(int pixelHeight) {
    return CachedFont(pixelHeight, false);
}

HFONT CaptionFontFor(int pixelHeight, std::u16string_view text) {
    return CachedFont(pixelHeight, HasChinese(text));
}

HFONT TextFontFor(int pixelHeight, int weight, std::u16string_view text) {
    return CachedFont(pixelHeight, HasChinese(text), weight);
}

TARN_BEGIN_MESSAGES(CGDIBitmapBtn)
TARN_ON(win::kReflectBase + WM_DRAWITEM, OnDrawItem)
TARN_ON(WM_MOUSEMOVE, OnMouseMove)
TARN_ON(WM_LBUTTONDOWN, OnLButtonDown)
TARN_ON(WM_LBUTTONDBLCLK, OnLButtonDown)
TARN_ON(WM_LBUTTONUP, OnLButtonUp)
TARN_ON(kMsgDeferredUp, OnDeferredUp)
TARN_ON(WM_KILLFOCUS, OnKillFocus)
TARN_ON(WM_CAPTURECHANGED, OnCaptureChanged)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_END_MESSAGES(win::Window)

bool CGDIBitmapBtn::CreateButton(const RECT& rect, HWND parent, std::u16string_view caption,
                                 DWORD style) {
    caption_.assign(caption);
    return CreateControl(L"BUTTON", L"", style | BS_OWNERDRAW, rect, parent, 0);
}

void CGDIBitmapBtn::SetSkinImages(int left, int top, int right, int bottom, HBITMAP normal,
                                  HBITMAP over, HBITMAP down, HBITMAP disabled, HBITMAP altNormal,
                                  HBITMAP altDown) {
    const int w = right - left, h = bottom - top;
    auto cut = [&](OwnedBitmap& slot, HBITMAP skin) {
        if (skin) slot = CutPicture(skin, left, top, w, h);
    };
    cut(normal_, normal);
    cut(over_, over);
    cut(down_, down);
    cut(disabled_, disabled);
    cut(altNormal_, altNormal);
    cut(altDown_, altDown);
    if (hwnd_) {
        LONG_PTR s = GetWindowLongPtrW(hwnd_, GWL_STYLE);
        SetWindowLongPtrW(hwnd_, GWL_STYLE, s & ~(WS_BORDER | WS_TABSTOP));
        LONG_PTR ex = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
        SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, ex & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
        Repaint();
    }
}

void CGDIBitmapBtn::SetStateBitmaps(HBITMAP normal, HBITMAP over, HBITMAP down, HBITMAP disabled) {
    normal_.Reset(normal);
    over_.Reset(over);
    down_.Reset(down);
    disabled_.Reset(disabled);
    Repaint();
}

void CGDIBitmapBtn::SetCaption(std::u16string_view text) {
    caption_.assign(text);
    Repaint();
}

void CGDIBitmapBtn::SetTooltip(std::u16string_view text, bool activate) {
    tooltip_.Set(hwnd_, text, activate);
}

void CGDIBitmapBtn::SetCheckMode(bool checkMode, bool toggleOnClick) {
    state_.checkMode = checkMode;
    toggleOnClick_ = toggleOnClick;
    Repaint();
}

void CGDIBitmapBtn::SetChecked(bool checked) {
    if (state_.checked == checked) return;
    state_.checked = checked;
    Repaint();
}

void CGDIBitmapBtn::SetTextColors(COLORREF normal, COLORREF over, COLORREF down) {
    textNormal_ = normal;
    textOver_ = over;
    textDown_ = down;
    Repaint();
}

void CGDIBitmapBtn::SetUseAltNormal(bool use) {
    state_.useAltNormal = use;
    Repaint();
}

void CGDIBitmapBtn::SetUseAltDown(bool use) {
    state_.useAltDown = use;
    Repaint();
}

void CGDIBitmapBtn::SetLargeFont(bool large) {
    largeFont_ = large;
    Repaint();
}

void CGDIBitmapBtn::SetTextRect(const RECT& rect) {
    textRect_ = rect;
    Repaint();
}

void CGDIBitmapBtn::Repaint() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

const OwnedBitmap& CGDIBitmapBtn::PictureFor(skin::Picture picture) const {
    switch (picture) {
        case skin::Picture::Over:
            return over_;
        case skin::Picture::Down:
            return down_;
        case skin::Picture::AltNormal:
            return altNormal_;
        case skin::Picture::AltDown:
            return altDown_;
        case skin::Picture::Disabled:
            return disabled_;
        case skin::Picture::Normal:
        default:
            return normal_;
    }
}

COLORREF CGDIBitmapBtn::ColourFor(skin::TextRole role) const {
    switch (role) {
        case skin::TextRole::Over:
            return textOver_;
        case skin::TextRole::Down:
            return textDown_;
        case skin::TextRole::Disabled:
            return skin::kTextDisabled;
        case skin::TextRole::Normal:
        default:
            return textNormal_;
    }
}

LRESULT CGDIBitmapBtn::OnDrawItem(WPARAM, LPARAM lParam) {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    state_.pressed = (dis->itemState & ODS_SELECTED) != 0;
    state_.disabled = (dis->itemState & ODS_DISABLED) != 0;
    state_.hover = hover_.hover();
    const skin::ButtonLook look = skin::ChooseBitmapButtonLook(state_);
    const int w = dis->rcItem.right - dis->rcItem.left, h = dis->rcItem.bottom - dis->rcItem.top;
    Blit(dis->hDC, PictureFor(look.picture), w, h);
    if (caption_.empty()) return TRUE;

    const int fontHeight = largeFont_ ? skin::kLargeCaptionHeight : skin::kCaptionHeight;
    geo::Rect textRect{};
    const bool downColour = look.text == skin::TextRole::Down;
    if (textRect_) {
        const geo::Rect given{textRect_->left, textRect_->top, textRect_->right, textRect_->bottom};
        textRect = skin::CaptionRect(w, h, fontHeight, &given, downColour);
    } else {
        textRect = skin::CaptionRect(w, h, fontHeight, nullptr, downColour);
    }
    RECT r{textRect.left, textRect.top, textRect.right, textRect.bottom};
    HGDIOBJ oldFont = SelectObject(dis->hDC, CaptionFontFor(fontHeight, caption_));
    SetBkMode(dis->hDC, TRANSPARENT);
    SetTextColor(dis->hDC, ColourFor(look.text));
    DrawTextW(dis->hDC, reinterpret_cast<const wchar_t*>(caption_.c_str()),
              static_cast<int>(caption_.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dis->hDC, oldFont);
    return TRUE;
}

LRESULT CGDIBitmapBtn::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    if (hover_.OnMouseMove(hwnd_, wParam)) Repaint();
    ForwardMouseMove(hwnd_, wParam, lParam);
    return Default();
}

LRESULT CGDIBitmapBtn::OnLButtonDown(WPARAM wParam, LPARAM lParam) {
    HWND owner = GetWindow(hwnd_, GW_OWNER);
    if (!owner) owner = GetParent(hwnd_);
    // Only a top-level window can be the active one.
    HWND top = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    if (top && GetActiveWindow() != top) SetActiveWindow(top);
    if (toggleOnClick_) {
        state_.checked = !state_.checked;
        Repaint();
    }
    if (pressNotify_) {
        PostMessageW(GetParent(hwnd_), kMsgButtonPress, WM_LBUTTONDOWN,
                     reinterpret_cast<LPARAM>(hwnd_));
    }
    // A quick second press is a press like any other: owner-drawn buttons would otherwise
    // report it as a double click instead of a click.
    return DefaultProcessing(WM_LBUTTONDOWN, wParam, lParam);
}

LRESULT CGDIBitmapBtn::OnLButtonUp(WPARAM wParam, LPARAM lParam) {
    if (!pressNotify_) return Default();
    PostMessageW(GetParent(hwnd_), kMsgButtonPress, WM_LBUTTONUP, reinterpret_cast<LPARAM>(hwnd_));
    PostMessageW(hwnd_, kMsgDeferredUp, wParam, lParam);
    return 0;
}

LRESULT CGDIBitmapBtn::OnDeferredUp(WPARAM wParam, LPARAM lParam) {
    return DefaultProcessing(WM_LBUTTONUP, wParam, lParam);
}

LRESULT CGDIBitmapBtn::OnKillFocus(WPARAM, LPARAM) {
    if (hover_.OnKillFocus()) Repaint();
    return Default();
}

LRESULT CGDIBitmapBtn::OnCaptureChanged(WPARAM, LPARAM lParam) {
    if (hover_.OnCaptureChanged(hwnd_, reinterpret_cast<HWND>(lParam))) Repaint();
    return Default();
}

// The picture covers the whole button; erasing first would only flicker.
LRESULT CGDIBitmapBtn::OnEraseBackground(WPARAM, LPARAM) {
    return TRUE;
}

}  // namespace tarn
