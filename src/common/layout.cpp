#include "common/layout.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace kasto {

QRect twips(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

void passeAn(QWidget *root)
{
    const auto widgets = root->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        int noetig = w->sizeHint().width();
        if (auto *b = qobject_cast<QPushButton *>(w)) // the style's minimum width does not count
            noetig = b->fontMetrics().horizontalAdvance(QString(b->text()).remove(u'&')) + 12;
        const int fehlt = noetig - w->width();
        if (fehlt <= 0)
            continue;
        if (qobject_cast<QPushButton *>(w)) {
            w->setGeometry(w->x() - (fehlt + 1) / 2, w->y(), w->width() + fehlt + 1, w->height());
        } else if (qobject_cast<QCheckBox *>(w) || qobject_cast<QRadioButton *>(w)) {
            w->resize(w->sizeHint().width(), w->height());
        } else if (auto *l = qobject_cast<QLabel *>(w); l && !l->wordWrap() && !l->text().isEmpty()) {
            w->resize(w->sizeHint().width(), w->height());
        }
    }
}

} // namespace kasto
