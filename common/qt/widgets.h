#pragma once

// Small helpers that both programs' Qt windows build their fixed layouts with.

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <QRect>
#include <QScreen>
#include <QString>
#include <QWidget>
#include <string_view>

#include "common/design_font.h"
#include "common/pixel_place.h"

namespace lf {

inline QString ToQt(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline QRect GeometryOf(const PixelPlace& place) {
    return {place.left, place.top, place.width, place.height};
}

// A control at its fixed place, named as the window's rules name it.
template <typename Widget>
Widget* Place(QWidget* parent, const char* name, const PixelPlace& place) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    widget->setGeometry(GeometryOf(place));
    return widget;
}

// Both programs open centred on the screen's free area.
inline void CentreOnScreen(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window->move(screen->availableGeometry().center() - window->rect().center());
    }
}

// With a desktop's larger default font the fixed captions would be cut at the right edge, and a
// card's lines would wrap.
inline void UseDesignFont(QWidget* window) {
    QFont font = window->font();
    font.setFamily(ToQt(kDesignFontFamily));
    font.setPointSize(kDesignFontPoints);
    window->setFont(font);
}

inline void SetBackground(QWidget* widget, const QColor& colour) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

}  // namespace lf
