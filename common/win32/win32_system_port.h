#pragma once

// The desktop's services through Win32, for both programs' windows.

#include <windows.h>

#include "common/system_port.h"

namespace lf {

class Win32SystemPort : public SystemPort {
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
