#include "common/win32/window.h"

namespace lf {
namespace {

HINSTANCE ThisModule() { return GetModuleHandleW(nullptr); }

}  // namespace

Window::~Window() {
    if (!hwnd_) return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
}

void Window::Register(const WindowClass& look) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(ThisModule(), look.name, &windowClass)) return;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = ThisModule();
    windowClass.hIcon = look.icon;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    windowClass.hbrBackground = look.background;
    windowClass.lpszClassName = look.name;
    RegisterClassExW(&windowClass);
}

void Window::Create(const WindowClass& windowClass, DWORD style, DWORD extendedStyle,
                    const wchar_t* title, int clientWidth, int clientHeight, HWND owner) {
    Register(windowClass);
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, extendedStyle);
    CreateWindowExW(extendedStyle, windowClass.name, title, style, CW_USEDEFAULT, CW_USEDEFAULT,
                    frame.right - frame.left, frame.bottom - frame.top, owner, nullptr,
                    ThisModule(), this);
}

void Window::CentreOnWorkArea() {
    RECT frame{};
    GetWindowRect(hwnd_, &frame);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* window =
            static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!window) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        window->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return window->OnMessage(message, wParam, lParam);
}

HWND CreateControl(HWND parent, const wchar_t* className, const wchar_t* caption, DWORD style,
                   const PixelPlace& place, int id, DWORD extendedStyle) {
    HWND control =
        CreateWindowExW(extendedStyle, className, caption, WS_CHILD | WS_VISIBLE | style,
                        place.left, place.top, place.width, place.height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ThisModule(), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return control;
}

}  // namespace lf
