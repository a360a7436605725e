#pragma once
// What the splitter's two windows share: centred on the screen, and at most one of each.

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace kasto::splitter {

inline void zentrieren(QWidget *w)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableGeometry();
        w->move(r.x() + (r.width() - w->width()) / 2, r.y() + (r.height() - w->height()) / 2);
    }
}

// Loads the window when it is not open, otherwise brings the open one to the front.
template<typename Fenster>
Fenster *einmalZeigen(QPointer<Fenster> &fenster)
{
    if (!fenster) {
        fenster = new Fenster;
        fenster->show();
        return fenster;
    }
    fenster->show();
    fenster->raise();
    fenster->activateWindow();
    return fenster;
}

} // namespace kasto::splitter
