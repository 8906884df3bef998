// Tablepatch: exports the browser's item table and writes new tables and icon sheets into it.

#include <QApplication>

#include "common/qt/qt_system_port.h"
#include "patcher/qt/patcher_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    lf::QtSystemPort system;
    lf::patcher::Form1 form(system, QCoreApplication::applicationDirPath().toStdString());
    if (!form.Start()) return 1;
    form.show();
    return app.exec();
}
