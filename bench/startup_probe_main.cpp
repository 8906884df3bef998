// The browser as it starts for a user, ending once its item list has been painted.

#include <QApplication>
#include <QListView>
#include <QTimer>

#include "bench/paint_probe.h"
#include "browser/main_window.h"
#include "common/own_resources.h"
#include "common/ui/desktop.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    lf::SystemDesktop desktop;
    auto form = lf::browser::Form1::Load(desktop, lf::ReadOwnResource);
    if (!form) return 1;
    lf::bench::QuitAfterFirstPaint((*form)->findChild<QListView*>("ItemList")->viewport());
    (*form)->show();
    return app.exec();
}
