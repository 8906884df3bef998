#include "common/ui/desktop.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QSystemTrayIcon>

#include "common/language.h"

namespace lf {

void SystemDesktop::ShowMessage(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::information(parent, title, text, QMessageBox::Ok);
}

bool SystemDesktop::AskYesNo(QWidget* parent, const QString& title, const QString& text) {
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

QString SystemDesktop::ChooseFileToOpen(QWidget* parent, const QString& folder,
                                        const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), folder, filter);
}

void SystemDesktop::Beep() { QApplication::beep(); }

bool SystemDesktop::SystemLocaleIsChinese() { return isChinese(); }

bool SystemDesktop::HasNotificationArea() { return QSystemTrayIcon::isSystemTrayAvailable(); }

}  // namespace lf
