// The software-action sub-page: four actions, each with a choice, a path and a picker.
#include <windows.h>
#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "assign/sub_pages_win32.h"
#include "base/language_state.h"
#include "base/user_messages.h"
#include "settings/file_dialogs.h"

namespace tarn {

namespace sp = geo::sub_page;

namespace {

constexpr COLORREF kLabelColour = 0x695F58;
constexpr StringKey kLabels[kActionKindCount] = {
    StringKey::str_advanced_sound, StringKey::str_advanced_exe, StringKey::str_advanced_file,
    StringKey::str_advanced_dir};

// The system dialog appends at most three characters of its default extension, without the
// dot: ".wav*" would make "name..wa" of a typed name, so only the extension's letters are given.
std::wstring DialogExtension(std::u16string_view extension) {
    std::wstring out;
    for (char16_t c : extension) {
        if (c == u'.' || c == u'*') continue;
        out += static_cast<wchar_t>(c);
    }
    return out;
}

// Room for the longest path the system hands out, so a path too long for the record comes
// back whole and is refused with a message rather than failing the dialog without a word.
constexpr DWORD kPickedPathUnits = 32768;

bool AskFolder(std::u16string& path) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    BROWSEINFOW info{};
    bool chosen = false;
    if (PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info)) {
        std::vector<wchar_t> folder(kPickedPathUnits, L'\0');
        if (SHGetPathFromIDListEx(list, folder.data(), kPickedPathUnits, GPFIDL_DEFAULT) &&
            folder[0]) {
            path.assign(folder.data(), folder.data() + wcslen(folder.data()));
            chosen = true;
        }
        CoTaskMemFree(list);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return chosen;
}

}  // namespace

TARN_BEGIN_MESSAGES(CSetting_AdvanceDlg)
TARN_ON(WM_COMMAND, OnCommand)
TARN_ON(WM_PAINT, OnPaint)
TARN_END_MESSAGES(CSubPage)

BOOL CSetting_AdvanceDlg::OnInitDialog() {
    skin_.Load(L"advanced\\Advanced");
    const std::u16string& browse = Text(StringKey::str_browse);
    for (int k = 0; k < kActionKindCount; ++k) {
        assign::MakeButton(choiceButtons_[k], sp::kActionChoices[k], hwnd_, skin_);
        choiceButtons_[k].SetCheckMode(true, false);
        choiceButtons_[k].SetUserValue(static_cast<int>(ActionChoiceValue(k, buttonIndex_)));
        assign::MakeButton(paths_[k], sp::kActionPaths[k], hwnd_, skin_);
        paths_[k].SetCheckMode(true, false);
        assign::MakeButton(browse_[k], sp::kActionBrowse[k], hwnd_, skin_, browse);
        browse_[k].SetTooltip(browse);
    }
    return FALSE;
}

void CSetting_AdvanceDlg::ShowChoices() {
    for (int k = 0; k < kActionKindCount; ++k) {
        choiceButtons_[k].SetChecked(choices_.checked[k]);
        paths_[k].SetCaption(choices_.paths[k]);
    }
}

bool CSetting_AdvanceDlg::AskPath(int k, std::u16string& path) {
    const ActionPicker& picker = PickerOfAction(k);
    if (picker.folder) return AskFolder(path);
    std::vector<wchar_t> file(kPickedPathUnits, L'\0');
    const std::wstring name = assign::Wide(picker.fileName);
    name.copy(file.data(), kPickedPathUnits - 1);
    const std::u16string filter16 = SystemDialogFilter(picker.filter);
    const std::wstring filter(filter16.begin(), filter16.end());
    const std::wstring extension = DialogExtension(picker.defaultExtension);
    const std::wstring folder = assign::Wide(picker.initialFolder);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetAncestor(hwnd_, GA_ROOT);
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = kPickedPathUnits;
    ofn.lpstrInitialDir = folder.c_str();
    ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    if (!GetOpenFileNameW(&ofn)) return false;
    path.assign(file.data(), file.data() + wcslen(file.data()));
    return true;
}

void CSetting_AdvanceDlg::Browse(int k) {
    std::u16string path;
    const bool chosen = AskPath(k, path);
    const BrowseOutcome outcome = choices_.Browse(k, chosen ? &path : nullptr);
    ShowChoices();
    if (outcome == BrowseOutcome::TooLong) {
        ShowInfoBox(Localized(u"路径太长，最多 259 个字符。请选择路径较短的文件或文件夹。",
                              u"This path is too long: at most 259 characters are kept. Choose a "
                              u"file or folder with a shorter path."));
    }
}

LRESULT CSetting_AdvanceDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    HWND from = reinterpret_cast<HWND>(lParam);
    if (!from) return 0;
    for (int k = 0; k < kActionKindCount; ++k) {
        if (from == browse_[k].hwnd()) {
            Browse(k);
            return 0;
        }
        if (from == paths_[k].hwnd()) {
            const DWORD now = GetTickCount();
            const bool doubleClick =
                HIWORD(wParam) == BN_DOUBLECLICKED ||
                (lastPathClick_ == from && now - lastPathClickTime_ <= GetDoubleClickTime());
            lastPathClick_ = doubleClick ? nullptr : from;
            lastPathClickTime_ = now;
            if (doubleClick) Browse(k);
            return 0;
        }
    }
    for (int k = 0; k < kActionKindCount; ++k) {
        if (from == choiceButtons_[k].hwnd()) {
            choices_.Choose(k);
            ShowChoices();
            return 0;
        }
    }
    return 0;
}

LRESULT CSetting_AdvanceDlg::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    PaintPicture(dc, skin_.normal);
    // Each label ends where its path field begins; the four share one size, the largest at
    // which all of them fit.
    std::array<geo::Rect, kActionKindCount> labels{};
    int height = 14;
    for (int k = 0; k < kActionKindCount; ++k) {
        labels[k] = sp::kActionLabels[k];
        labels[k].right = std::min(labels[k].right, sp::kActionPaths[k].left - 2);
        height =
            std::min(height, assign::FittingLabelHeight(dc, Text(kLabels[k]), labels[k].width()));
    }
    for (int k = 0; k < kActionKindCount; ++k) {
        assign::DrawLabel(dc, Text(kLabels[k]), labels[k], kLabelColour, DT_LEFT, height);
    }
    EndPaint(hwnd_, &ps);
    return 0;
}

}  // namespace tarn
