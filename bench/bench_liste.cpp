// Times how long the main window takes to list a large archive (the rows arrive one by one and
// are inserted at the top). Usage: bench_liste ARCHIV [--sortiert]
#include "common/shared.h"
#include "common/stddialoge.h"
#include "engine/unzipcomponent.h"
#include "main/frmunzip.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QTextStream>
#include <QToolButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "Aufruf: bench_liste ARCHIV [--sortiert]\n";
        return 2;
    }
    const QString archiv = args.at(1);
    kasto::setPlattformDateiDialog([archiv](const kasto::DateiDialogAnfrage &) { return archiv; });

    frmUnzip w;
    QElapsedTimer t;
    t.start();
    w.Command6->click();
    const qint64 offen = t.elapsed();
    QTextStream(stdout) << "geöffnet: " << w.ListView1->topLevelItemCount() << " Zeilen in " << offen << " ms\n";

    if (args.contains(u"--sortiert"_s)) {
        emit w.ListView1->header()->sectionClicked(0);
        t.restart();
        w.ListView1->clear();
        w.VFunzip1->ListArchive();
        QTextStream(stdout) << "sortiert neu gelistet: " << w.ListView1->topLevelItemCount() << " Zeilen in "
                            << t.elapsed() << " ms\n";
    }
    return 0;
}
