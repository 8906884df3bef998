#pragma once

// The system's services on a web page: messages show in the page, the beep is a short visible
// flash, the language is the page's. A page has no notification area and no question that the
// browser's rules ask.

#include "common/system_services.h"

namespace lf::web {

class WebSystemPort : public SystemServices {
  public:
    explicit WebSystemPort(bool chinese) : chinese_(chinese) {}

    void ShowMessage(std::string_view title, std::string_view text) override;
    // Only the patcher asks; No is the default answer.
    bool AskYesNo(std::string_view title, std::string_view text) override;
    void Beep() override;
    // The page cannot read the clipboard without asking the user: none.
    std::optional<std::string> ClipboardText() override { return std::nullopt; }
    void SetClipboardText(std::string_view text) override;
    bool SystemLocaleIsChinese() override { return chinese_; }
    bool HasNotificationArea() override { return false; }

  private:
    bool chinese_;
};

}  // namespace lf::web
