#pragma once

// The desktop's services through Qt: message boxes, the Open dialog, the clipboard, the tray.

#include "common/system_port.h"

namespace lf {

class QtSystemPort : public SystemPort {
  public:
    void ShowMessage(std::string_view title, std::string_view text) override;
    bool AskYesNo(std::string_view title, std::string_view text) override;
    std::filesystem::path ChooseFileToOpen(const std::filesystem::path& folder,
                                           FileFilter filter) override;
    void Beep() override;
    std::optional<std::string> ClipboardText() override;
    void SetClipboardText(std::string_view text) override;
    bool SystemLocaleIsChinese() override;
    bool HasNotificationArea() override;
};

}  // namespace lf
