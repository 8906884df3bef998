// Lorefinder.exe: the item browser, carrying its catalogue inside its own executable file.

#include <windows.h>
// windows.h first: these build on it.
#include <commctrl.h>
#include <objbase.h>

#include "browser/win32/main_window.h"
#include "common/own_resources.h"
#include "common/win32/win32_system_port.h"

namespace {

// The icon sheets are decoded by the imaging component, a COM service of this thread.
class ComApartment {
  public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    HRESULT result_;
};

// Ctrl+F, and Tab between the controls of the main window and of the finder.
int RunMessageLoop(lf::browser::Form1& form) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form.TranslateKeys(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const ComApartment com;
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    lf::Win32SystemPort system;
    lf::browser::Form1 form(system, lf::ReadOwnResource);
    if (!form.Start()) return 1;
    form.Show();
    return RunMessageLoop(form);
}
