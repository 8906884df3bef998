// The browser as it starts for a user, ending once its item list has been painted.

#include <QApplication>
#include <QListView>
#include <QTimer>

#include "bench/paint_probe.h"
#include "browser/qt/main_window.h"
#include "common/own_resources.h"
#include "common/qt/qt_system_port.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    lf::QtSystemPort system;
    lf::browser::Form1 form(system, lf::ReadOwnResource);
    if (!form.Start()) return 1;
    lf::bench::QuitAfterFirstPaint(form.findChild<QListView*>("ItemList")->viewport());
    form.show();
    return app.exec();
}
