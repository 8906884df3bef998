#include "common/win32/win32_system_port.h"

#include <commdlg.h>

#include <cstring>

#include "common/language.h"
#include "common/win32/wide_text.h"

namespace lf {
namespace {

// Boxes belong to the window the user is working in, so they stay in front of it.
HWND ActiveWindow() { return GetActiveWindow(); }

// Closes the clipboard however the work in between ends.
class OpenClipboardScope {
  public:
    OpenClipboardScope() : open_(OpenClipboard(ActiveWindow()) != 0) {}
    ~OpenClipboardScope() {
        if (open_) CloseClipboard();
    }
    bool IsOpen() const { return open_; }

  private:
    bool open_;
};

}  // namespace

void Win32SystemPort::ShowMessage(std::string_view title, std::string_view text) {
    MessageBoxW(ActiveWindow(), Wide(text).c_str(), Wide(title).c_str(), MB_OK);
}

bool Win32SystemPort::AskYesNo(std::string_view title, std::string_view text) {
    return MessageBoxW(ActiveWindow(), Wide(text).c_str(), Wide(title).c_str(),
                       MB_YESNO | MB_DEFBUTTON2) == IDYES;
}

std::filesystem::path Win32SystemPort::ChooseFileToOpen(const std::filesystem::path& folder,
                                                        FileFilter filter) {
    // The filter is pairs of zero-terminated texts, the list ended by a second zero.
    std::wstring filterText = Wide(filter.description) + L'\0' + Wide(filter.pattern) + L'\0';
    std::wstring chosen(32768, L'\0');  // room for the longest path Windows knows
    const std::wstring initialFolder = folder.native();
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = ActiveWindow();
    dialog.lpstrFilter = filterText.c_str();
    dialog.lpstrFile = chosen.data();
    dialog.nMaxFile = static_cast<DWORD>(chosen.size());
    dialog.lpstrInitialDir = initialFolder.c_str();
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog)) return {};
    chosen.resize(std::wcslen(chosen.c_str()));
    return chosen;
}

void Win32SystemPort::Beep() { MessageBeep(MB_OK); }

std::optional<std::string> Win32SystemPort::ClipboardText() {
    OpenClipboardScope clipboard;
    if (!clipboard.IsOpen()) return std::nullopt;
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (!text) return std::nullopt;
    std::string result = Narrow(text);
    GlobalUnlock(data);
    return result;
}

void Win32SystemPort::SetClipboardText(std::string_view text) {
    OpenClipboardScope clipboard;
    if (!clipboard.IsOpen()) return;
    EmptyClipboard();
    const std::wstring wide = Wide(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, bytes);
    void* target = copy ? GlobalLock(copy) : nullptr;
    if (!target) {
        if (copy) GlobalFree(copy);
        return;
    }
    std::memcpy(target, wide.c_str(), bytes);
    GlobalUnlock(copy);
    if (!SetClipboardData(CF_UNICODETEXT, copy)) GlobalFree(copy);  // else the system owns it
}

bool Win32SystemPort::SystemLocaleIsChinese() { return isChinese(); }

// Every Windows desktop has its notification area.
bool Win32SystemPort::HasNotificationArea() { return true; }

}  // namespace lf
