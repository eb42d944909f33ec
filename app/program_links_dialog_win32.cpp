#include "app/program_links_dialog_win32.h"

#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>

#include "app/profile_follow_win32.h"
#include "app/program_links_texts.h"
#include "base/language_state.h"
#include "settings/file_dialogs.h"
#include "skin/links_dialog_geometry.h"

namespace tarn {

namespace {

namespace ld = geo::links_dialog;

constexpr UINT_PTR kPickTimer = 1;
constexpr int kPickSeconds = 3;
constexpr COLORREF kBodyText = RGB(83, 97, 103);
constexpr COLORREF kProfileText = RGB(38, 44, 50);
constexpr COLORREF kDimText = RGB(138, 147, 156);
constexpr COLORREF kSelectedText = RGB(38, 29, 5);
constexpr COLORREF kTitleText = RGB(200, 204, 212);
constexpr COLORREF kStatusText = RGB(189, 189, 200);
constexpr COLORREF kAccent = RGB(232, 190, 28);
constexpr COLORREF kRule = RGB(196, 202, 208);

RECT ToRect(const geo::Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void GradientRow(HDC dc, const RECT& r, COLORREF top, COLORREF bottom) {
    TRIVERTEX v[2] = {};
    v[0].x = r.left;
    v[0].y = r.top;
    v[0].Red = static_cast<COLOR16>(GetRValue(top) << 8);
    v[0].Green = static_cast<COLOR16>(GetGValue(top) << 8);
    v[0].Blue = static_cast<COLOR16>(GetBValue(top) << 8);
    v[1].x = r.right;
    v[1].y = r.bottom;
    v[1].Red = static_cast<COLOR16>(GetRValue(bottom) << 8);
    v[1].Green = static_cast<COLOR16>(GetGValue(bottom) << 8);
    v[1].Blue = static_cast<COLOR16>(GetBValue(bottom) << 8);
    GRADIENT_RECT rect{0, 1};
    GradientFill(dc, v, 2, &rect, 1, GRADIENT_FILL_RECT_V);
}

void Write(HDC dc, HFONT font, COLORREF colour, RECT r, std::u16string_view text, UINT format) {
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, colour);
    const std::wstring wide = Wide(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, format | DT_NOPREFIX);
    SelectObject(dc, old);
}

// The rows' width leaves room for the scroll bar when there is one.
RECT RowRect(int shown, bool scrollBar) {
    const int top = ld::kRows.top + shown * ld::kRowHeight;
    const int right = scrollBar ? ld::kScrollTrack.left - 4 : ld::kRows.right;
    return {ld::kRows.left, top, right, top + ld::kRowHeight};
}

bool Inside(const geo::Rect& r, int x, int y) {
    return r.contains(x, y);
}

bool HasChineseText(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(), [](char16_t c) { return c >= 0x2E80; });
}

// Chinese faces keep their glyphs small within the cell, so their text gets a taller one.
HFONT TextFont(int pixelHeight, std::u16string_view text) {
    return CaptionFontFor(HasChineseText(text) ? pixelHeight + 3 : pixelHeight, text);
}

}  // namespace

TARN_BEGIN_MESSAGES(CDlgProgramLinks)
TARN_ON(WM_PAINT, OnPaint)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_ON(WM_COMMAND, OnCommand)
TARN_ON(WM_TIMER, OnTimer)
TARN_ON(WM_CLOSE, OnClose)
TARN_ON(WM_LBUTTONDOWN, OnLButtonDown)
TARN_ON(WM_LBUTTONDBLCLK, OnLButtonDown)
TARN_ON(WM_MOUSEMOVE, OnMouseMove)
TARN_ON(WM_LBUTTONUP, OnLButtonUp)
TARN_ON(WM_MOUSEWHEEL, OnMouseWheel)
TARN_END_MESSAGES(win::Dialog)

CDlgProgramLinks::CDlgProgramLinks(int selectedSlot)
    : list_(ld::kVisibleRows), initialSlot_(selectedSlot) {}

CDlgProgramLinks::~CDlgProgramLinks() {
    if (bold_) DeleteObject(bold_);
    if (boldChinese_) DeleteObject(boldChinese_);
}

bool CDlgProgramLinks::Run(HWND owner) {
    DoModal(owner, kLinksDialogTemplate);
    return changed_;
}

void CDlgProgramLinks::MakeButton(CGDIBitmapBtn& button, const geo::Rect& r,
                                  std::u16string_view caption) {
    button.CreateButton(ToRect(r), hwnd_);
    button.SetSkinImages(r.left, r.top, r.right, r.bottom, normal_.get(), over_.get(), down_.get(),
                         normal_.get());
    if (!caption.empty()) {
        button.SetCaption(caption);
        button.SetTextColors(kBodyText, RGB(255, 255, 255), RGB(255, 255, 255));
    }
}

BOOL CDlgProgramLinks::OnInitDialog() {
    SetWindowTextW(hwnd_, kLinksDialogTitle);
    normal_ = LoadBitmapResource(ld::kNormalPicture);
    over_ = LoadBitmapResource(ld::kOverPicture);
    down_ = LoadBitmapResource(ld::kDownPicture);
    // Without its picture the dialog keeps its size, so the list and buttons still work.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + (work.right - work.left - ld::kSize.width) / 2;
    const int y = work.top + (work.bottom - work.top - ld::kSize.height) / 2;

    MakeButton(close_, ld::kClose, {});
    MakeButton(add_, ld::kAdd, AddCaption());
    MakeButton(pick_, ld::kPick, PickCaption());
    MakeButton(remove_, ld::kRemove, RemoveCaption());
    MakeButton(closeButton_, ld::kCloseButton, CloseCaption());

    path_ = ProgramLinksPath();
    load_ = ReadProgramLinks(path_);
    links_ = load_.links;
    list_.Show(links_);
    list_.SelectProfile(initialSlot_);
    const std::u16string problem = LinksProblemText(load_, path_);
    if (!problem.empty()) {
        status_ = problem;
    } else {
        status_ = links_.Empty() ? NoLinksYetText() : LinksIntroText();
    }
    SetWindowPos(hwnd_, HWND_TOP, x, y, ld::kSize.width, ld::kSize.height, SWP_SHOWWINDOW);
    SetForegroundWindow(hwnd_);
    return FALSE;
}

HFONT CDlgProgramLinks::BoldFont(std::u16string_view text) {
    HFONT& font = HasChineseText(text) ? boldChinese_ : bold_;
    if (!font) {
        // The caption font's face, which has the text's glyphs, in bold.
        LOGFONTW look{};
        GetObjectW(TextFont(15, text), sizeof look, &look);
        look.lfWeight = FW_BOLD;
        font = CreateFontIndirectW(&look);
    }
    return font;
}

LRESULT CDlgProgramLinks::OnEraseBackground(WPARAM, LPARAM) {
    return TRUE;
}

LRESULT CDlgProgramLinks::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC screen = BeginPaint(hwnd_, &ps);
    // Drawn off screen and copied at once, so scrolling does not flicker.
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, ld::kSize.width, ld::kSize.height);
    HGDIOBJ oldCanvas = SelectObject(dc, canvas);
    if (normal_) {
        HDC src = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(src, normal_.get());
        BitBlt(dc, 0, 0, ld::kSize.width, ld::kSize.height, src, 0, 0, SRCCOPY);
        SelectObject(src, old);
        DeleteDC(src);
    } else {
        Fill(dc, {0, 0, ld::kSize.width, ld::kSize.height}, RGB(20, 23, 27));
        Fill(dc, ToRect(ld::kCard), RGB(222, 226, 230));
    }
    SetBkMode(dc, TRANSPARENT);
    const std::u16string_view title = LinksTitle();
    Write(dc, TextFont(14, title), kTitleText, ToRect(ld::kTitle), title,
         DT_SINGLELINE | DT_VCENTER);
    PaintRows(dc);
    PaintScrollBar(dc);
    Write(dc, TextFont(13, status_), kStatusText, ToRect(ld::kStatus), status_,
         DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS);
    BitBlt(screen, 0, 0, ld::kSize.width, ld::kSize.height, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldCanvas);
    DeleteObject(canvas);
    DeleteDC(dc);
    EndPaint(hwnd_, &ps);
    return 0;
}

void CDlgProgramLinks::PaintRows(HDC dc) {
    const auto& rows = list_.Rows();
    const bool bar = list_.NeedsScrollBar();
    for (int shown = 0; shown < list_.VisibleRows(); ++shown) {
        const int index = list_.FirstVisible() + shown;
        if (index >= static_cast<int>(rows.size())) break;
        const LinkRow& row = rows[index];
        RECT r = RowRect(shown, bar);
        const bool selected = index == list_.Selected();
        if (row.kind == LinkRow::Kind::Profile && index > 0) {
            Fill(dc, {r.left, r.top, r.right, r.top + 1}, kRule);
        }
        if (selected) {
            RECT fill = r;
            fill.top += 1;
            GradientRow(dc, fill, RGB(244, 205, 69), RGB(196, 150, 15));
        }
        RECT text = r;
        text.right -= 6;
        switch (row.kind) {
            case LinkRow::Kind::Profile: {
                if (!selected) Fill(dc, {r.left, r.top + 5, r.left + 3, r.bottom - 4}, kAccent);
                text.left += 10;
                const std::u16string name = ProfileName(row.slot);
                Write(dc, BoldFont(name), selected ? kSelectedText : kProfileText, text, name,
                     DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
                break;
            }
            case LinkRow::Kind::Program: {
                text.left += ld::kProgramIndent + 14;
                // A small window mark before each program's name.
                const int mx = r.left + ld::kProgramIndent, my = r.top + 7;
                Fill(dc, {mx, my, mx + 9, my + 8}, selected ? kSelectedText : kDimText);
                Fill(dc, {mx + 1, my + 2, mx + 8, my + 7},
                     selected ? RGB(244, 205, 69) : RGB(236, 239, 242));
                Write(dc, TextFont(14, row.program), selected ? kSelectedText : kBodyText,
                     text, row.program, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
                break;
            }
            case LinkRow::Kind::NoProgram: {
                text.left += ld::kProgramIndent + 14;
                const std::u16string_view none = NoProgramText();
                Write(dc, TextFont(13, none), selected ? kSelectedText : kDimText, text, none,
                     DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
                break;
            }
        }
    }
}

void CDlgProgramLinks::PaintScrollBar(HDC dc) {
    if (!list_.NeedsScrollBar()) return;
    const RECT track = ToRect(ld::kScrollTrack);
    Fill(dc, track, RGB(200, 205, 210));
    const ProgramLinksList::Thumb thumb = list_.ThumbIn(ld::kScrollTrack.height());
    const RECT r{track.left, track.top + thumb.top, track.right,
                 track.top + thumb.top + thumb.height};
    GradientRow(dc, r, RGB(150, 158, 166), RGB(110, 118, 126));
}

void CDlgProgramLinks::RepaintList() {
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void CDlgProgramLinks::SetStatus(std::u16string text) {
    status_ = std::move(text);
    if (!savedNote_.empty()) {
        status_ += u" " + savedNote_;
        savedNote_.clear();
    }
    RepaintList();
}

LRESULT CDlgProgramLinks::OnCommand(WPARAM wParam, LPARAM lParam) {
    HWND from = reinterpret_cast<HWND>(lParam);
    if (from && (from == close_.hwnd() || from == closeButton_.hwnd())) {
        StopPick();
        EndDialog(IDCANCEL);
    } else if (from && from == add_.hwnd()) {
        AddFromFile();
    } else if (from && from == pick_.hwnd()) {
        TogglePick();
    } else if (from && from == remove_.hwnd()) {
        RemoveSelected();
    } else if (!from && LOWORD(wParam) == IDCANCEL) {
        StopPick();
        EndDialog(IDCANCEL);
    }
    return 0;
}

LRESULT CDlgProgramLinks::OnClose(WPARAM, LPARAM) {
    StopPick();
    EndDialog(IDCANCEL);
    return 0;
}

void CDlgProgramLinks::AddFromFile() {
    const int slot = list_.SelectedSlot();
    if (slot < 0) {
        SetStatus(std::u16string(ChooseProfileText()));
        return;
    }
    std::wstring filter = Wide(SystemDialogFilter(ProgramFileFilter()));
    const std::wstring title = Wide(ChooseProgramTitle());
    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hwnd_;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = L"exe";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&ofn)) return;
    const std::wstring chosen(file);
    Link(slot, std::u16string(chosen.begin(), chosen.end()));
}

void CDlgProgramLinks::TogglePick() {
    if (picking_) {
        StopPick();
        SetStatus(std::u16string(links_.Empty() ? NoLinksYetText() : LinksIntroText()));
        return;
    }
    if (list_.SelectedSlot() < 0) {
        SetStatus(std::u16string(ChooseProfileText()));
        return;
    }
    picking_ = true;
    countdown_ = kPickSeconds;
    pick_.SetCaption(PickCountdownCaption(countdown_));
    SetStatus(PickCountdownText(countdown_));
    SetTimer(hwnd_, kPickTimer, 1000, nullptr);
}

void CDlgProgramLinks::StopPick() {
    if (!picking_) return;
    picking_ = false;
    countdown_ = 0;
    KillTimer(hwnd_, kPickTimer);
    pick_.SetCaption(PickCaption());
}

LRESULT CDlgProgramLinks::OnTimer(WPARAM wParam, LPARAM) {
    if (wParam != kPickTimer || !picking_) return Default();
    if (--countdown_ > 0) {
        pick_.SetCaption(PickCountdownCaption(countdown_));
        SetStatus(PickCountdownText(countdown_));
        return 0;
    }
    FinishPick();
    return 0;
}

void CDlgProgramLinks::FinishPick() {
    StopPick();
    const ForegroundProgram front = DescribeWindow(GetForegroundWindow());
    switch (front.kind) {
        case ForegroundProgram::Kind::Own:
            SetStatus(std::u16string(PickedOwnText()));
            return;
        case ForegroundProgram::Kind::Nothing:
        case ForegroundProgram::Kind::Unknown:
            SetStatus(std::u16string(PickedNothingText()));
            return;
        case ForegroundProgram::Kind::Program:
            break;
    }
    Link(list_.SelectedSlot(), front.path);
    // The result shows where the user left the dialog; the system may keep the program in front.
    SetForegroundWindow(hwnd_);
}

void CDlgProgramLinks::Link(int slot, const std::u16string& program) {
    const ProgramLinks before = links_;
    const LinkChange change = links_.Add(slot, program);
    const std::u16string name = ProgramFileName(program);
    if (change == LinkChange::Added && !Save(before)) return;
    std::u16string text = LinkChangeText(change, name, slot);
    if (change == LinkChange::Added || change == LinkChange::AlreadyLinked) {
        const int other = links_.OtherSlotFor(name, slot);
        if (other >= 0 && other < slot) text += u" " + ShadowedText(name, other);
        list_.Show(links_);
        list_.SelectProgram(slot, name);
    }
    SetStatus(std::move(text));
}

void CDlgProgramLinks::RemoveSelected() {
    const LinkRow* row = list_.SelectedRow();
    if (!row || row->kind != LinkRow::Kind::Program) {
        SetStatus(std::u16string(ChooseProgramText()));
        return;
    }
    const int slot = row->slot;
    const std::u16string name = row->program;
    const ProgramLinks before = links_;
    links_.Remove(slot, name);
    if (!Save(before)) return;
    list_.Show(links_);
    SetStatus(LinkChangeText(LinkChange::Removed, name, slot));
}

// Every change goes to disk at once; one that cannot be saved is taken back, so the list never
// shows links the file does not hold.
bool CDlgProgramLinks::Save(const ProgramLinks& before) {
    const bool wasDamaged = load_.status == LinksStatus::Damaged;
    if (SaveProgramLinks(path_, links_) != FileError::None) {
        links_ = before;
        list_.Show(links_);
        SetStatus(SaveFailedText(path_));
        return false;
    }
    changed_ = true;
    load_.status = LinksStatus::Loaded;
    // Told once, beside the change itself.
    if (wasDamaged) savedNote_ = DamagedKeptText(path_ + std::u16string(kDamagedLinksSuffix));
    return true;
}

LRESULT CDlgProgramLinks::OnLButtonDown(WPARAM, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    if (list_.NeedsScrollBar() && Inside(ld::kScrollTrack, x, y)) {
        const int inTrack = y - ld::kScrollTrack.top;
        const ProgramLinksList::Thumb thumb = list_.ThumbIn(ld::kScrollTrack.height());
        if (inTrack >= thumb.top && inTrack < thumb.top + thumb.height) {
            draggingThumb_ = true;
            dragOffset_ = inTrack - thumb.top;
            SetCapture(hwnd_);
        } else {
            // A click beside the thumb pages towards it.
            list_.Scroll(inTrack < thumb.top ? -list_.VisibleRows() : list_.VisibleRows());
            RepaintList();
        }
        return 0;
    }
    const bool bar = list_.NeedsScrollBar();
    const RECT rows = RowRect(0, bar);
    if (x >= rows.left && x < rows.right && Inside(ld::kRows, x, y)) {
        const int row = list_.RowAt(y - ld::kRows.top, ld::kRowHeight);
        if (row >= 0) {
            list_.Select(row);
            RepaintList();
        }
        return 0;
    }
    // Any free spot drags the dialog, as on the main window.
    if (!Inside(ld::kCard, x, y)) PostMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
    return 0;
}

LRESULT CDlgProgramLinks::OnMouseMove(WPARAM, LPARAM lParam) {
    if (!draggingThumb_) return Default();
    const int y = GET_Y_LPARAM(lParam) - ld::kScrollTrack.top - dragOffset_;
    if (list_.ScrollToThumb(y, ld::kScrollTrack.height())) RepaintList();
    return 0;
}

LRESULT CDlgProgramLinks::OnLButtonUp(WPARAM, LPARAM) {
    if (draggingThumb_) {
        draggingThumb_ = false;
        ReleaseCapture();
    }
    return Default();
}

LRESULT CDlgProgramLinks::OnMouseWheel(WPARAM wParam, LPARAM) {
    const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
    if (notches != 0 && list_.Scroll(-notches * 3)) RepaintList();
    return 0;
}

}  // namespace tarn
