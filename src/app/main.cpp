#include "main/frmunzip.h"

#include <QApplication>
#include <QStyleFactory>

using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Kasto"_s);
    QApplication::setStyle(QStyleFactory::create(u"Fusion"_s));

    frmUnzip w;
    w.show();
    return app.exec();
}
