// Lorefinder.exe: the item browser, carrying its catalogue inside its own executable file.

#include <QApplication>

#include "browser/qt/main_window.h"
#include "common/own_resources.h"
#include "common/qt/qt_system_port.h"

namespace {

// Wayland lets no program place its own windows, so the detail window could not dock beside
// the main window there. Where the session also offers X11 (XWayland), run on it instead.
void PreferX11UnderWayland() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        qEnvironmentVariable("XDG_SESSION_TYPE") == "wayland" &&
        !qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
}

}  // namespace

int main(int argc, char** argv) {
    PreferX11UnderWayland();
    QApplication app(argc, argv);
    lf::QtSystemPort system;
    lf::browser::Form1 form(system, lf::ReadOwnResource);
    if (!form.Start()) return 1;
    form.show();
    return app.exec();
}
