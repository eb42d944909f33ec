// The program's small window and dialog layer. Each class lists the messages it handles in one
// table (TARN_BEGIN_MESSAGES ... TARN_END_MESSAGES); what it does not handle goes to its base
// class's table and finally to the system's default processing.
#pragma once

#include <windows.h>

#include <cstddef>
#include <iterator>

namespace tarn::win {

class Window;
using Handler = LRESULT (Window::*)(WPARAM, LPARAM);

struct MessageEntry {
    UINT message;
    Handler handler;
};

struct MessageTable {
    const MessageTable* base;
    const MessageEntry* entries;
    size_t count;
};

// Reflected notifications: a parent hands WM_DRAWITEM, WM_MEASUREITEM, WM_COMMAND, WM_NOTIFY and
// the WM_CTLCOLOR* messages to the child control as kReflectBase + message, so the control draws
// and handles itself.
inline constexpr UINT kReflectBase = WM_USER + 0x1C00;

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }
    operator HWND() const { return hwnd_; }

    // Creates a window of a class registered for this layer (className is registered once with
    // the given class style and background brush).
    bool Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                const RECT& rect, HWND parent, UINT id = 0, UINT classStyle = CS_DBLCLKS,
                HBRUSH background = nullptr);
    // Creates a control of a system class (BUTTON, EDIT, ...) and takes over its messages.
    bool CreateControl(const wchar_t* systemClass, const wchar_t* text, DWORD style,
                       const RECT& rect, HWND parent, UINT id = 0, DWORD exStyle = 0);
    // Takes over the messages of an existing window (a control of a dialog template).
    bool Attach(HWND hwnd);
    void Destroy();

    // The object behind a window of this layer, or null.
    static Window* FromHandle(HWND hwnd);

    virtual const MessageTable* GetMessageTable() const { return Messages(); }
    static const MessageTable* Messages();

protected:
    // The message being handled, for Default().
    UINT currentMessage() const { return msg_; }
    // Passes the current message on to the default processing.
    LRESULT Default();
    // Called after the window is destroyed (WM_NCDESTROY); the handle is already forgotten.
    virtual void OnFinalMessage() {}
    // Dispatches through the tables; returns true when a handler ran.
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;

private:
    friend class Dialog;
    static LRESULT CALLBACK StaticWindowProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    WNDPROC oldProc_ = nullptr;
    UINT msg_ = 0;
    WPARAM wParam_ = 0;
    LPARAM lParam_ = 0;
};

class Dialog : public Window {
public:
    // Runs the dialog on its template (a resource id); a template missing from the resources
    // falls back to an empty popup, so windows built in code still work.
    INT_PTR DoModal(HWND parent, int templateId);
    bool CreateModeless(HWND parent, int templateId);
    void EndDialog(INT_PTR result);

    static const MessageTable* Messages();
    const MessageTable* GetMessageTable() const override { return Messages(); }

protected:
    // WM_INITDIALOG: return TRUE to let the system set the focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND, UINT, WPARAM, LPARAM);
    bool modal_ = false;
    bool defaultRequested_ = false;
};

HINSTANCE ModuleInstance();

}  // namespace tarn::win

// Declares the table of a class; put it first in the class body (it leaves the access private).
#define TARN_DECLARE_MESSAGES()                                         \
public:                                                                 \
    static const ::tarn::win::MessageTable* Messages();                 \
    const ::tarn::win::MessageTable* GetMessageTable() const override { \
        return Messages();                                              \
    }                                                                   \
                                                                        \
private:

// The table itself, in the class's .cpp file. Handlers are members LRESULT OnX(WPARAM, LPARAM).
#define TARN_BEGIN_MESSAGES(Class)                       \
    const ::tarn::win::MessageTable* Class::Messages() { \
        using ThisClass = Class;                         \
        static const ::tarn::win::MessageEntry entries[] = {
#define TARN_ON(message, member) {message, static_cast<::tarn::win::Handler>(&ThisClass::member)},
#define TARN_END_MESSAGES(Base)                                                \
    }                                                                          \
    ;                                                                          \
    static const ::tarn::win::MessageTable table = {Base::Messages(), entries, \
                                                    std::size(entries)};       \
    return &table;                                                             \
    }
