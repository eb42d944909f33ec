#include "base/window_win32.h"

#include <string>

namespace tarn::win {

namespace {

constexpr wchar_t kObjectProperty[] = L"TarnWindowObject";

void Bind(HWND hwnd, Window* object) {
    SetPropW(hwnd, kObjectProperty, object);
}

bool IsReflected(UINT message) {
    switch (message) {
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_HSCROLL:
        case WM_VSCROLL:
            return true;
        default:
            return false;
    }
}

HWND ReflectTarget(HWND parent, UINT message, LPARAM lParam) {
    switch (message) {
        case WM_DRAWITEM:
            return reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
        case WM_MEASUREITEM: {
            // Owner-drawn menus have no window to reflect to.
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            return mis->CtlType == ODT_MENU ? nullptr : GetDlgItem(parent, mis->CtlID);
        }
        case WM_NOTIFY:
            return reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
        case WM_COMMAND:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_HSCROLL:
        case WM_VSCROLL:
            return reinterpret_cast<HWND>(lParam);
        default:
            return nullptr;
    }
}

// Dialog procedures return some results directly instead of through DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message) {
    switch (message) {
        case WM_INITDIALOG:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
            return true;
        default:
            return false;
    }
}

// An empty popup template for dialogs whose template is not among the resources.
struct EmptyTemplate {
    DLGTEMPLATE header;
    WORD menu, windowClass, title;
};

}  // namespace

HINSTANCE ModuleInstance() {
    static HINSTANCE instance = [] {
        HMODULE module = nullptr;
        GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCWSTR>(&ModuleInstance), &module);
        return static_cast<HINSTANCE>(module);
    }();
    return instance;
}

const MessageTable* Window::Messages() {
    static const MessageTable table = {nullptr, nullptr, 0};
    return &table;
}

const MessageTable* Dialog::Messages() {
    static const MessageTable table = {Window::Messages(), nullptr, 0};
    return &table;
}

Window::~Window() {
    if (hwnd_) {
        RemovePropW(hwnd_, kObjectProperty);
        if (oldProc_) SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
        // A window object that dies first must not leave a window calling into freed memory.
        if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    }
}

Window* Window::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<Window*>(GetPropW(hwnd, kObjectProperty)) : nullptr;
}

bool Window::Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                    const RECT& rect, HWND parent, UINT id, UINT classStyle, HBRUSH background) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(ModuleInstance(), className, &wc)) {
        wc.cbSize = sizeof wc;
        wc.style = classStyle;
        wc.lpfnWndProc = &Window::StaticWindowProc;
        wc.hInstance = ModuleInstance();
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = background;
        wc.lpszClassName = className;
        if (!RegisterClassExW(&wc)) return false;
    }
    HWND hwnd =
        CreateWindowExW(exStyle, className, title, style, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, parent,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ModuleInstance(), this);
    return hwnd != nullptr;
}

bool Window::CreateControl(const wchar_t* systemClass, const wchar_t* text, DWORD style,
                           const RECT& rect, HWND parent, UINT id, DWORD exStyle) {
    HWND hwnd = CreateWindowExW(exStyle, systemClass, text, style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                ModuleInstance(), nullptr);
    return hwnd && Attach(hwnd);
}

bool Window::Attach(HWND hwnd) {
    if (!hwnd || hwnd_) return false;
    hwnd_ = hwnd;
    Bind(hwnd, this);
    oldProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::SubclassProc)));
    return true;
}

void Window::Destroy() {
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

LRESULT Window::Default() {
    return DefaultProcessing(msg_, wParam_, lParam_);
}

LRESULT Window::DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) {
    if (oldProc_) return CallWindowProcW(oldProc_, hwnd_, message, wParam, lParam);
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    for (const MessageTable* t = GetMessageTable(); t; t = t->base) {
        for (size_t i = 0; i < t->count; ++i) {
            if (t->entries[i].message != message) continue;
            const UINT savedMsg = msg_;
            const WPARAM savedW = wParam_;
            const LPARAM savedL = lParam_;
            msg_ = message;
            wParam_ = wParam;
            lParam_ = lParam;
            *result = (this->*(t->entries[i].handler))(wParam, lParam);
            msg_ = savedMsg;
            wParam_ = savedW;
            lParam_ = savedL;
            return true;
        }
    }
    return false;
}

bool Window::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (!IsReflected(message)) return false;
    HWND child = ReflectTarget(hwnd_, message, lParam);
    Window* target = FromHandle(child);
    if (!target || target == this) return false;
    return target->Dispatch(kReflectBase + message, wParam, lParam, result);
}

LRESULT Window::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (Dispatch(message, wParam, lParam, &result)) return result;
    if (Reflect(message, wParam, lParam, &result)) return result;
    const UINT savedMsg = msg_;
    msg_ = message;
    wParam_ = wParam;
    lParam_ = lParam;
    result = DefaultProcessing(message, wParam, lParam);
    msg_ = savedMsg;
    return result;
}

LRESULT CALLBACK Window::StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = FromHandle(hwnd);
    if (!self && message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (self) {
            self->hwnd_ = hwnd;
            Bind(hwnd, self);
        }
    }
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    const LRESULT result = self->Handle(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropW(hwnd, kObjectProperty);
        self->hwnd_ = nullptr;
        self->OnFinalMessage();
    }
    return result;
}

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = FromHandle(hwnd);
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    const LRESULT result = self->Handle(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropW(hwnd, kObjectProperty);
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self->oldProc_));
        self->oldProc_ = nullptr;
        self->hwnd_ = nullptr;
        self->OnFinalMessage();
    }
    return result;
}

// A dialog's default processing is the system dialog procedure, which runs after ours returns
// FALSE; Default() from a handler asks for exactly that.
LRESULT Dialog::DefaultProcessing(UINT, WPARAM, LPARAM) {
    defaultRequested_ = true;
    return 0;
}

INT_PTR CALLBACK Dialog::StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<Dialog*>(FromHandle(hwnd));
    if (!self && message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->hwnd_ = hwnd;
        Bind(hwnd, self);
    }
    if (!self) return FALSE;
    LRESULT result = 0;
    const bool outerDefault = self->defaultRequested_;
    self->defaultRequested_ = false;
    bool handled = self->Dispatch(message, wParam, lParam, &result);
    if (self->defaultRequested_) handled = false;
    self->defaultRequested_ = outerDefault;
    if (!handled) handled = self->Reflect(message, wParam, lParam, &result);
    if (message == WM_INITDIALOG) {
        const BOOL focus = self->OnInitDialog();
        return handled ? result : focus;
    }
    if (message == WM_NCDESTROY) {
        RemovePropW(hwnd, kObjectProperty);
        self->hwnd_ = nullptr;
        self->OnFinalMessage();
    }
    if (!handled) return FALSE;
    if (ReturnsDirectly(message)) return result;
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

namespace {
const DLGTEMPLATE* FindTemplate(int templateId) {
    HRSRC res = FindResourceW(ModuleInstance(), MAKEINTRESOURCEW(templateId), RT_DIALOG);
    if (res) {
        HGLOBAL data = LoadResource(ModuleInstance(), res);
        if (data) return static_cast<const DLGTEMPLATE*>(LockResource(data));
    }
    static const EmptyTemplate empty = {
        {WS_POPUP | WS_CLIPCHILDREN | DS_MODALFRAME, 0, 0, 0, 0, 100, 100}, 0, 0, 0};
    return &empty.header;
}
}  // namespace

INT_PTR Dialog::DoModal(HWND parent, int templateId) {
    modal_ = true;
    return DialogBoxIndirectParamW(ModuleInstance(), FindTemplate(templateId), parent,
                                   &Dialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
}

bool Dialog::CreateModeless(HWND parent, int templateId) {
    modal_ = false;
    return CreateDialogIndirectParamW(ModuleInstance(), FindTemplate(templateId), parent,
                                      &Dialog::StaticDialogProc,
                                      reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::EndDialog(INT_PTR result) {
    if (!hwnd_) return;
    if (modal_) {
        ::EndDialog(hwnd_, result);
    } else {
        DestroyWindow(hwnd_);
    }
}

}  // namespace tarn::win
