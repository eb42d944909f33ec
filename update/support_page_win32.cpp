#include "update/support_page_win32.h"

#include <gdiplus.h>
#include <shellapi.h>
#include <windowsx.h>

#include "base/user_messages.h"
#include "base/window_messages.h"
#include "settings/file_dialogs_win32.h"
#include "settings/profile_exchange.h"
#include "skin/offscreen_canvas_win32.h"
#include "update/firmware_tool_win32.h"

namespace tarn {

namespace {

std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

RECT R(const geo::Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

bool IsVersionArea(SupportControl control) {
    return control == SupportControl::DriverVersion || control == SupportControl::FirmwareVersion;
}

}  // namespace

TARN_BEGIN_MESSAGES(CDlgSupport)
TARN_ON(WM_PAINT, OnPaint)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_ON(WM_MOUSEMOVE, OnMouseMove)
TARN_ON(WM_TIMER, OnTimer)
TARN_ON(WM_COMMAND, OnCommand)
TARN_ON(kMsgManifestFetched, OnManifestFetched)
TARN_ON(kMsgImageFetched, OnImageFetched)
TARN_ON(WM_DESTROY, OnDestroy)
TARN_END_MESSAGES(CPage)

CDlgSupport::CDlgSupport() : check_(*this, UpdateState()) {}

BOOL CDlgSupport::OnInitDialog() {
    normal_ = LoadPictureFile(SkinPath(L"support_normal.bmp"));
    over_ = LoadPictureFile(SkinPath(L"support_over.bmp"));
    down_ = LoadPictureFile(SkinPath(L"support_down.bmp"));
    if (normal_) {
        SetWindowPos(hwnd_, nullptr, 0, 0, normal_.width(), normal_.height(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CreateButtons();
    UpdateState()->resultWindow = reinterpret_cast<WindowId>(hwnd_);
    return FALSE;
}

void CDlgSupport::CreateButtons() {
    for (size_t i = 0; i < kSupportControls.size(); ++i) {
        const SupportControlRow& row = kSupportControls[i];
        CGDIBitmapBtn& button = buttons_[i];
        const geo::Rect& r = row.rect;
        button.CreateButton(R(r), hwnd_);
        button.SetSkinImages(r.left, r.top, r.right, r.bottom, normal_.get(), over_.get(),
                             down_.get(), normal_.get());
        // The version areas only carry a hint: checked never changes, so they keep their look.
        if (IsVersionArea(row.control)) {
            button.SetCheckMode(true, false);
            button.SetHoverEnabled(false);
        }
    }
    LanguageChanged();
}

void CDlgSupport::LanguageChanged() {
    for (size_t i = 0; i < kSupportControls.size(); ++i) {
        const SupportControlRow& row = kSupportControls[i];
        if (row.tooltip && buttons_[i].hwnd()) buttons_[i].SetTooltip(Text(*row.tooltip));
    }
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void CDlgSupport::SetDeviceFirmwareText(std::u16string_view text) {
    check_.SetDeviceFirmwareText(text);
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

HWND CDlgSupport::MainWindow() const {
    return GetParent(hwnd_);
}

LRESULT CDlgSupport::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client;
    GetClientRect(hwnd_, &client);
    {
        OffscreenCanvas canvas(dc, client.right, client.bottom);
        if (normal_) {
            HDC source = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(source, normal_.get());
            BitBlt(canvas.dc(), 0, 0, normal_.width(), normal_.height(), source, 0, 0, SRCCOPY);
            SelectObject(source, old);
            DeleteDC(source);
        } else {
            FillRect(canvas.dc(), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        }
        PaintVersions(canvas.dc());
    }
    EndPaint(hwnd_, &ps);
    return 0;
}

void CDlgSupport::PaintVersions(HDC dc) {
    Gdiplus::Graphics g(dc);
    // "MS Shell Dlg" is a name the font mapper resolves, not a family GDI+ knows; GDI makes the
    // font and hands it over.
    HFONT gdiFont = CreateFontW(-MulDiv(kVersionTextPoints, GetDeviceCaps(dc, LOGPIXELSY), 72), 0,
                                0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                DEFAULT_PITCH, L"MS Shell Dlg");
    {
        Gdiplus::Font font(dc, gdiFont);
        Gdiplus::SolidBrush brush{Gdiplus::Color(kVersionTextArgb)};
        Gdiplus::StringFormat format;
        format.SetAlignment(Gdiplus::StringAlignmentNear);
        g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
        auto draw = [&](std::u16string_view text, const TextBox& box) {
            const std::wstring wide = Wide(text);
            g.DrawString(wide.c_str(), -1, &font,
                         Gdiplus::RectF(float(box.x), float(box.y), float(box.width),
                                        float(box.height)),
                         &format, &brush);
        };
        draw(kProgramVersionText, kProgramVersionBox);
        draw(FirmwareVersionLabel(check_.DeviceFirmwareText()), kFirmwareVersionBox);
    }
    DeleteObject(gdiFont);
}

LRESULT CDlgSupport::OnEraseBackground(WPARAM, LPARAM) {
    return 1;
}

LRESULT CDlgSupport::OnMouseMove(WPARAM, LPARAM lParam) {
    for (int id : SupportHintIdsAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) PostHint(id);
    return 0;
}

LRESULT CDlgSupport::OnTimer(WPARAM wParam, LPARAM) {
    if (wParam != kUpdateTimerId) return Default();
    check_.OnTimeout();
    return 0;
}

LRESULT CDlgSupport::OnManifestFetched(WPARAM wParam, LPARAM lParam) {
    check_.OnManifestFetched(static_cast<uint32_t>(wParam), lParam != 0);
    return 0;
}

LRESULT CDlgSupport::OnImageFetched(WPARAM wParam, LPARAM lParam) {
    check_.OnImageFetched(static_cast<uint32_t>(wParam), lParam != 0);
    return 0;
}

LRESULT CDlgSupport::OnCommand(WPARAM, LPARAM lParam) {
    const HWND sender = reinterpret_cast<HWND>(lParam);
    for (size_t i = 0; i < kSupportControls.size(); ++i) {
        if (!sender || sender != buttons_[i].hwnd()) continue;
        switch (kSupportControls[i].control) {
            case SupportControl::Update:
                check_.CheckForUpdate();
                break;
            case SupportControl::WebSite:
                OpenWebSite();
                break;
            case SupportControl::Import: {
                Win32FileDialogs dialogs(reinterpret_cast<WindowId>(MainWindow()));
                ImportProfile(Settings(), dialogs);
                break;
            }
            case SupportControl::Export: {
                Win32FileDialogs dialogs(reinterpret_cast<WindowId>(MainWindow()));
                ExportProfile(Settings(), dialogs);
                break;
            }
            case SupportControl::Restore:
                RestoreDefaults();
                break;
            case SupportControl::DriverVersion:
            case SupportControl::FirmwareVersion:
                break;
        }
        return 0;
    }
    return Default();
}

void CDlgSupport::OpenWebSite() {
    const std::wstring address = Wide(kVendorWebSite);
    ShellExecuteW(MainWindow(), L"open", address.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

void CDlgSupport::RestoreDefaults() {
    if (ShowInfoBox(RestoreDefaultsQuestion(), true) != kInfoOk) return;
    PostMessageW(MainWindow(), kMsgRestoreDefaults, 0, 0);
}

LRESULT CDlgSupport::OnDestroy(WPARAM, LPARAM) {
    KillTimer(hwnd_, kUpdateTimerId);
    WindowId self = reinterpret_cast<WindowId>(hwnd_);
    UpdateState()->resultWindow.compare_exchange_strong(self, 0);
    return Default();
}

void CDlgSupport::StartTimeoutTimer() {
    SetTimer(hwnd_, kUpdateTimerId, kUpdateTimeoutMs, nullptr);
}

void CDlgSupport::StopTimeoutTimer() {
    KillTimer(hwnd_, kUpdateTimerId);
}

bool CDlgSupport::StartFirmwareTool() {
    return ::tarn::StartFirmwareTool(MainWindow());
}

}  // namespace tarn
