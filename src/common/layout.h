#pragma once
// Helpers for the windows' fixed layouts, which are given in twips (15 to a pixel at 96 dpi)
// and were made for a smaller system font than today's.

#include <QRect>
#include <QString>
#include <utility>

class QWidget;

namespace kasto {

// A rectangle given in twips, in pixels.
QRect twips(int left, int top, int width, int height);

// A new control of type T on `parent`, named as the layout names it and placed at `rect`;
// `args` go to T's constructor before the parent (a caption, for instance).
template <typename T, typename... Args>
T *neu(QWidget *parent, const QString &name, const QRect &rect, Args &&...args)
{
    auto *w = new T(std::forward<Args>(args)..., parent);
    w->setObjectName(name);
    w->setGeometry(rect);
    return w;
}

// Lets every caption below `root` be read whole: a push button wider than designed grows about
// its centre, a label, check box or option button grows to the right.
void passeAn(QWidget *root);

} // namespace kasto
