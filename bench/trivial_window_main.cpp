// The start-up baseline: a Qt program that paints one empty window and ends.

#include <QApplication>
#include <QWidget>

#include "bench/paint_probe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(243, 416);
    lf::bench::QuitAfterFirstPaint(&window);
    window.show();
    return app.exec();
}
