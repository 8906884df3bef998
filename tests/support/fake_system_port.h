#pragma once

// A desktop that tests answer: messages are recorded, questions and dialogs take the next
// prepared answer, beeps are counted, the clipboard is a variable.

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/system_port.h"

namespace lf::testing {

class FakeSystemPort : public SystemPort {
  public:
    struct Message {
        std::string title;
        std::string text;
    };
    struct Dialog {
        std::filesystem::path folder;
        std::string description;
        std::string pattern;
    };

    bool chinese = false;
    bool notificationArea = true;
    std::vector<Message> messages;
    std::deque<bool> yesNoAnswers;  // once they run out, the default button answers: No
    std::deque<std::filesystem::path> fileAnswers;
    std::vector<Dialog> dialogs;
    std::optional<std::string> clipboard;
    int beeps = 0;

    void ShowMessage(std::string_view title, std::string_view text) override {
        messages.push_back({std::string(title), std::string(text)});
    }
    bool AskYesNo(std::string_view title, std::string_view text) override {
        ShowMessage(title, text);
        return NextOf(yesNoAnswers).value_or(false);
    }
    std::filesystem::path ChooseFileToOpen(const std::filesystem::path& folder,
                                           FileFilter filter) override {
        dialogs.push_back({folder, std::string(filter.description), std::string(filter.pattern)});
        return NextOf(fileAnswers).value_or(std::filesystem::path());
    }
    void Beep() override { ++beeps; }
    std::optional<std::string> ClipboardText() override { return clipboard; }
    void SetClipboardText(std::string_view text) override { clipboard = std::string(text); }
    bool SystemLocaleIsChinese() override { return chinese; }
    bool HasNotificationArea() override { return notificationArea; }

  private:
    template <typename T>
    static std::optional<T> NextOf(std::deque<T>& answers) {
        if (answers.empty()) return std::nullopt;
        T answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
};

}  // namespace lf::testing
