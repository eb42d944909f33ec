#include "skin/popup_menu_win32.h"

#include <windowsx.h>

#include <string>

namespace tarn {

namespace {

constexpr wchar_t kPopupClass[] = L"TarnPopupMenu";
constexpr DWORD kHoverTimeMs = 50;

Gdiplus::Color ToColor(uint32_t bgr, BYTE alpha = 255) {
    return Gdiplus::Color(alpha, bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

Gdiplus::Rect ToGdi(const geo::Rect& r) {
    return {r.left, r.top, r.width(), r.height()};
}

// A top-down 32-bit surface that GDI+ draws on and UpdateLayeredWindow shows.
struct LayerSurface {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    void* bits = nullptr;
    LayerSurface(int width, int height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap) old = SelectObject(dc, bitmap);
    }
    ~LayerSurface() {
        if (old) SelectObject(dc, old);
        if (bitmap) DeleteObject(bitmap);
        if (dc) DeleteDC(dc);
    }
    bool ok() const { return bitmap && bits; }
};

void DrawNineParts(Gdiplus::Graphics& g, Gdiplus::Image* picture, geo::Size target) {
    const geo::Size source{static_cast<int>(picture->GetWidth()),
                           static_cast<int>(picture->GetHeight())};
    for (const NinePiece& piece : NinePartPieces(source, target, kPopupCorner)) {
        g.DrawImage(picture, ToGdi(piece.target), piece.source.left, piece.source.top,
                    piece.source.width(), piece.source.height(), Gdiplus::UnitPixel);
    }
}

}  // namespace

TARN_BEGIN_MESSAGES(CWndPopup)
TARN_ON(WM_ACTIVATE, OnActivate)
TARN_ON(WM_CLOSE, OnClose)
TARN_ON(WM_NCCALCSIZE, OnNcCalcSize)
TARN_ON(WM_NCHITTEST, OnNcHitTest)
TARN_END_MESSAGES(win::Window)

CWndPopup::CWndPopup() {
    // The menu texts are Latin; a Chinese character set makes some font mappers pick a face
    // without Latin glyphs.
    font_ = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                        L"Arial");
}

CWndPopup::~CWndPopup() {
    if (font_) DeleteObject(font_);
}

void CWndPopup::SetPopupBackground(int pngResource) {
    background_ = LoadResourcePng(pngResource);
}

bool CWndPopup::CreatePopup(HWND parent, int x, int y, int, int, UINT notifyMessage) {
    parent_ = parent;
    notifyMessage_ = notifyMessage;
    FillItems();
    size_ = LayoutItems();
    const RECT rect{x, y, x + size_.width, y + size_.height};
    if (!Create(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED, kPopupClass, L"", WS_POPUP, rect,
                parent)) {
        return false;
    }
    Render();
    // The popup must hold the activation, so that losing it (a click elsewhere) closes it.
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    SetActiveWindow(hwnd_);
    SetFocus(hwnd_);
    return true;
}

void CWndPopup::OnFinalMessage() {
    delete this;
}

LRESULT CWndPopup::OnActivate(WPARAM wParam, LPARAM) {
    if (LOWORD(wParam) == WA_INACTIVE) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    return 0;
}

LRESULT CWndPopup::OnClose(WPARAM, LPARAM) {
    HWND parent = parent_;
    HWND self = hwnd_;
    parent_ = nullptr;  // one closing notice, even if a second close request is queued
    if (parent && IsWindow(parent)) SendMessageW(parent, kPopupClosedMessage, 0, 0);
    if (IsWindow(self)) DestroyWindow(self);
    return 0;
}

LRESULT CWndPopup::OnNcCalcSize(WPARAM, LPARAM) {
    return 0;
}

LRESULT CWndPopup::OnNcHitTest(WPARAM, LPARAM) {
    return HTCLIENT;
}

TARN_BEGIN_MESSAGES(CMenuEx)
TARN_ON(WM_MOUSEMOVE, OnMouseMove)
TARN_ON(WM_MOUSEHOVER, OnMouseHover)
TARN_ON(WM_MOUSELEAVE, OnMouseLeave)
TARN_ON(WM_LBUTTONDOWN, OnLButtonDown)
TARN_ON(WM_LBUTTONUP, OnLButtonUp)
TARN_ON(WM_CAPTURECHANGED, OnCaptureChanged)
TARN_END_MESSAGES(CWndPopup)

void CMenuEx::AddItem(PopupItem item) {
    Image icon = item.iconResource ? LoadResourcePng(item.iconResource) : nullptr;
    if (icon) {
        item.iconWidth = static_cast<int>(icon->GetWidth());
        item.iconHeight = static_cast<int>(icon->GetHeight());
    }
    items_.push_back(std::move(item));
    icons_.push_back(std::move(icon));
    size_ = LayoutItems();
}

void CMenuEx::AddMenuItem(std::u16string_view text, int pngResource, int id) {
    PopupItem item;
    item.id = id;
    item.iconResource = pngResource;
    item.text = std::u16string(text);
    AddItem(std::move(item));
}

void CMenuEx::AddSeparator() {
    PopupItem item;
    item.separator = true;
    AddItem(std::move(item));
}

geo::Size CMenuEx::LayoutItems() {
    return LayoutPopupItems(items_);
}

void CMenuEx::Render() {
    if (!hwnd_ || size_.width <= 0 || size_.height <= 0) return;
    LayerSurface surface(size_.width, size_.height);
    if (!surface.ok()) return;
    {
        Gdiplus::Bitmap canvas(size_.width, size_.height, size_.width * 4, PixelFormat32bppPARGB,
                               static_cast<BYTE*>(surface.bits));
        Gdiplus::Graphics g(&canvas);
        g.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
        g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        if (background_) {
            DrawNineParts(g, background_.get(), size_);
        } else {
            // Without a picture: a blue one-pixel frame round a white body.
            Gdiplus::SolidBrush frame(ToColor(kPopupFrame));
            Gdiplus::SolidBrush body(ToColor(kPopupBody));
            g.FillRectangle(&frame, 0, 0, size_.width, size_.height);
            g.FillRectangle(&body, 1, 1, size_.width - 2, size_.height - 2);
        }
        HDC dc = g.GetHDC();
        Gdiplus::Font font(dc, font_);
        g.ReleaseHDC(dc);
        Gdiplus::StringFormat format;
        format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
        format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap);
        format.SetTrimming(Gdiplus::StringTrimmingEllipsisWord);
        g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
        for (size_t i = 0; i < items_.size(); ++i) {
            const PopupItem& item = items_[i];
            if (item.separator) {
                Gdiplus::SolidBrush line(ToColor(kPopupSeparator));
                g.FillRectangle(&line, ToGdi(item.rect));
                continue;
            }
            const bool hot = static_cast<int>(i) == hovered_;
            if (hot) {
                Gdiplus::SolidBrush fill(ToColor(kPopupHoverFill));
                g.FillRectangle(&fill, ToGdi(item.rect));
            }
            const geo::Rect t = PopupTextRect(item.rect);
            Gdiplus::SolidBrush ink(ToColor(hot ? kPopupHoverText : kPopupText));
            const std::wstring text(item.text.begin(), item.text.end());
            g.DrawString(
                text.c_str(), -1, &font,
                Gdiplus::RectF(float(t.left), float(t.top), float(t.width()), float(t.height())),
                &format, &ink);
            if (icons_[i]) {
                const geo::Point at = PopupIconPosition(item.rect, item.iconWidth, item.iconHeight);
                g.DrawImage(icons_[i].get(), at.x, at.y, item.iconWidth, item.iconHeight);
            }
        }
    }
    POINT origin{0, 0};
    SIZE size{size_.width, size_.height};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(hwnd_, nullptr, nullptr, &size, surface.dc, &origin, 0, &blend, ULW_ALPHA);
}

void CMenuEx::RequestTracking() {
    if (trackingRequested_) return;
    TRACKMOUSEEVENT track{sizeof track, TME_HOVER | TME_LEAVE, hwnd_, kHoverTimeMs};
    trackingRequested_ = TrackMouseEvent(&track) != FALSE;
}

POINT CMenuEx::CursorInClient() const {
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(hwnd_, &p);
    return p;
}

void CMenuEx::HoverAt(POINT client) {
    const HoverMove move = MovePopupHover(items_, hovered_, client.x, client.y);
    if (!move.changed) return;
    hovered_ = move.hovered;
    Render();
}

LRESULT CMenuEx::OnMouseMove(WPARAM, LPARAM lParam) {
    RequestTracking();
    if (!leftDown_) HoverAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return 0;
}

LRESULT CMenuEx::OnMouseHover(WPARAM, LPARAM) {
    trackingRequested_ = false;
    if (!leftDown_) HoverAt(CursorInClient());
    return 0;
}

LRESULT CMenuEx::OnMouseLeave(WPARAM, LPARAM) {
    trackingRequested_ = false;
    if (!leftDown_) HoverAt(CursorInClient());
    return 0;
}

LRESULT CMenuEx::OnLButtonDown(WPARAM, LPARAM) {
    leftDown_ = true;
    SetCapture(hwnd_);
    captured_ = true;
    return 0;
}

LRESULT CMenuEx::OnLButtonUp(WPARAM, LPARAM lParam) {
    leftDown_ = false;
    if (captured_) {
        captured_ = false;
        ReleaseCapture();
    }
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const bool valid = hovered_ >= 0 && hovered_ < static_cast<int>(items_.size());
    if (valid && items_[hovered_].rect.contains(p.x, p.y)) {
        // Choosing does not close the menu; the parent does.
        SendMessageW(parent_, notifyMessage_, 0, items_[hovered_].id);
        return 0;
    }
    hovered_ = -1;
    Render();
    return 0;
}

LRESULT CMenuEx::OnCaptureChanged(WPARAM, LPARAM) {
    captured_ = false;
    leftDown_ = false;
    return 0;
}

void CMenuExA::FillItems() {
    for (PopupItem& item : LanguageMenuItems()) AddItem(std::move(item));
}

}  // namespace tarn
