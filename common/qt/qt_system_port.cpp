#include "common/qt/qt_system_port.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QSystemTrayIcon>

#include "common/language.h"
#include "common/qt/widgets.h"

namespace lf {

// Boxes belong to the window the user is working in, so they open centred over it.
void QtSystemPort::ShowMessage(std::string_view title, std::string_view text) {
    QMessageBox::information(QApplication::activeWindow(), ToQt(title), ToQt(text),
                             QMessageBox::Ok);
}

bool QtSystemPort::AskYesNo(std::string_view title, std::string_view text) {
    return QMessageBox::question(QApplication::activeWindow(), ToQt(title), ToQt(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

std::filesystem::path QtSystemPort::ChooseFileToOpen(const std::filesystem::path& folder,
                                                     FileFilter filter) {
    const QString filterText = ToQt(filter.description) + " (" + ToQt(filter.pattern) + ")";
    const QString chosen = QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(),
                                                        ToQt(folder.string()), filterText);
    return chosen.toStdString();
}

void QtSystemPort::Beep() { QApplication::beep(); }

std::optional<std::string> QtSystemPort::ClipboardText() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) return std::nullopt;
    return data->text().toStdString();
}

void QtSystemPort::SetClipboardText(std::string_view text) {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(ToQt(text));
}

bool QtSystemPort::SystemLocaleIsChinese() { return isChinese(); }

bool QtSystemPort::HasNotificationArea() { return QSystemTrayIcon::isSystemTrayAvailable(); }

}  // namespace lf
