// Lorefinder.exe: the item browser, carrying its catalogue inside its own executable file.

#include <QApplication>

#include "browser/main_window.h"
#include "common/own_resources.h"
#include "common/ui/desktop.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    lf::SystemDesktop desktop;
    auto form = lf::browser::Form1::Load(desktop, lf::ReadOwnResource);
    if (!form) {
        desktop.ShowMessage(nullptr, "Lorefinder", lf::browser::LoadFailureMessage(form.error()));
        return 1;
    }
    (*form)->show();
    return app.exec();
}
