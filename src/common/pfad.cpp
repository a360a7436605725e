#include "common/pfad.h"

#include <QDir>

namespace kasto {

bool istTrenner(QChar c)
{
    return c == u'\\' || c == u'/';
}

static qsizetype letzterTrenner(const QString &path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (istTrenner(path.at(i)))
            return i;
    }
    return -1;
}

QString DateiName(const QString &path)
{
    return path.mid(letzterTrenner(path) + 1);
}

QString DateiStamm(const QString &path)
{
    const QString name = DateiName(path);
    const qsizetype dot = name.indexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

QString ohne_pfad_ext(const QString &path)
{
    const qsizetype s = letzterTrenner(path);
    const qsizetype d = path.lastIndexOf(u'.');
    if (d > s)
        return path.mid(s + 1, d - s - 1);
    return path;
}

QString mitTrenner(const QString &folder)
{
    if (!folder.isEmpty() && istTrenner(folder.back()))
        return folder;
    return folder + QDir::separator();
}

} // namespace kasto
