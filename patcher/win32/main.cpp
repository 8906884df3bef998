// Tablepatch on Windows: exports the browser's item table and writes new tables and icon sheets
// into it.

#include <windows.h>

#include <string>

#include "common/win32/wide_text.h"
#include "common/win32/win32_system_port.h"
#include "patcher/win32/patcher_window.h"

namespace {

// The folder of the running program as Windows reports it: without a trailing backslash, except
// at a drive's root ("C:\").
std::string ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
           path.size()) {
        path.resize(path.size() * 2);  // cut short: a long path
    }
    path.resize(length);
    path.resize(path.find_last_of(L'\\') + 1);
    if (path.size() > 1 && path[path.size() - 2] != L':') path.pop_back();
    return lf::Narrow(path);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    lf::Win32SystemPort system;
    lf::patcher::Form1 form(system, ProgramFolder());
    if (!form.Start()) return 1;
    ShowWindow(form.Handle(), show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab and the arrow keys move between the controls, as in a dialog.
        if (IsDialogMessageW(form.Handle(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
