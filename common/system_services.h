#pragma once

// The services of the system that the programs' rules use and that touch no file: messages and
// questions, the beep, the clipboard, the locale, the notification area. The item browser's
// rules need no more, so that the web page can offer all of them; the desktop's SystemPort adds
// the Open dialog.

#include <optional>
#include <string>
#include <string_view>

namespace lf {

class SystemServices {
  public:
    virtual ~SystemServices() = default;

    // A message box with an OK button; returns when it is closed.
    virtual void ShowMessage(std::string_view title, std::string_view text) = 0;
    // A message box with Yes and No; true for Yes. No is the default button, so Enter, Escape or
    // closing the box answer No: a question that guards a rewrite is never answered Yes by a
    // hurried key.
    virtual bool AskYesNo(std::string_view title, std::string_view text) = 0;
    virtual void Beep() = 0;
    // The clipboard's text, or none when it holds something else.
    virtual std::optional<std::string> ClipboardText() = 0;
    // Empties the clipboard, then puts the text on it.
    virtual void SetClipboardText(std::string_view text) = 0;
    // Whether the system's default locale is Chinese as used in the PRC.
    virtual bool SystemLocaleIsChinese() = 0;
    // Whether the desktop offers a notification area.
    virtual bool HasNotificationArea() = 0;
};

}  // namespace lf
