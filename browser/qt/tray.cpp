#include "browser/qt/tray.h"

#include <QApplication>

namespace lf::browser {
namespace {

TrayClick ClickOf(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            return TrayClick::Single;
        case QSystemTrayIcon::DoubleClick:
            return TrayClick::Double;
        default:
            return TrayClick::Other;
    }
}

}  // namespace

TrayIcon::TrayIcon(const QIcon& icon, const QString& tip, QObject* parent)
    : QObject(parent),
      icon_(new QSystemTrayIcon(icon, this)),
      folder_(QApplication::doubleClickInterval()) {
    icon_->setToolTip(tip);
    clock_.start();
    connect(icon_, &QSystemTrayIcon::activated, this, &TrayIcon::OnActivated);
}

void TrayIcon::Add() { icon_->show(); }

void TrayIcon::Remove() { icon_->hide(); }

void TrayIcon::OnActivated(QSystemTrayIcon::ActivationReason reason) {
    if (folder_.Toggles(ClickOf(reason), clock_.elapsed())) Q_EMIT ToggleRequested();
}

QIcon LorefinderIcon() {
    QIcon icon;
    icon.addFile(":/icons/lorefinder-32.png", QSize(32, 32));
    icon.addFile(":/icons/lorefinder.svg");
    return icon;
}

}  // namespace lf::browser
