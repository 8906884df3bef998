#pragma once

// The browser's icon in the notification area: added at start, removed at close, added again
// when the shell's notification area is recreated (Explorer restarted) while it was shown.

#include <windows.h>
// windows.h first: shellapi.h builds on it.
#include <shellapi.h>

#include <string_view>

namespace lf::browser {

class TrayIcon {
  public:
    // The shell reports clicks to owner as callbackMessage, the mouse message in lParam.
    TrayIcon(HWND owner, HICON icon, UINT callbackMessage, std::wstring_view tip);

    void Add();
    void Remove();
    // To call on TaskbarCreatedMessage().
    void AddAgainIfShown();
    bool IsShown() const { return shown_; }

    // The message every top-level window receives when the notification area is recreated.
    static UINT TaskbarCreatedMessage();

  private:
    NOTIFYICONDATAW data_{};
    bool shown_ = false;
};

}  // namespace lf::browser
