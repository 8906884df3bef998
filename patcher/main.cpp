// Tablepatch: exports the browser's item table and writes new tables and icon sheets into it.

#include <QApplication>

#include "common/ui/desktop.h"
#include "patcher/patcher_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    lf::SystemDesktop desktop;
    auto form = lf::patcher::Form1::Start(desktop, QCoreApplication::applicationDirPath().toStdString());
    if (!form) return 1;
    form->show();
    return app.exec();
}
