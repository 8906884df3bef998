#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

namespace lf::bench {

// Ends the application right after the widget's first paint has been delivered.
inline void QuitAfterFirstPaint(QWidget* widget) {
    struct Filter : QObject {
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            return false;
        }
    };
    auto* filter = new Filter;
    filter->setParent(widget);
    widget->installEventFilter(filter);
}

}  // namespace lf::bench
