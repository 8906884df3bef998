#pragma once

// The base of the programs' Win32 windows: the window procedure hands every message to the C++
// object that created the window, found through GWLP_USERDATA. Also the helpers both programs'
// fixed-layout windows share.

#include <windows.h>

#include "common/pixel_place.h"

namespace lf {

class Window {
  public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Null before Create and once the window has been destroyed.
    HWND Handle() const { return hwnd_; }

  protected:
    // What the window class has besides its procedure and the arrow cursor.
    struct WindowClass {
        const wchar_t* name;
        HICON icon = nullptr;
        HBRUSH background = nullptr;
    };

    Window() = default;
    // Destroys the window if it is still there. The derived object is gone by then, so the
    // window's last messages go to DefWindowProc.
    virtual ~Window();

    // Registers the class on its first use and creates the window, hidden, at the system's default
    // place, with a client area of the given size.
    void Create(const WindowClass& windowClass, DWORD style, DWORD extendedStyle,
                const wchar_t* title, int clientWidth, int clientHeight, HWND owner = nullptr);
    // Moves the window, keeping its size, to the middle of the work area.
    void CentreOnWorkArea();

    // Every message from WM_NCCREATE up to, not including, WM_NCDESTROY.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  private:
    // Once per class name: later windows of the class find it registered.
    static void Register(const WindowClass& look);
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

// A visible child control at a place in parent's client area, in the font the layouts were
// drawn for: the system's dialog font, not a window's bolder default.
HWND CreateControl(HWND parent, const wchar_t* className, const wchar_t* caption, DWORD style,
                   const PixelPlace& place, int id, DWORD extendedStyle = 0);

}  // namespace lf
