#pragma once

// Every side effect of the desktop that the windows use, behind one seam, so that tests can
// answer message boxes and dialogs and count beeps while the real windows run headless.

#include <QString>

class QWidget;

namespace lf {

class Desktop {
public:
    virtual ~Desktop() = default;

    // A message box with an OK button; returns when it is closed.
    virtual void ShowMessage(QWidget* parent, const QString& title, const QString& text) = 0;
    // A message box with Yes and No; true for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& title, const QString& text) = 0;
    // The Open dialog; the chosen file's full path, or an empty text when cancelled.
    virtual QString ChooseFileToOpen(QWidget* parent, const QString& folder,
                                     const QString& filter) = 0;
    virtual void Beep() = 0;
    // Whether the system's default locale is Chinese as used in the PRC.
    virtual bool SystemLocaleIsChinese() = 0;
    // Whether the desktop offers a notification area.
    virtual bool HasNotificationArea() = 0;
};

// The real desktop: Qt's message boxes and dialogs, the system locale files.
class SystemDesktop : public Desktop {
public:
    void ShowMessage(QWidget* parent, const QString& title, const QString& text) override;
    bool AskYesNo(QWidget* parent, const QString& title, const QString& text) override;
    QString ChooseFileToOpen(QWidget* parent, const QString& folder, const QString& filter) override;
    void Beep() override;
    bool SystemLocaleIsChinese() override;
    bool HasNotificationArea() override;
};

}  // namespace lf
