#pragma once

// Every service of the desktop that the programs' rules use, in plain C++: the presenters speak
// to this port, each window layer implements it once, and tests answer it.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lf {

// One entry of an Open dialog's file-type list: "TXT" and "*.txt".
struct FileFilter {
    std::string_view description;
    std::string_view pattern;
};

class SystemPort {
  public:
    virtual ~SystemPort() = default;

    // A message box with an OK button; returns when it is closed.
    virtual void ShowMessage(std::string_view title, std::string_view text) = 0;
    // A message box with Yes and No; true for Yes. No is the default button, so Enter, Escape or
    // closing the box answer No: a question that guards a rewrite is never answered Yes by a
    // hurried key.
    virtual bool AskYesNo(std::string_view title, std::string_view text) = 0;
    // The Open dialog; the chosen file's full path, or an empty path when cancelled.
    virtual std::filesystem::path ChooseFileToOpen(const std::filesystem::path& folder,
                                                   FileFilter filter) = 0;
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
