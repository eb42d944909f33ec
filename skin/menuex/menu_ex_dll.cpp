// MenuEx.dll: a one-level popup menu drawn from the caller's pictures and colours. It shows the
// top-level items at the given screen point, reports a chosen item by posting 0x501 (lParam = the
// item's id) to the owner, and closes when an item is chosen, when the owner's thread sees a
// click outside it, on Esc, or when the caller asks.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "skin/bmp_check.h"
#include "skin/menu_ex_library.h"

namespace {

constexpr UINT kChosenMessage = 0x501;
constexpr wchar_t kClassName[] = L"TarnMenuEx";
constexpr wchar_t kWindowTitle[] = L"TarnMenuEx";
constexpr int kMinimumWidth = 140;
constexpr int kTextMargin = 12;

enum Picture { kNormal, kHover, kPressed, kNormal2, kSubNormal, kSubHover, kSubPressed, kSub2 };

struct Item {
    UINT id;
    std::wstring text;
    bool hasChildren;
};

struct MenuState {
    HWND window = nullptr;
    HWND owner = nullptr;
    HHOOK mouseHook = nullptr;
    int itemHeight = tarn::kMenuExItemHeight;
    COLORREF normalText = 0, hotText = 0, highlight = 0;
    HBITMAP pictures[8] = {};
    HFONT font = nullptr;
    std::vector<Item> items;
    int hovered = -1;
    int pressed = -1;
    bool tracking = false;
};

MenuState g_menu;
HINSTANCE g_instance = nullptr;

// Whether the picture file is whole: the system's loader trusts a BMP's header and reads as
// many pixels as it claims, past the end of a file that was cut short.
bool PictureFileSound(const wchar_t* path) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    std::vector<uint8_t> bytes;
    // Menu pictures are a few kilobytes; anything huge is not one.
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (16 << 20)) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
            read = 0;
        bytes.resize(read);
    }
    CloseHandle(file);
    return tarn::skin::PictureBytesLoadable(bytes.data(), bytes.size());
}

HBITMAP LoadPicture(const wchar_t* path) {
    if (!path || !*path || !PictureFileSound(path)) return nullptr;
    return static_cast<HBITMAP>(
        LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

SIZE PictureSize(HBITMAP picture) {
    BITMAP info{};
    if (!picture || !GetObjectW(picture, sizeof info, &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

void ReleaseState() {
    for (HBITMAP& picture : g_menu.pictures) {
        if (picture) DeleteObject(picture);
        picture = nullptr;
    }
    if (g_menu.font) DeleteObject(g_menu.font);
    if (g_menu.mouseHook) UnhookWindowsHookEx(g_menu.mouseHook);
    g_menu = MenuState{};
}

void CloseMenu() {
    HWND window = g_menu.window;
    if (window && IsWindow(window)) DestroyWindow(window);
    ReleaseState();
}

int ItemAt(int y) {
    if (y < 0 || g_menu.itemHeight <= 0) return -1;
    const int index = y / g_menu.itemHeight;
    return index < static_cast<int>(g_menu.items.size()) ? index : -1;
}

HBITMAP PictureFor(const Item& item, bool hovered, bool pressed) {
    const int base = item.hasChildren ? kSubNormal : kNormal;
    const int state = pressed ? kPressed : hovered ? kHover : kNormal;
    HBITMAP chosen = g_menu.pictures[base + state];
    return chosen ? chosen : g_menu.pictures[base];
}

void FillRectColour(HDC dc, const RECT& rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void DrawItem(HDC dc, HDC pictureDc, int index, int width) {
    const Item& item = g_menu.items[index];
    const bool hovered = index == g_menu.hovered;
    const bool pressed = hovered && index == g_menu.pressed;
    RECT rect{0, index * g_menu.itemHeight, width, (index + 1) * g_menu.itemHeight};
    HBITMAP picture = PictureFor(item, hovered, pressed);
    if (picture) {
        const SIZE size = PictureSize(picture);
        HGDIOBJ old = SelectObject(pictureDc, picture);
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, rect.left, rect.top, width, g_menu.itemHeight, pictureDc, 0, 0, size.cx,
                   size.cy, SRCCOPY);
        SelectObject(pictureDc, old);
    } else {
        // Without pictures the menu still works: a dark body and a highlighted row.
        FillRectColour(dc, rect, hovered ? g_menu.highlight : RGB(32, 34, 38));
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, hovered ? g_menu.hotText : g_menu.normalText);
    RECT text = rect;
    text.left += kTextMargin;
    text.right -= kTextMargin;
    DrawTextW(dc, item.text.c_str(), -1, &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (item.hasChildren && !picture) {
        // A small right-pointing triangle marks an item with children.
        const int cx = rect.right - 10, cy = (rect.top + rect.bottom) / 2;
        const POINT arrow[3] = {{cx, cy - 4}, {cx + 4, cy}, {cx, cy + 4}};
        HBRUSH brush = CreateSolidBrush(hovered ? g_menu.hotText : g_menu.normalText);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
        Polygon(dc, arrow, 3);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(brush);
    }
}

void Paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    // Drawn off screen first so hovering never flickers.
    HDC buffer = CreateCompatibleDC(dc);
    HBITMAP surface = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ oldSurface = SelectObject(buffer, surface);
    HGDIOBJ oldFont = SelectObject(buffer, g_menu.font);
    HDC pictureDc = CreateCompatibleDC(dc);
    for (int i = 0; i < static_cast<int>(g_menu.items.size()); ++i) {
        DrawItem(buffer, pictureDc, i, client.right);
    }
    HBRUSH frame = CreateSolidBrush(g_menu.highlight);
    FrameRect(buffer, &client, frame);
    DeleteObject(frame);
    BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
    DeleteDC(pictureDc);
    SelectObject(buffer, oldFont);
    SelectObject(buffer, oldSurface);
    DeleteObject(surface);
    DeleteDC(buffer);
    EndPaint(window, &ps);
}

void SetHovered(HWND window, int index) {
    if (index == g_menu.hovered) return;
    g_menu.hovered = index;
    InvalidateRect(window, nullptr, FALSE);
}

void Choose(int index) {
    if (index < 0 || index >= static_cast<int>(g_menu.items.size())) return;
    const UINT id = g_menu.items[index].id;
    HWND owner = g_menu.owner;
    // The owner closes the menu before it acts on the choice; closing here first keeps a slow
    // owner from showing a stale menu.
    CloseMenu();
    if (owner && IsWindow(owner)) PostMessageW(owner, kChosenMessage, 0, static_cast<LPARAM>(id));
}

LRESULT CALLBACK MenuProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEMOVE: {
            if (!g_menu.tracking) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
                g_menu.tracking = TrackMouseEvent(&track) != FALSE;
            }
            SetHovered(window, ItemAt(static_cast<short>(HIWORD(lParam))));
            return 0;
        }
        case WM_MOUSELEAVE:
            g_menu.tracking = false;
            if (GetCapture() != window) SetHovered(window, -1);
            return 0;
        case WM_LBUTTONDOWN:
            g_menu.pressed = ItemAt(static_cast<short>(HIWORD(lParam)));
            SetCapture(window);
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_LBUTTONUP: {
            ReleaseCapture();
            const int x = static_cast<short>(LOWORD(lParam));
            const int under = ItemAt(static_cast<short>(HIWORD(lParam)));
            RECT client;
            GetClientRect(window, &client);
            const bool inside = x >= 0 && x < client.right;
            const int pressed = g_menu.pressed;
            g_menu.pressed = -1;
            if (inside && under >= 0 && under == pressed) {
                Choose(under);
                return 0;
            }
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        }
        case WM_CLOSE:
            CloseMenu();
            return 0;
        case WM_DESTROY:
            if (g_menu.window == window) g_menu.window = nullptr;
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

// Clicks of the owner's thread outside the menu close it; the menu never takes the focus, so
// it would not hear of them otherwise.
LRESULT CALLBACK OwnerMouseHook(int code, WPARAM wParam, LPARAM lParam) {
    const HHOOK hook = g_menu.mouseHook;
    if (code == HC_ACTION && g_menu.window) {
        const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        const bool press = wParam == WM_LBUTTONDOWN || wParam == WM_RBUTTONDOWN ||
                           wParam == WM_MBUTTONDOWN || wParam == WM_NCLBUTTONDOWN ||
                           wParam == WM_NCRBUTTONDOWN;
        if (press && info->hwnd != g_menu.window) PostMessageW(g_menu.window, WM_CLOSE, 0, 0);
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

bool RegisterMenuClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(g_instance, kClassName, &wc)) return true;
    wc.cbSize = sizeof wc;
    wc.style = CS_DROPSHADOW;
    wc.lpfnWndProc = MenuProc;
    wc.hInstance = g_instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
}

std::wstring ItemText(const tarn::MenuExItem& item) {
    std::wstring text;
    for (size_t i = 0; i + 1 < tarn::kMenuExTextUnits && item.text[i]; ++i) {
        text += static_cast<wchar_t>(item.text[i]);
    }
    return text;
}

// Only top-level items are listed; an item that others name as their parent is drawn with the
// submenu pictures.
std::vector<Item> TopLevelItems(const tarn::MenuExItem* items, int count) {
    std::vector<Item> list;
    for (int i = 0; i < count; ++i) {
        if (items[i].parent != tarn::kMenuExTopLevel) continue;
        bool children = false;
        for (int j = 0; j < count; ++j) {
            if (j != i && items[j].parent == items[i].id) children = true;
        }
        list.push_back({items[i].id, ItemText(items[i]), children});
    }
    return list;
}

int MenuWidth(HDC dc) {
    int width = kMinimumWidth;
    const SIZE picture = PictureSize(g_menu.pictures[kNormal]);
    width = std::max<int>(width, picture.cx);
    for (const Item& item : g_menu.items) {
        SIZE text{};
        GetTextExtentPoint32W(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text);
        width = std::max<int>(width, text.cx + 2 * kTextMargin + 12);
    }
    return width;
}

// Chinese item texts need a face that has their glyphs ("MS Shell Dlg" has none under Wine):
// the usual Windows ones first, then any the system offers for the Chinese character set.
int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM list) {
    reinterpret_cast<std::vector<std::wstring>*>(list)->push_back(font->lfFaceName);
    return 1;
}

std::wstring ChineseFace() {
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
    return L"MS Shell Dlg";
}

bool HasChinese(const std::wstring& text) {
    for (wchar_t c : text) {
        if ((c >= 0x2E80 && c < 0xA000) || (c >= 0xF900 && c < 0xFB00) ||
            (c >= 0xFF00 && c < 0xFFF0)) {
            return true;
        }
    }
    return false;
}

HFONT MenuFont() {
    bool chinese = false;
    for (const Item& item : g_menu.items) chinese = chinese || HasChinese(item.text);
    const std::wstring face = chinese ? ChineseFace() : L"MS Shell Dlg";
    return CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       chinese ? GB2312_CHARSET : DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, face.c_str());
}

}  // namespace

extern "C" __declspec(dllexport) int CreateMenuEx(
    HWND owner, int itemHeight, const POINT* topLeft, COLORREF normalText, COLORREF hotText,
    COLORREF highlight, const wchar_t* itemNormal, const wchar_t* itemHover,
    const wchar_t* itemPressed, const wchar_t* itemNormal2, const wchar_t* subNormal,
    const wchar_t* subHover, const wchar_t* subPressed, const wchar_t* subNormal2,
    const tarn::MenuExItem* items, int count) {
    CloseMenu();
    if (!owner || !IsWindow(owner) || !topLeft || !items || count <= 0) return 0;
    if (!RegisterMenuClass()) return 0;
    g_menu.owner = owner;
    g_menu.itemHeight = itemHeight > 0 && itemHeight < 200 ? itemHeight : tarn::kMenuExItemHeight;
    g_menu.normalText = normalText;
    g_menu.hotText = hotText;
    g_menu.highlight = highlight;
    const wchar_t* paths[8] = {itemNormal, itemHover, itemPressed, itemNormal2,
                               subNormal,  subHover,  subPressed,  subNormal2};
    for (int i = 0; i < 8; ++i) g_menu.pictures[i] = LoadPicture(paths[i]);
    g_menu.items = TopLevelItems(items, std::min(count, 4096));
    if (g_menu.items.empty()) {
        ReleaseState();
        return 0;
    }
    g_menu.font = MenuFont();
    HDC screen = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(screen, g_menu.font);
    const int width = MenuWidth(screen);
    SelectObject(screen, oldFont);
    ReleaseDC(nullptr, screen);
    const int height = g_menu.itemHeight * static_cast<int>(g_menu.items.size());
    HWND root = GetAncestor(owner, GA_ROOT);
    g_menu.window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kClassName,
                                    kWindowTitle, WS_POPUP, topLeft->x, topLeft->y, width, height,
                                    root ? root : owner, nullptr, g_instance, nullptr);
    if (!g_menu.window) {
        ReleaseState();
        return 0;
    }
    g_menu.mouseHook = SetWindowsHookExW(WH_MOUSE, OwnerMouseHook, nullptr,
                                         GetWindowThreadProcessId(owner, nullptr));
    ShowWindow(g_menu.window, SW_SHOWNOACTIVATE);
    UpdateWindow(g_menu.window);
    return 1;
}

extern "C" __declspec(dllexport) void DestroyMenuEx() {
    CloseMenu();
}

// For hosts that route their messages through the library: Esc closes an open menu.
extern "C" __declspec(dllexport) BOOL DllPreTranslateMessage(MSG* message) {
    if (!message || !g_menu.window) return FALSE;
    if (message->message == WM_KEYDOWN && message->wParam == VK_ESCAPE) {
        CloseMenu();
        return TRUE;
    }
    return FALSE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_instance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
