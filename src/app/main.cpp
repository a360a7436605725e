#include "main/frmunzip.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Kasto"_s);
    QApplication::setStyle(QStyleFactory::create(u"Fusion"_s));

    // Without a real system locale (C/POSIX) dates and numbers follow the German interface.
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    // The interface is German, so Qt's own dialogs (file dialog, buttons) speak German too.
    QTranslator qtTexte;
    if (qtTexte.load(QLocale(QLocale::German, QLocale::Germany), u"qtbase"_s, u"_"_s,
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexte);

    frmUnzip w;
    w.show();
    return app.exec();
}
