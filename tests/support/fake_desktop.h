#pragma once

// A desktop that tests answer: messages are recorded, questions and dialogs take the next
// prepared answer, beeps are counted.

#include <QString>
#include <deque>
#include <vector>

#include "common/ui/desktop.h"

namespace lf::testing {

class FakeDesktop : public Desktop {
public:
    struct Message {
        QString title;
        QString text;
    };

    bool chinese = false;
    bool notificationArea = true;
    std::vector<Message> messages;
    std::deque<bool> yesNoAnswers;
    std::deque<QString> fileAnswers;
    std::vector<QString> dialogFilters;
    int beeps = 0;

    void ShowMessage(QWidget*, const QString& title, const QString& text) override {
        messages.push_back({title, text});
    }
    bool AskYesNo(QWidget*, const QString& title, const QString& text) override {
        messages.push_back({title, text});
        bool answer = !yesNoAnswers.empty() && yesNoAnswers.front();
        if (!yesNoAnswers.empty()) yesNoAnswers.pop_front();
        return answer;
    }
    QString ChooseFileToOpen(QWidget*, const QString&, const QString& filter) override {
        dialogFilters.push_back(filter);
        QString answer = fileAnswers.empty() ? QString() : fileAnswers.front();
        if (!fileAnswers.empty()) fileAnswers.pop_front();
        return answer;
    }
    void Beep() override { ++beeps; }
    bool SystemLocaleIsChinese() override { return chinese; }
    bool HasNotificationArea() override { return notificationArea; }
};

}  // namespace lf::testing
