#include "browser/win32/tray.h"

#include <algorithm>

namespace lf::browser {

TrayIcon::TrayIcon(HWND owner, HICON icon, UINT callbackMessage, std::wstring_view tip) {
    data_.cbSize = sizeof data_;
    data_.hWnd = owner;
    data_.uID = 1;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = callbackMessage;
    data_.hIcon = icon;
    const std::size_t length = std::min(tip.size(), std::size(data_.szTip) - 1);
    std::copy_n(tip.data(), length, data_.szTip);
}

void TrayIcon::Add() {
    Shell_NotifyIconW(NIM_ADD, &data_);
    shown_ = true;
}

void TrayIcon::Remove() {
    if (!shown_) return;
    Shell_NotifyIconW(NIM_DELETE, &data_);
    shown_ = false;
}

void TrayIcon::AddAgainIfShown() {
    if (shown_) Shell_NotifyIconW(NIM_ADD, &data_);
}

UINT TrayIcon::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

}  // namespace lf::browser
