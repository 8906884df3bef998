#include "web/web_system_port.h"

#include "web/page_imports.h"

namespace lf::web {

void WebSystemPort::ShowMessage(std::string_view title, std::string_view text) {
    page::Message(title, text);
}

bool WebSystemPort::AskYesNo(std::string_view title, std::string_view text) {
    page::Message(title, text);
    return false;
}

void WebSystemPort::Beep() { PageBeep(); }

void WebSystemPort::SetClipboardText(std::string_view text) {
    PageWriteClipboard(text.data(), text.size());
}

}  // namespace lf::web
