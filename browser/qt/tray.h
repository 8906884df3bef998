#pragma once

// The browser's icon in the notification area: added at start, removed at close; a left
// click (or a double click, counted once) asks for the main window to be toggled.

#include <QElapsedTimer>
#include <QObject>
#include <QSystemTrayIcon>

#include "browser/tray_activation.h"

namespace lf::browser {

class TrayIcon : public QObject {
    Q_OBJECT
  public:
    TrayIcon(const QIcon& icon, const QString& tip, QObject* parent);

    void Add();
    void Remove();
    QSystemTrayIcon* Icon() { return icon_; }

  Q_SIGNALS:
    void ToggleRequested();

  private:
    void OnActivated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon* icon_;
    TrayClickFolder folder_;
    QElapsedTimer clock_;
};

// The window and tray icon: our own art, a 32 x 32 picture and a scalable one.
QIcon LorefinderIcon();

}  // namespace lf::browser
